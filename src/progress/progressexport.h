#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <cstdio>

// "wiklotek --export-csv FILE": the whole progress table written as CSV, newest run first,
// without a window or a display. Exit status 0 when written; 2 when the statistics file
// cannot be read or no FILE was given; 3 when FILE cannot be written. Reasons go to the error
// stream as one line.
class ProgressExport {
public:
    static constexpr int ExitWritten = 0;
    static constexpr int ExitUnreadable = 2;
    static constexpr int ExitNotSaved = 3;

    // The switch as the first argument after the program name.
    static bool IsRequested(const QStringList& arguments);
    // arguments as typed; statisticsPath: the statistics file the program keeps.
    static int Run(const QStringList& arguments, const QString& statisticsPath,
                   const QTimeZone& zone = QTimeZone::systemTimeZone(), std::FILE* out = stdout,
                   std::FILE* err = stderr);
    // Writes the whole table of the statistics file to csvPath atomically. False with the
    // reason in error, and the status to end with in status.
    static bool WriteCsv(const QString& statisticsPath, const QString& csvPath,
                         const QTimeZone& zone, QString& error, int& status);
};
