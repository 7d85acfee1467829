#pragma once

#include <QColor>
#include <QImage>
#include <functional>

class QPainter;

// A shaped picture for the program's masked drawing: the mask is pure white on the object and
// pure black elsewhere, the picture is pure white outside the object. Drawing the mask with OR
// and then the picture with AND leaves the background outside the object untouched.
class MaskedPicture {
public:
    QImage picture; // RGB32
    QImage mask;    // RGB32, only 0xFFFFFF and 0x000000

    // Splits a picture drawn on transparency: pixels at least half covered belong to the
    // object. Their colour is composed over edge, so that anti-aliased edges fade into the
    // outline colour rather than into white (which would show as a light seam on a dark
    // background).
    static MaskedPicture fromTransparent(const QImage& argb, const QColor& edge);

    // Draws with draw() on a transparent canvas of size and splits the result.
    static MaskedPicture render(QSize size, const QColor& edge,
                                const std::function<void(QPainter&)>& draw);

    // The same split for several pictures that must share one mask (a button's states): the
    // mask is the union of their objects; each picture is white outside the shared mask only.
    static QImage unionMask(const QList<QImage>& argbs);
    static QImage pictureFor(const QImage& argb, const QImage& mask, const QColor& edge);
};
