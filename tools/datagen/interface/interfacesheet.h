#pragma once

#include <QImage>
#include <QList>
#include <QString>

// A review sheet of the interface pictures: each picture scaled down to fit its cell and
// captioned with its name, under a title per group.
class InterfaceSheet {
public:
    struct Item {
        QString name;
        QImage image;
    };
    struct Group {
        QString title;
        QList<Item> items;
        QSize cell; // room for one picture and its caption
    };
    static QImage render(const QList<Group>& groups, int width);
};
