#pragma once

#include "interfacenames.h"

#include <QImage>

// The main window's tab strip, one picture per selected tab: five tabs in the strip's bands
// (labelling, Memory, completing, falling, recordings), the selected one joined to the
// menu's content panel.
class TabStripPainter {
public:
    // tab 1..5 selected.
    static QImage strip(InterfaceNames::Variant v, int tab);
    // The bands of the strip, as the main window maps presses to tabs (inclusive rows).
    static QList<QPair<int, int>> bands(InterfaceNames::Variant v);
    static QString label(int tab);
};
