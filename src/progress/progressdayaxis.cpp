#include "progressdayaxis.h"

#include <algorithm>
#include <cmath>

std::vector<QDate> ProgressDayAxis::LabelDays(QDate first, QDate last, int maxLabels) {
    if (!last.isValid())
        return {};
    if (!first.isValid() || first > last)
        first = last;
    const qint64 span = first.daysTo(last);
    std::vector<QDate> days;
    for (int index : LabelIndices(static_cast<int>(span + 1), maxLabels))
        days.push_back(first.addDays(index));
    return days;
}

std::vector<int> ProgressDayAxis::LabelIndices(int count, int maxLabels) {
    if (count <= 0)
        return {};
    const qint64 span = count - 1;
    const qint64 most = std::max(maxLabels, 1);
    // The smallest whole step that keeps the count within what fits; counted back from the
    // newest place, which matters most to whoever reads the chart.
    const qint64 step = most == 1 ? span + 1 : std::max<qint64>(1, (span + most - 2) / (most - 1));
    std::vector<int> indices;
    for (qint64 back = 0; back <= span && static_cast<qint64>(indices.size()) < most; back += step)
        indices.push_back(static_cast<int>(span - back));
    std::reverse(indices.begin(), indices.end());
    return indices;
}

int ProgressDayAxis::MaxLabels(double axisWidth, double labelWidth) {
    if (labelWidth <= 0)
        return 1;
    // n labels and n - 1 gaps of half a label: n × 1.5 × width − 0.5 × width ≤ axis.
    const double fit = (axisWidth + 0.5 * labelWidth) / (1.5 * labelWidth);
    return std::max(1, static_cast<int>(std::floor(fit)));
}
