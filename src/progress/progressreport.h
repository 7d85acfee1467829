#pragma once

#include "logfigures.h"
#include "statrecord.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <optional>
#include <vector>

class QChartView;
class QPagedPaintDevice;

// The printed report of the progress window, for a parent: whose it is and for which days, the
// therapist's note, the totals, the table of sounds at each position, the accuracy week by week,
// the words missed most often with their pictures, the charts of the window and the last runs,
// on as many A4 pages as it takes. No text is ever cut short: a table's columns are as wide as
// their longest word, lines wrap between words, and a table too wide for the page is set in a
// smaller type.
class ProgressReport {
public:
    static constexpr int RunsShown = 20;

    struct Content {
        QString childName; // empty: nobody named (the statistics file alone)
        QString period;    // "03.01.2026 – 05.03.2026"
        QString filters;
        QString totals;
        QString note;                      // the therapist's, as typed
        std::optional<LogFigures> figures; // none: the practice log was not read
        std::vector<QImage> wordPictures;  // one per figures->words, null for none
        QChartView* dayChart = nullptr;
        QChartView* groupChart = nullptr;
        const std::vector<StatRecord>* records = nullptr;
        const QStringList* names = nullptr; // whose each record is; null: no such column
        std::vector<int> rows;              // newest first; the first RunsShown are printed
        QTimeZone zone;
        QString madeAt; // local date and time of the report
    };

    // Every text as it was drawn, for checking that each is whole and on its page.
    struct Text {
        int page = 0;
        QRectF box;
        QString text;
        QFont font;
        int flags = 0;
    };
    struct Drawn {
        int pages = 0;
        QRectF page; // the printable area, in the device's units
        std::vector<Text> texts;
    };

    // The report's PDF bytes; empty when it could not be made.
    static QByteArray Pdf(const Content& content, Drawn* drawn = nullptr);
    // On any paged device, a printer as well as a PDF writer; false when it could not be
    // painted.
    static bool Paint(QPagedPaintDevice& device, const Content& content, Drawn* drawn = nullptr);
};
