#include "childpicture.h"
#include "heavyfont.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>

QPixmap ChildPicture::Pixmap(const ChildRoster::Profile& profile, int size) {
    if (profile.picture > 0) {
        QImageReader reader(ChildRoster::PictureFile(profile.picture));
        // A picture of the pack is small; anything else there is not ours to decode whole.
        if (reader.size().isValid() && reader.size().width() <= 1024 &&
            reader.size().height() <= 1024) {
            const QImage image = reader.read();
            if (!image.isNull())
                return QPixmap::fromImage(
                    image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A colour of its own for each name, the guest's a calm blue.
    const QColor colour = profile.id ? QColor::fromHsv(int(qHash(profile.name) % 360), 90, 250)
                                     : QColor(0xc9, 0xdc, 0xff);
    painter.setBrush(colour);
    painter.setPen(QPen(colour.darker(130), std::max(2, size / 40)));
    const int inset = std::max(2, size / 20);
    painter.drawEllipse(QRect(inset, inset, size - 2 * inset, size - 2 * inset));
    painter.setFont(HeavyFont(size / 2));
    painter.setPen(QColor(0x24, 0x30, 0x6e));
    const QString letter = profile.id ? profile.name.left(1).toUpper() : QStringLiteral("?");
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    return pixmap;
}
