#pragma once

#include <QImage>
#include <QString>

// A letter tile drawn by the program, for a game whose tile picture is missing from the
// library: the grapheme in bold black (red for the target sound) on white, framed. A game
// stays playable with it, only plainer.
class LetterTile {
public:
    static QImage Draw(const QString& grapheme, bool red, int side);
};
