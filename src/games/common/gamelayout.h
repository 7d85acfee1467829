#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

class CDisplay;

// The pictures a game window reads when it is made, for one screen variant: its backgrounds and
// its picture buttons with their places. The window loads exactly these, and the start-up
// check reads its list from the same table, so the two cannot drift apart.
struct GameLayout {
    struct Button {
        QString name;
        QPoint at;
    };
    // Indices of the buttons every game window has; a window's own buttons follow them.
    static constexpr int Help = 0;
    static constexpr int Stop = 1;
    static constexpr int FirstOwn = 2;

    QStringList backgrounds;
    // "pomoc" and "stop" first, at Help and Stop.
    std::vector<Button> buttons;
    // Read by parts of the window that load their own pictures (the zoom ring).
    QStringList partFiles;

    // Every file of the table, relative to the program's folder.
    QStringList Files() const;

    // Picture buttons one below the other in the column at the window's right edge, from a
    // seventh of the height down, an eighth of the height apart ("stop" a little to the
    // right, as its picture is narrower).
    static std::vector<Button> RightColumn(const CDisplay& display, const QStringList& names);
};
