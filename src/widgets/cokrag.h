#pragma once

#include <QImage>
#include <QStringList>

class Canvas;
class CDisplay;

// The zoom ring of the falling game: a ring centred in the play area with a word's big
// picture inside it, both blended into the canvas through their masks.
class COkrag {
public:
    // Loads the picture mask, the ring and the ring mask of the screen variant and centres
    // them in the play area. Throws CBlad(1) when one of them is missing or unreadable. The
    // canvas must outlive the ring.
    COkrag(const CDisplay& display, Canvas& canvas);

    // The picture mask, the ring and the ring mask of a screen variant, in that order.
    static QStringList PictureFiles(bool smallScreen);

    // The ring at its place.
    void DrawRing();
    // The ring, then the picture through the picture mask at the picture's place. A picture
    // smaller than the mask leaves the rest of the mask white.
    void DrawPicture(const QImage& picture);

    short RingX() const { return m_ringX; }
    short RingY() const { return m_ringY; }
    short PictureX() const { return m_pictureX; }
    short PictureY() const { return m_pictureY; }

private:
    QImage m_ring;
    QImage m_ringMask;
    QImage m_pictureMask;
    Canvas& m_canvas;
    short m_ringX = 0;
    short m_ringY = 0;
    short m_pictureX = 0;
    short m_pictureY = 0;
};
