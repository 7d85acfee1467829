#include "otworzbmp.h"

#include "picturelibrary.h"

void OtworzBMP(const QString& name, QImage& bitmap) {
    bitmap = PictureLibrary::shared().picture(name);
}
