#pragma once

#include "gamesurface.h"

// What the falling game needs of its window beyond the common surface.
class FallingWindow : public virtual GameSurface {
public:
    // The buttons of the end display: "stop" shown, "pomoc" hidden.
    virtual void ShowResultButtons() = 0;
};
