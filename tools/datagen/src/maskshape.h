#pragma once

#include <QImage>
#include <QSize>

// The one shape shared by all big pictures of a kind: white where a picture may draw, black
// elsewhere. Its outline follows the 8x8 block grid of JPEG, so that the mask file stays pure
// black and white after compression and every block of a picture outside it is wholly white.
class MaskShape {
public:
    enum class Kind { Oval, RoundedRect };

    MaskShape(QSize size, Kind kind, int margin, int radius = 0);

    QSize size() const { return size_; }
    Kind kind() const { return kind_; }
    // Grayscale8 image, 255 inside and 0 outside.
    const QImage& mask() const { return mask_; }
    bool inside(int x, int y) const;
    // The largest centred rectangle wholly inside the shape with the given inset, where the
    // picture's object goes.
    QRect contentRect(int inset) const;
    // Whitens every pixel of picture outside the shape (picture must have the mask's size).
    void whitenOutside(QImage& picture) const;

    static constexpr int Block = 8;

private:
    bool blockInside(int bx, int by) const;

    QSize size_;
    Kind kind_;
    int margin_;
    int radius_;
    QImage mask_;
};
