#pragma once

#include "childroster.h"

#include <QPixmap>

// A profile's picture at a size: its animal from the data pack, or, for none (and a picture
// that cannot be read), a round badge with the name's first letter.
class ChildPicture {
public:
    static QPixmap Pixmap(const ChildRoster::Profile& profile, int size);
};
