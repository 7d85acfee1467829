#include "progressdayaxis.h"

#include <algorithm>
#include <cmath>

std::vector<QDate> ProgressDayAxis::LabelDays(QDate first, QDate last, int maxLabels) {
    if (!last.isValid())
        return {};
    if (!first.isValid() || first > last)
        first = last;
    const qint64 span = first.daysTo(last);
    const qint64 most = std::max(maxLabels, 1);
    // The smallest whole step that keeps the count within what fits; counted back from the
    // newest day, which matters most to whoever reads the chart.
    const qint64 step = most == 1 ? span + 1 : std::max<qint64>(1, (span + most - 2) / (most - 1));
    std::vector<QDate> days;
    for (qint64 back = 0; back <= span && static_cast<qint64>(days.size()) < most; back += step)
        days.push_back(last.addDays(-back));
    std::reverse(days.begin(), days.end());
    return days;
}

int ProgressDayAxis::MaxLabels(double axisWidth, double labelWidth) {
    if (labelWidth <= 0)
        return 1;
    // n labels and n - 1 gaps of half a label: n × 1.5 × width − 0.5 × width ≤ axis.
    const double fit = (axisWidth + 0.5 * labelWidth) / (1.5 * labelWidth);
    return std::max(1, static_cast<int>(std::floor(fit)));
}
