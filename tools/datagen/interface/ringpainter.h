#pragma once

#include "interfacenames.h"
#include "maskedpicture.h"

// The falling game's zoom ring: a rainbow ring whose hole holds the Memory big picture (an
// oval of 200 x 250 or 260 x 320) with room to spare.
class RingPainter {
public:
    static MaskedPicture ring(InterfaceNames::Variant v);
    // Radii of the ring (outer edge, inner edge) in the variant.
    static qreal outerRadius(InterfaceNames::Variant v);
    static qreal innerRadius(InterfaceNames::Variant v);
};
