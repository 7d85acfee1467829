#include "maskshape.h"

#include <QRect>
#include <cmath>

MaskShape::MaskShape(QSize size, Kind kind, int margin, int radius)
    : size_(size), kind_(kind), margin_(margin), radius_(radius),
      mask_(size, QImage::Format_Grayscale8) {
    mask_.fill(0);
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = mask_.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = blockInside(x / Block, y / Block) ? 255 : 0;
    }
}

// A block belongs to the shape when it lies wholly inside the image and its centre lies inside
// the smooth outline; partial blocks at the right and bottom edges always stay black.
bool MaskShape::blockInside(int bx, int by) const {
    const int x0 = bx * Block, y0 = by * Block;
    if (x0 + Block > size_.width() || y0 + Block > size_.height())
        return false;
    const double cx = x0 + Block / 2.0, cy = y0 + Block / 2.0;
    const double left = margin_, top = margin_;
    const double right = size_.width() - margin_, bottom = size_.height() - margin_;
    if (cx < left || cx > right || cy < top || cy > bottom)
        return false;
    if (kind_ == Kind::Oval) {
        const double ax = (right - left) / 2.0, ay = (bottom - top) / 2.0;
        const double dx = (cx - (left + ax)) / ax, dy = (cy - (top + ay)) / ay;
        return dx * dx + dy * dy <= 1.0;
    }
    const double r = radius_;
    const double nx = std::clamp(cx, left + r, right - r);
    const double ny = std::clamp(cy, top + r, bottom - r);
    return std::hypot(cx - nx, cy - ny) <= r;
}

bool MaskShape::inside(int x, int y) const {
    if (x < 0 || y < 0 || x >= size_.width() || y >= size_.height())
        return false;
    return mask_.constScanLine(y)[x] != 0;
}

QRect MaskShape::contentRect(int inset) const {
    // Grow a rectangle of the shape's aspect from the centre while all four corners stay inside.
    const double cx = size_.width() / 2.0, cy = size_.height() / 2.0;
    const double aspect = double(size_.width()) / size_.height();
    QRect best(int(cx), int(cy), 0, 0);
    for (double h = 2; h < size_.height(); h += 1) {
        const double w = h * aspect;
        const QRect r(int(std::floor(cx - w / 2 - inset)), int(std::floor(cy - h / 2 - inset)),
                      int(std::ceil(w + 2 * inset)), int(std::ceil(h + 2 * inset)));
        if (!inside(r.left(), r.top()) || !inside(r.right(), r.top()) ||
            !inside(r.left(), r.bottom()) || !inside(r.right(), r.bottom()))
            break;
        best = r.adjusted(inset, inset, -inset, -inset);
    }
    return best;
}

void MaskShape::whitenOutside(QImage& picture) const {
    for (int y = 0; y < size_.height() && y < picture.height(); ++y) {
        const uchar* m = mask_.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size_.width() && x < picture.width(); ++x)
            if (m[x] == 0)
                line[x] = qRgb(255, 255, 255);
    }
}
