#pragma once

#include "picturerecipe.h"

#include <QColor>
#include <QImage>
#include <QList>

class PictureComposer;

// A child's profile picture: an animal on a soft round backdrop of its own colour, on a
// transparent square, so that it sits on any chooser background.
class AnimalBadge {
public:
    // A size x size picture; null with error set when the animal cannot be drawn.
    static QImage render(PictureComposer& composer, const QList<RecipeLayer>& layers,
                         const QColor& backdrop, int size, QString* error = nullptr);
};
