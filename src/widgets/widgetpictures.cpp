#include "widgetpictures.h"

#include "canvas.h"
#include "cblad.h"
#include "otworzbmp.h"
#include "picturelibrary.h"

#include <initializer_list>

QImage LibraryPicture(const QString& name) {
    QImage bitmap;
    OtworzBMP(name, bitmap);
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        throw CBlad(1);
    return bitmap;
}

namespace {

QStringList libraryFiles(const QString& name, std::initializer_list<const char*> states) {
    QStringList files;
    for (const char* state : states)
        files << LibraryPictureFile(name + QLatin1String(state));
    return files;
}

} // namespace

QStringList ImageButtonPictureFiles(const QString& name) {
    return ImageButtonMadePictureFiles(name) + ImageButtonLaterPictureFiles(name);
}

QStringList ImageButtonMadePictureFiles(const QString& name) {
    return libraryFiles(name, {"_D", "_M"});
}

QStringList ImageButtonLaterPictureFiles(const QString& name) {
    return libraryFiles(name, {"_A", "_"});
}

QStringList CheckButtonPictureFiles(const QString& name) {
    return libraryFiles(name, {"_D", "_A"});
}

QString LibraryPictureFile(const QString& name) {
    return PictureLibrary::folder() + '/' + name + ".png";
}

void CopyPixels(Canvas& destination, const QRect& dest, const QImage& source,
                const QPoint& sourcePos) {
    const CopyMode previous = destination.copyMode();
    destination.setCopyMode(CopyMode::SrcCopy);
    destination.copyFrom(dest, source, sourcePos);
    destination.setCopyMode(previous);
}
