#pragma once

#include "gamesurface.h"

// What the completing game needs of its window beyond the common surface.
class CompletingWindow : public virtual GameSurface {
public:
    // Takes the help button away: a solved word needs no help.
    virtual void HideHelpButton() = 0;
};
