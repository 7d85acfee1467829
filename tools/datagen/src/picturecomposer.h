#pragma once

#include "picturerecipe.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>

class IconLibrary;
class QPainter;

// Draws a picture recipe: every layer fitted into its part of an area, on white.
class PictureComposer {
public:
    explicit PictureComposer(IconLibrary& library);

    // A picture of the given size, white (255, 255, 255) wherever no layer drew, with the
    // recipe drawn into area. Null with error set when a source is missing or does not render.
    QImage render(const QList<RecipeLayer>& layers, QSize size, const QRectF& area,
                  QString* error = nullptr);
    // The recipe drawn into area over whatever the painter already holds; false with error set
    // as for render().
    bool paint(QPainter& painter, const QList<RecipeLayer>& layers, const QRectF& area,
               QString* error = nullptr);

    // Everything the picture depends on besides its size: the sources' SVG documents, so that
    // a changed or updated picture set makes the picture stale.
    QByteArray inputs(const QList<RecipeLayer>& layers, QString* error = nullptr);

private:
    bool paintLayer(QPainter& painter, const RecipeLayer& layer, const QRectF& area,
                    QString* error);
    QByteArray sourceSvg(const RecipeLayer& layer, QString* error);

    IconLibrary& library_;
};
