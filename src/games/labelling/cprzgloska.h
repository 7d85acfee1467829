#pragma once

#include "cogloska.h"

class QWidget;

// A movable letter tile: the picture of one grapheme from the picture library, red for the
// practised sound, with a hand-cursor control on the window that catches the mouse.
class CPrzGloska : public COGloska {
public:
    // The picture "<token>_s" / "<token>_b", or "<token>_red_s" / "_red_b" for the target
    // sound. When the library has no such picture the tile is drawn plainly with its grapheme,
    // so that the word can still be built.
    CPrzGloska(QWidget* window, const QString& grapheme, bool target, bool smallScreen);

    bool IsTarget() const { return m_target; }

    // The library name of a tile picture.
    static QString PictureName(const QString& grapheme, bool target, bool smallScreen);
    // The side of a tile in a screen variant.
    static int TileSize(bool smallScreen) { return smallScreen ? 44 : 55; }

private:
    bool m_target;
};
