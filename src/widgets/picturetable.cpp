#include "picturetable.h"

#include "widgetpictures.h"

QStringList PictureTable::Files() const {
    QStringList files;
    for (const Picture& picture : pictures)
        files << picture.file;
    for (const Button& button : buttons)
        files << ImageButtonPictureFiles(button.name);
    return files;
}
