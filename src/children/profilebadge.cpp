#include "profilebadge.h"

#include "cdisplay.h"
#include "childpicture.h"
#include "heavyfont.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

ProfileBadge::ProfileBadge(const CDisplay& display, const ChildRoster::Profile& profile,
                           QWidget* parent)
    : QWidget(parent), m_profile(profile) {
    // In the sky between the title and the speaker, clear of both on either screen variant.
    const bool small = display.IsSmall();
    const int height = small ? 44 : 56;
    m_textPixels = small ? 16 : 20;
    m_picture = ChildPicture::Pixmap(profile, height - 8);
    const int textWidth = QFontMetrics(HeavyFont(m_textPixels)).horizontalAdvance(Text());
    const int left = display.OffsetX + (small ? 330 : 420);
    const int maxWidth = (small ? 600 : 765) - (small ? 330 : 420);
    const int width = std::min(maxWidth, height + textWidth + 22);
    setGeometry(left, display.OffsetY + (small ? 14 : 18), width, height);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Kto ćwiczy? Kliknij, aby zmienić."));
    setAccessibleName(Text());
}

QString ProfileBadge::Text() const {
    return m_profile.name;
}

void ProfileBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(QColor(0x8f, 0xb4, 0xff), 3));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRoundedRect(body, height() / 2.0, height() / 2.0);
    painter.drawPixmap(4, 4, m_picture);
    painter.setFont(HeavyFont(m_textPixels));
    painter.setPen(QColor(0x24, 0x30, 0x6e));
    const QRect text = rect().adjusted(height() + 4, 0, -14, 0);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(Text(), Qt::ElideRight, text.width()));
}

void ProfileBadge::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
