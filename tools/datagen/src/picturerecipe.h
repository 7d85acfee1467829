#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>

// How one word picture is made: one or more layers drawn in order into the picture's area.
//
//   recipe := layer { " + " layer }
//   layer  := source ":" name { modifier }
//   source := fluent | noto | twemoji | openmoji | svg | text
//   modifier:
//     @x,y,w,h       place the layer into this part of the area (fractions, default 0,0,1,1);
//                    the picture keeps its aspect and is centred there
//     [x,y,w,h]      use only this part of the source picture (fractions of its view box)
//     ~              mirror left to right
//     ^deg           rotate clockwise about the layer's centre
//     {#aaa=#bbb;..} replace colours in the source picture before drawing
//     #rrggbb        colour of a text layer (the name is the text)
//
// Example: "fluent:coin + text:1 zł#7a4a00@0.2,0.3,0.6,0.4".
struct RecipeLayer {
    QString source;
    QString name;
    QRectF place{0, 0, 1, 1};
    QRectF crop{0, 0, 1, 1};
    bool mirror{false};
    double rotation{0};
    QList<QPair<QString, QString>> recolour;
    QColor textColour{Qt::black};
};

class PictureRecipe {
public:
    // Parses recipe text; on a syntax error returns false and names the fault in error.
    static bool parse(const QString& text, QList<RecipeLayer>* layers, QString* error);
};
