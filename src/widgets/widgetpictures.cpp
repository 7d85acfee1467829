#include "widgetpictures.h"

#include "canvas.h"
#include "cblad.h"
#include "otworzbmp.h"
#include "picturelibrary.h"

QImage LibraryPicture(const QString& name) {
    QImage bitmap;
    OtworzBMP(name, bitmap);
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        throw CBlad(1);
    return bitmap;
}

QStringList ImageButtonPictureFiles(const QString& name) {
    QStringList files;
    for (const char* state : {"_D", "_A", "_", "_M"})
        files << PictureLibrary::folder() + '/' + name + QLatin1String(state) + ".png";
    return files;
}

void CopyPixels(Canvas& destination, const QRect& dest, const QImage& source,
                const QPoint& sourcePos) {
    const CopyMode previous = destination.copyMode();
    destination.setCopyMode(CopyMode::SrcCopy);
    destination.copyFrom(dest, source, sourcePos);
    destination.setCopyMode(previous);
}
