#include "chartstyle.h"

#include <QValueAxis>

QFont ChartStyle::Font(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QValueAxis* ChartStyle::PercentAxis(int pixelSize) {
    auto* axis = new QValueAxis;
    axis->setRange(0, 114);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(20);
    axis->setLabelFormat(QStringLiteral("%d %%"));
    axis->setLabelsFont(Font(pixelSize));
    return axis;
}
