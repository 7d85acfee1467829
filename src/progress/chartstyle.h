#pragma once

#include <QFont>

class QValueAxis;

// What the progress window's charts share: their font, and the accuracy axis from 0 to 100 %
// in steps of 20 with room above the top, so that a perfect point and a bar's value are not cut
// by the plot's border.
class ChartStyle {
public:
    static QFont Font(int pixelSize, bool bold = false);
    static QValueAxis* PercentAxis(int pixelSize);
};
