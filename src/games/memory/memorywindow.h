#pragma once

#include "gamesurface.h"

// What the Memory game needs of its window beyond the common surface.
class MemoryWindow : public virtual GameSurface {
public:
    // Composes the whole screen anew: background, buttons and board.
    virtual void A_EkranPaint() = 0;
};
