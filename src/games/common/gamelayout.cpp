#include "gamelayout.h"

#include "widgetpictures.h"

QStringList GameLayout::Files() const {
    QStringList files = backgrounds;
    for (const Button& button : buttons)
        files << ImageButtonPictureFiles(button.name);
    return files + partFiles;
}
