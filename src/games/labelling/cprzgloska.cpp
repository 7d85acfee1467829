#include "cprzgloska.h"

#include "cursors.h"
#include "hitarea.h"
#include "lettertile.h"
#include "otworzbmp.h"
#include "textformat.h"

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
        picture = LetterTile::Draw(grapheme, target, TileSize(smallScreen));
    setPicture(picture);

    auto* control = new HitArea(window);
    control->setGeometry(0, 0, picture.width(), picture.height());
    control->setCursor(cursorFor(ProgramCursor::Hand));
    control->setVisible(true);
    setControl(control);
}
