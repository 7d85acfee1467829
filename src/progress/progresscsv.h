#pragma once

#include "statrecord.h"

#include <QByteArray>
#include <QTimeZone>
#include <vector>

// The progress table as a CSV file that a Polish spreadsheet opens as it is: UTF-8 with a
// byte-order mark, ";" between fields, decimal commas, CRLF line ends, a header line, then one
// line per run in the order given.
class ProgressCsv {
public:
    static QByteArray Write(const std::vector<StatRecord>& records, const std::vector<int>& rows,
                            const QTimeZone& zone);
    // A field quoted when it holds a separator, a quote or a line break.
    static QString Field(const QString& text);
};
