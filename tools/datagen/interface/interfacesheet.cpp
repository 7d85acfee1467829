#include "interfacesheet.h"

#include <QFont>
#include <QPainter>

namespace {
constexpr int kMargin = 16;
constexpr int kTitle = 34;
constexpr int kCaption = 16;
} // namespace

QImage InterfaceSheet::render(const QList<Group>& groups, int width) {
    // Height first: each group is a title and rows of cells.
    int height = kMargin;
    for (const Group& g : groups) {
        const int columns = qMax(1, (width - 2 * kMargin) / g.cell.width());
        const int rows = (int(g.items.size()) + columns - 1) / columns;
        height += kTitle + rows * g.cell.height() + kMargin;
    }
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(0xEE, 0xEE, 0xF2));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont titleFont("DejaVu Sans");
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    QFont captionFont("DejaVu Sans");
    captionFont.setPixelSize(11);
    int y = kMargin;
    for (const Group& g : groups) {
        p.setFont(titleFont);
        p.setPen(Qt::black);
        p.drawText(QRect(kMargin, y, width - 2 * kMargin, kTitle), Qt::AlignLeft | Qt::AlignVCenter,
                   g.title);
        y += kTitle;
        const int columns = qMax(1, (width - 2 * kMargin) / g.cell.width());
        for (int i = 0; i < g.items.size(); ++i) {
            const QRect cell(kMargin + (i % columns) * g.cell.width(),
                             y + (i / columns) * g.cell.height(), g.cell.width(), g.cell.height());
            const QSize room(cell.width() - 8, cell.height() - kCaption - 8);
            const QImage& image = g.items[i].image;
            if (!image.isNull()) {
                const QSize shown = image.size().boundedTo(room).isValid() &&
                                            image.width() <= room.width() &&
                                            image.height() <= room.height()
                                        ? image.size()
                                        : image.size().scaled(room, Qt::KeepAspectRatio);
                const QRect target(cell.left() + (cell.width() - shown.width()) / 2,
                                   cell.top() + 4 + (room.height() - shown.height()) / 2,
                                   shown.width(), shown.height());
                p.drawImage(target, image);
                p.setPen(QColor(0xB0, 0xB0, 0xC0));
                p.setBrush(Qt::NoBrush);
                p.drawRect(target.adjusted(-1, -1, 0, 0));
            }
            p.setFont(captionFont);
            p.setPen(Qt::black);
            p.drawText(QRect(cell.left(), cell.bottom() - kCaption - 2, cell.width(), kCaption),
                       Qt::AlignCenter, g.items[i].name);
        }
        y += ((int(g.items.size()) + columns - 1) / columns) * g.cell.height() + kMargin;
    }
    return sheet;
}
