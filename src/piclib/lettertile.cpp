#include "lettertile.h"

#include <QFont>
#include <QPainter>

QImage LetterTile::Draw(const QString& grapheme, bool red, int side) {
    QImage tile(side, side, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter p(&tile);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(0, 0, side - 1, side - 1);
    QFont font(QStringLiteral("Andika"));
    font.setPixelSize(side / 2);
    font.setBold(true);
    p.setFont(font);
    p.setPen(red ? QColor(210, 0, 0) : Qt::black);
    p.drawText(tile.rect(), Qt::AlignCenter, grapheme);
    return tile;
}
