#include "packlayout.h"

QList<PackLayout::BigKind> PackLayout::bigKinds() {
    return {
        {"_ms", {200, 250}, MaskShape::Kind::Oval, 0},
        {"_mb", {260, 320}, MaskShape::Kind::Oval, 0},
        {"_ups", {260, 280}, MaskShape::Kind::RoundedRect, 40},
        {"_upb", {340, 360}, MaskShape::Kind::RoundedRect, 48},
    };
}

MaskShape PackLayout::maskFor(const BigKind& kind) {
    return MaskShape(kind.size, kind.shape, 0, kind.radius);
}

QRectF PackLayout::bigArea(const MaskShape& mask) {
    const QRectF whole(QPointF(0, 0), QSizeF(mask.size()));
    if (mask.kind() == MaskShape::Kind::Oval) {
        // 78% of each axis puts the corners of the area just on the oval: round pictures fill
        // the oval, and compositions that reach their corners lose nothing.
        QRectF area(0, 0, 0.78 * whole.width(), 0.78 * whole.height());
        area.moveCenter(whole.center());
        return area;
    }
    const QRectF inner = mask.contentRect(4);
    const double grow = 0.08 * std::min(inner.width(), inner.height());
    return inner.adjusted(-grow, -grow, grow, grow).intersected(whole.adjusted(6, 6, -6, -6));
}

QRectF PackLayout::smallArea() {
    return QRectF(5, 5, 66, 85);
}
