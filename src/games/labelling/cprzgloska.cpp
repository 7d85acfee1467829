#include "cprzgloska.h"

#include "cursors.h"
#include "hitarea.h"
#include "otworzbmp.h"
#include "picturesound.h"

#include <QFont>
#include <QPainter>

namespace {

// A plain tile: the grapheme in black (red for the target sound) on white, framed.
QImage drawnTile(const QString& grapheme, bool target, int side) {
    QImage tile(side, side, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter p(&tile);
    p.setPen(QColor(60, 60, 60));
    p.drawRect(0, 0, side - 1, side - 1);
    QFont font(QStringLiteral("Andika"));
    font.setPixelSize(side / 2);
    font.setBold(true);
    p.setFont(font);
    p.setPen(target ? QColor(210, 0, 0) : Qt::black);
    p.drawText(tile.rect(), Qt::AlignCenter, grapheme);
    return tile;
}

} // namespace

QString CPrzGloska::PictureName(const QString& grapheme, bool target, bool smallScreen) {
    return LetterToken(grapheme) + (target ? QStringLiteral("_red") : QString()) +
           (smallScreen ? QStringLiteral("_s") : QStringLiteral("_b"));
}

CPrzGloska::CPrzGloska(QWidget* window, const QString& grapheme, bool target, bool smallScreen)
    : m_target(target) {
    setText(grapheme);
    QImage picture;
    OtworzBMP(PictureName(grapheme, target, smallScreen), picture);
    if (picture.isNull())
        picture = drawnTile(grapheme, target, TileSize(smallScreen));
    setPicture(picture);

    auto* control = new HitArea(window);
    control->setGeometry(0, 0, picture.width(), picture.height());
    control->setCursor(cursorFor(ProgramCursor::Hand));
    control->setVisible(true);
    setControl(control);
}
