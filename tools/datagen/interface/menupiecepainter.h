#pragma once

#include <QImage>
#include <QString>

// The main window's pieces drawn straight onto its content panel: the check buttons of the
// game tabs and of the recordings list, and the captions above each row of check buttons.
// They are opaque rectangles, so their background is the panel's own colour and they blend in.
class MenuPiecePainter {
public:
    // Off ("_D") or on ("_A") picture of a check button base name; null for unknown names.
    static QImage checkButton(const QString& base, bool on);
    // A caption picture by its library name ("nap_gloski_s"); null for unknown names.
    static QImage caption(const QString& name);

    // What a check button says: "mało", "SZ", "nagłos" ...; empty for unknown names.
    static QString checkButtonText(const QString& base);
    static QString captionText(const QString& name);
};
