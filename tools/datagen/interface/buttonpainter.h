#pragma once

#include "maskedpicture.h"

#include <QImage>
#include <QString>

class QPainter;

// The image buttons of every window: a normal, a hover (lighter) and a pressed (darker, its
// symbol pushed down) picture sharing one outline, and the mask of that outline.
class ButtonPainter {
public:
    enum class State { Normal, Hover, Pressed };
    struct Set {
        QImage normal;  // "_D"
        QImage hover;   // "_A"
        QImage pressed; // "_"
        QImage mask;    // "_M"
    };

    // The set of a button name of InterfaceNames::imageButtons(); an empty set otherwise.
    static Set imageButton(const QString& name);
    // The recordings list's scroll thumb and its mask.
    static MaskedPicture scrollThumb();

private:
    static void draw(QPainter& p, const QString& name, QSize size, State state);
    static void drawSymbol(QPainter& p, const QString& name, const QRectF& box,
                           const QColor& colour);
};
