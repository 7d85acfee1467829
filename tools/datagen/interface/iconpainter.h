#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QPainter;

// The program's icon for the desktop menu: a speech bubble saying "sz" over a sunny meadow, in
// the palette and shapes of the other interface pictures. One drawing serves the scalable SVG
// and every PNG size of the icon theme.
class IconPainter {
public:
    // The drawing's own coordinates: a square of this side.
    static constexpr int DesignSize = 256;
    static constexpr const char* IconName = "wiklotek";

    // Draws the icon into the design square.
    static void paint(QPainter& p);
    // The icon at size x size pixels, transparent around the rounded tile.
    static QImage png(int size);
    static QByteArray svg();
    // The PNG sizes of the theme.
    static QList<int> pngSizes();

    // Writes the icon into an icon theme tree under dir: hicolor/<n>x<n>/apps/wiklotek.png and
    // hicolor/scalable/apps/wiklotek.svg. Every file that could not be written is named in
    // errors; true when none failed.
    static bool writeTheme(const QString& dir, QStringList* errors);
};
