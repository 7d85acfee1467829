#pragma once

#include "cogloska.h"

class CPrzGloska;

// An answer slot under the word picture: no picture and no control, only a frame that is red
// while the slot is empty and yellow once it holds a tile.
class CPusGloska : public COGloska {
public:
    static constexpr QRgb EmptyColour = 0xFF0000;
    static constexpr QRgb FilledColour = 0xFFFF00;
    static constexpr int FrameCount = 5;

    explicit CPusGloska(bool smallScreen);

    // Takes the tile (or none); the slot's text becomes the tile's grapheme, or "".
    void Assign(CPrzGloska* letter);
    CPrzGloska* Letter() const { return m_letter; }
    bool IsEmpty() const { return Text().isEmpty(); }

    // Five one-pixel frames around the slot's square, in the slot's colour.
    void Draw(Canvas& canvas) const;

    // The side of the square inside the frames.
    int Side() const { return m_side; }

private:
    CPrzGloska* m_letter = nullptr;
    int m_side;
};
