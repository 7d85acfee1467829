#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

// The pictures a window reads when it is made, for one screen variant: pictures read straight
// from their files (backgrounds, a logo) and picture buttons by name, each with its place. The
// window is made from the table and the start-up check takes its list from the same table, so
// the two cannot drift apart.
struct PictureTable {
    struct Picture {
        QString file;
        QPoint at;
    };
    struct Button {
        QString name;
        QPoint at;
    };

    std::vector<Picture> pictures;
    std::vector<Button> buttons;

    // The pictures' files, then each button's four state pictures, relative to the program's
    // folder.
    QStringList Files() const;
};
