#pragma once

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

// The main window's pieces drawn straight onto its content panel: the check buttons of the
// game tabs and of the recordings list, and the captions above each row of check buttons.
// They are opaque rectangles, so their background is the panel's own colour and they blend in.
class MenuPiecePainter {
public:
    // Off ("_D") or on ("_A") picture of a check button base name; null for unknown names.
    static QImage checkButton(const QString& base, bool on);

    // What a check button picture is made of. paintCheckButton draws any of them alone, in
    // picture coordinates, so that each can be looked at on its own.
    enum Part {
        Body = 1,  // the button's face
        Frame = 2, // its outline, dashed when off
        Text = 4,  // the word or the group's letters
        Badge = 8, // the tick circle, ticked when on
        Hint = 16, // the stars of a task count, the word diagram of a position
        AllParts = 31
    };
    static void paintCheckButton(QPainter& p, const QString& base, bool on, int parts);
    // The font a check button's word is set in, the same in both states.
    static QFont checkButtonFont(const QString& base);
    // A caption picture by its library name ("nap_gloski_s"); null for unknown names.
    static QImage caption(const QString& name);

    // What a check button says: "mało", "SZ", "nagłos" ...; empty for unknown names.
    static QString checkButtonText(const QString& base);
    static QString captionText(const QString& name);
};
