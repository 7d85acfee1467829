#pragma once

#include "statrecord.h"

#include <QByteArray>
#include <QString>
#include <QTimeZone>
#include <vector>

class QChartView;

// The one-page PDF report of the progress window: a heading with the date and the filters,
// the totals, both charts side by side and the last 20 runs shown, on A4.
class ProgressReport {
public:
    static constexpr int RunsShown = 20;

    struct Content {
        QString filters;
        QString totals;
        QChartView* dayChart = nullptr;
        QChartView* groupChart = nullptr;
        const std::vector<StatRecord>* records = nullptr;
        std::vector<int> rows; // newest first; the first RunsShown are printed
        QTimeZone zone;
        QString madeAt; // local date and time of the report
    };

    // The report's PDF bytes; empty when it could not be made.
    static QByteArray Pdf(const Content& content);
};
