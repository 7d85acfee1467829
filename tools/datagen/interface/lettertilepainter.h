#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Letter tiles of the labelling and completing games: a grapheme in the Andika font on a
// cream tile, on a red tile for the practised sound, and the completing game's question mark.
class LetterTilePainter {
public:
    enum class Kind { Plain, Red };
    // text: the grapheme itself ("dż"), or "question" for the question-mark tile.
    static QImage tile(const QString& text, Kind kind, QSize size);
};
