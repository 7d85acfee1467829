#pragma once

#include <QImage>
#include <QList>
#include <QString>

// A review sheet: pictures on a grid, each captioned, so a person can look over a whole pack at
// once.
class ContactSheet {
public:
    struct Item {
        QImage image;
        QString caption;
    };

    // Cells of cell size (the picture scaled down to fit above its caption), columns wide.
    static QImage grid(const QList<Item>& items, QSize cell, int columns, const QString& title);
};
