#include "contactsheet.h"

#include <QFont>
#include <QPainter>

QImage ContactSheet::grid(const QList<Item>& items, QSize cell, int columns, const QString& title) {
    const int captionHeight = 18, titleHeight = 40;
    const int rows = (int(items.size()) + columns - 1) / columns;
    QImage sheet(columns * cell.width(), titleHeight + rows * (cell.height() + captionHeight),
                 QImage::Format_RGB32);
    sheet.fill(QColor(230, 236, 240));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont titleFont("DejaVu Sans", 16, QFont::Bold);
    painter.setFont(titleFont);
    painter.drawText(QRect(10, 0, sheet.width() - 20, titleHeight), Qt::AlignVCenter, title);

    QFont captionFont("DejaVu Sans");
    captionFont.setPixelSize(12);
    painter.setFont(captionFont);
    for (int i = 0; i < items.size(); ++i) {
        const int x = (i % columns) * cell.width();
        const int y = titleHeight + (i / columns) * (cell.height() + captionHeight);
        const QRect box(x + 2, y + 2, cell.width() - 4, cell.height() - 4);
        const QImage& image = items[i].image;
        if (!image.isNull()) {
            QSize s = image.size();
            if (s.width() > box.width() || s.height() > box.height())
                s.scale(box.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), s);
            target.moveCenter(box.center());
            painter.drawImage(target, image);
        } else {
            painter.fillRect(box, Qt::magenta);
        }
        painter.drawText(QRect(x, y + cell.height(), cell.width(), captionHeight),
                         Qt::AlignHCenter | Qt::AlignTop, items[i].caption);
    }
    return sheet;
}
