#pragma once

#include "practicereport.h"
#include "statrecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <vector>

// The progress table as a CSV file that a Polish spreadsheet opens as it is: UTF-8 with a
// byte-order mark, ";" between fields, decimal commas, CRLF line ends, a header line, then one
// line per run in the order given.
class ProgressCsv {
public:
    // With names (one per record), a last column "Dziecko" says whose each run is.
    static QByteArray Write(const std::vector<StatRecord>& records, const std::vector<int>& rows,
                            const QTimeZone& zone, const QStringList* names = nullptr);
    // Every answer in the order given, with its time to the second, the written word and its
    // catalogue key, the sound, the position, the outcome, what the child gave and whose it is.
    static QByteArray WriteAnswers(const std::vector<PracticeReport::Answer>& answers,
                                   const QTimeZone& zone);
    // A field quoted when it holds a separator, a quote or a line break.
    static QString Field(const QString& text);
    // "Gość" for the guest.
    static QString ChildName(const QString& name);
    static QString OutcomeName(const QString& outcome);
};
