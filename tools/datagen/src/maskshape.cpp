#include "maskshape.h"

#include "blackwhitejpeg.h"

#include <QRect>
#include <cmath>

MaskShape::MaskShape(QSize size, Kind kind, int margin, int radius)
    : size_(size), kind_(kind), margin_(margin), radius_(radius),
      mask_(size, QImage::Format_Grayscale8), drawable_(size, QImage::Format_Grayscale8) {
    for (int y = 0; y < size.height(); ++y) {
        uchar* line = mask_.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = insideOutline(x + 0.5, y + 0.5) ? 255 : 0;
    }
    // A block is drawable when it lies wholly inside the image and every pixel of it is
    // inside the shape; partial blocks at the right and bottom edges never are.
    drawable_.fill(0);
    for (int y0 = 0; y0 + Block <= size.height(); y0 += Block)
        for (int x0 = 0; x0 + Block <= size.width(); x0 += Block) {
            bool whole = true;
            for (int y = y0; y < y0 + Block && whole; ++y)
                for (int x = x0; x < x0 + Block && whole; ++x)
                    whole = mask_.constScanLine(y)[x] != 0;
            if (!whole)
                continue;
            for (int y = y0; y < y0 + Block; ++y)
                std::fill_n(drawable_.scanLine(y) + x0, Block, uchar(255));
        }
}

bool MaskShape::insideOutline(double x, double y) const {
    const double left = margin_, top = margin_;
    const double right = size_.width() - margin_, bottom = size_.height() - margin_;
    if (x < left || x > right || y < top || y > bottom)
        return false;
    if (kind_ == Kind::Oval) {
        const double ax = (right - left) / 2.0, ay = (bottom - top) / 2.0;
        const double dx = (x - (left + ax)) / ax, dy = (y - (top + ay)) / ay;
        return dx * dx + dy * dy <= 1.0;
    }
    const double r = radius_;
    const double nx = std::clamp(x, left + r, right - r);
    const double ny = std::clamp(y, top + r, bottom - r);
    return std::hypot(x - nx, y - ny) <= r;
}

bool MaskShape::inside(int x, int y) const {
    if (x < 0 || y < 0 || x >= size_.width() || y >= size_.height())
        return false;
    return mask_.constScanLine(y)[x] != 0;
}

bool MaskShape::drawable(int x, int y) const {
    if (x < 0 || y < 0 || x >= size_.width() || y >= size_.height())
        return false;
    return drawable_.constScanLine(y)[x] != 0;
}

QRect MaskShape::contentRect(int inset) const {
    // Grow a rectangle of the shape's aspect from the centre while all four corners stay
    // drawable.
    const double cx = size_.width() / 2.0, cy = size_.height() / 2.0;
    const double aspect = double(size_.width()) / size_.height();
    QRect best(int(cx), int(cy), 0, 0);
    for (double h = 2; h < size_.height(); h += 1) {
        const double w = h * aspect;
        const QRect r(int(std::floor(cx - w / 2 - inset)), int(std::floor(cy - h / 2 - inset)),
                      int(std::ceil(w + 2 * inset)), int(std::ceil(h + 2 * inset)));
        if (!drawable(r.left(), r.top()) || !drawable(r.right(), r.top()) ||
            !drawable(r.left(), r.bottom()) || !drawable(r.right(), r.bottom()))
            break;
        best = r.adjusted(inset, inset, -inset, -inset);
    }
    return best;
}

void MaskShape::whitenOutside(QImage& picture) const {
    for (int y = 0; y < size_.height() && y < picture.height(); ++y) {
        const uchar* m = drawable_.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size_.width() && x < picture.width(); ++x)
            if (m[x] == 0)
                line[x] = qRgb(255, 255, 255);
    }
}

bool MaskShape::write(const QString& path, QString* error) const {
    // A plain JPEG of a pixel-exact outline decodes with grey fringes along it.
    return BlackWhiteJpeg::write(mask_, path, error);
}
