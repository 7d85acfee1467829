#include "therapistform.h"

#include "cprzyciskp.h"

#include <QLabel>
#include <QPainter>
#include <QShortcut>

TherapistForm::TherapistForm(const CDisplay& display, const QString& windowTitle,
                             const QColor& tint, const QString& title)
    : m_layout{display.OffsetX,      display.OffsetY,   display.DesignWidth,
               display.DesignHeight, display.IsSmall(), display.IsSmall() ? 13 : 15} {
    setWindowTitle(windowTitle);
    setGeometry(0, 0, display.ScreenWidth, display.ScreenHeight);
    canvas().setBrushColor(Qt::black);

    const auto [x0, y0, w, h, small, text] = m_layout;
    m_background = QImage(display.ScreenWidth, display.ScreenHeight, QImage::Format_RGB32);
    m_background.fill(Qt::black);
    {
        QPainter p(&m_background);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(x0, y0, w, h), tint);
        p.setPen(QPen(Ink, 3));
        p.setBrush(Panel);
        p.drawRoundedRect(QRectF(x0 + 4.5, y0 + 4.5, w - 9, h - 9), 18, 18);
    }
    canvas().draw(0, 0, m_background);

    m_title = Label(this, title, Font(small ? 24 : 30, true));
    m_title->move(x0 + 20, y0 + 10);
    m_title->adjustSize();

    const PictureTable::Button stop = Pictures(display).buttons.front();
    m_stop = std::make_unique<CPrzyciskP>(*this, stop.name, canvas(), m_background, stop.at.x(),
                                          stop.at.y(), [this] { A_Stop(); });
    // Escape reaches the window wherever the keyboard is, a list or a table included.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { A_Stop(); });
}

TherapistForm::~TherapistForm() = default;

QRect TherapistForm::BesideTitle() const {
    const int right = m_title->geometry().right();
    return QRect(right + 16, m_layout.y0 + (m_layout.small ? 16 : 20),
                 m_layout.x0 + m_layout.w - 20 - right - 16, 24);
}

PictureTable TherapistForm::Pictures(const CDisplay& display) {
    return {{},
            {{QStringLiteral("stop"), QPoint(display.OffsetX + display.DesignWidth - 84,
                                             display.OffsetY + display.DesignHeight - 68)}}};
}

QFont TherapistForm::Font(int pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QLabel* TherapistForm::Label(QWidget* parent, const QString& text, const QFont& font,
                             const QColor& ink) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, ink);
    l->setPalette(palette);
    return l;
}

bool TherapistForm::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return false;
}
