#include "heavyfont.h"

#include <QStringList>

QFont HeavyFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Black);
    return font;
}
