#pragma once

#include <QString>
#include <QTimeZone>
#include <cstdio>

// "wiklotek --export-csv FILE": the whole progress table written as CSV, newest run first,
// without a window or a display; "-" writes it to the output stream. Exit status 0 when
// written; 2 when the statistics file cannot be read; 3 when FILE cannot be written. Reasons go
// to the error stream as one line. (The command line itself is read by the entry.)
class ProgressExport {
public:
    static constexpr int ExitWritten = 0;
    static constexpr int ExitUnreadable = 2;
    static constexpr int ExitNotSaved = 3;

    // csvPath: the file to write, or "-"; statisticsPath: the statistics file the program keeps.
    static int Run(const QString& csvPath, const QString& statisticsPath,
                   const QTimeZone& zone = QTimeZone::systemTimeZone(), std::FILE* out = stdout,
                   std::FILE* err = stderr);
    // Writes the whole table of the statistics file to csvPath atomically. False with the
    // reason in error, and the status to end with in status.
    static bool WriteCsv(const QString& statisticsPath, const QString& csvPath,
                         const QTimeZone& zone, QString& error, int& status);

private:
    static QByteArray Table(const QString& statisticsPath, const QTimeZone& zone, QString& error,
                            int& status, bool& read);
};
