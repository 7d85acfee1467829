#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <cstdio>

// "wiklotek --export-csv FILE": the whole progress table written as CSV, newest run first,
// without a window or a display; "-" writes it to the output stream. Exit status 0 when
// written; 2 when the statistics file cannot be read; 3 when FILE cannot be written; 4 when
// FILE is one of the program's own files, which is never written over. Reasons go to the error
// stream as one line. (The command line itself is read by the entry.)
class ProgressExport {
public:
    static constexpr int ExitWritten = 0;
    static constexpr int ExitUnreadable = 2;
    static constexpr int ExitNotSaved = 3;
    static constexpr int ExitOwnFile = 4;

    // csvPath: the file to write, or "-"; statisticsPath: the statistics file the program keeps;
    // ownPaths: the program's other files and folders (the statistics file is one anyway).
    static int Run(const QString& csvPath, const QString& statisticsPath,
                   const QStringList& ownPaths = {},
                   const QTimeZone& zone = QTimeZone::systemTimeZone(), std::FILE* out = stdout,
                   std::FILE* err = stderr);
};
