#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The one shape shared by all big pictures of a kind: white where a picture shows, black
// elsewhere. The mask follows the smooth outline to the pixel (a pixel is inside when its centre
// is). A picture only draws on the 8x8 blocks of JPEG that lie wholly inside the shape and stays
// white on every other block: an all-white block survives compression exactly, so the picture
// is pure white wherever the mask is black, and the OR-then-AND draw leaves the background
// there untouched.
class MaskShape {
public:
    enum class Kind { Oval, RoundedRect };

    MaskShape(QSize size, Kind kind, int margin, int radius = 0);

    QSize size() const { return size_; }
    Kind kind() const { return kind_; }
    // Grayscale8 image, 255 inside and 0 outside.
    const QImage& mask() const { return mask_; }
    bool inside(int x, int y) const;
    // Whether the pixel lies on a block wholly inside the shape, where a picture may draw.
    bool drawable(int x, int y) const;
    // The largest centred rectangle of drawable pixels with the given inset, where the
    // picture's object goes.
    QRect contentRect(int inset) const;
    // Stores the mask as a JPEG file that decodes to exactly this black and white.
    bool write(const QString& path, QString* error = nullptr) const;
    // Whitens every pixel of picture that is not drawable (picture must have the mask's size).
    void whitenOutside(QImage& picture) const;

    static constexpr int Block = 8;

private:
    bool insideOutline(double x, double y) const;

    QSize size_;
    Kind kind_;
    int margin_;
    int radius_;
    QImage mask_;
    QImage drawable_; // Grayscale8, 255 on the blocks wholly inside
};
