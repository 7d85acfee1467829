#pragma once

#include "interfacenames.h"

#include <QColor>
#include <QImage>
#include <QRect>

// Window backgrounds and the larger pictures of the windows: menu, game windows, about
// window and logo, splash, notice and the three summaries. Each leaves calm, light areas
// where the window draws its buttons, cards, tiles and texts, following the layouts of both
// screen variants.
class BackgroundPainter {
public:
    using Variant = InterfaceNames::Variant;

    static QImage menu(Variant v);
    // The menu's content panel (check buttons, captions, the recordings list sit on it).
    static QRectF menuPanel(Variant v);
    // Where the tab strip stands on the menu.
    static QRect tabStrip(Variant v);

    static QImage memory(Variant v);
    // The Memory board's colour, which the card back takes in its corners.
    static QColor memoryBoard() { return {0xFF, 0xF3, 0xD6}; }
    static QImage labelling(Variant v, int theme); // theme 1..5
    // The shelf under the labelling game's answer slots: centred, and long enough for the row
    // of the catalogue's longest word with room for its rounded ends.
    static QRectF labellingShelf(Variant v);
    static QImage completing(Variant v);
    static QImage falling(Variant v);
    static QImage about(Variant v);
    // The about picture's calm middle, where the window sets its texts: no star, moon or hill
    // reaches into it.
    static QRect aboutTextColumn(Variant v);
    static QColor aboutColour() { return {0x27, 0x3F, 0x7C}; }
    static QImage logo(Variant v);
    static QImage splash();
    static QImage notice();
    // grade 1 (few right answers), 2 or 4 (most answers right).
    static QImage summary(int grade);
};
