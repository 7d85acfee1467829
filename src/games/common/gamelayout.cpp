#include "gamelayout.h"

#include "cdisplay.h"
#include "widgetpictures.h"

QStringList GameLayout::Files() const {
    QStringList files = backgrounds;
    for (const Button& button : buttons)
        files << ImageButtonPictureFiles(button.name);
    return files + partFiles;
}

std::vector<GameLayout::Button> GameLayout::RightColumn(const CDisplay& display,
                                                        const QStringList& names) {
    const int x = display.DesignWidth - display.DesignWidth / 10;
    const int y = display.DesignHeight / 7;
    const int row = display.DesignHeight / 8;
    std::vector<Button> buttons;
    for (int k = 0; k < names.size(); ++k)
        buttons.push_back(
            {names[k], QPoint(names[k] == QLatin1String("stop") ? x + 4 : x, y + k * row)});
    return buttons;
}
