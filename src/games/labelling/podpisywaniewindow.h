#pragma once

#include "gamesurface.h"

#include <QRect>

// What the labelling game needs of its window beyond the common surface.
class PodpisywanieWindow : public virtual GameSurface {
public:
    // Puts the current background and the buttons on the screen canvas: help and stop, next
    // and previous as the current word allows.
    virtual void DrawBackdrop() = 0;
    // The word is solved: help has nothing more to show.
    virtual void HideHelpButton() = 0;
    // Where the help, stop, next and previous buttons stand, shown or not: no tile may lie
    // there and cover them.
    virtual QRect ButtonArea() const = 0;
};
