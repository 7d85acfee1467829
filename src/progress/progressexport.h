#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <cstdio>
#include <optional>

// "wiklotek --export-csv FILE" and "--export-attempts FILE", each with "--child NAME" or for
// everyone: the progress table (every game, newest first, with whose it is) or every answer
// written as CSV, without a window or a display; "-" writes it to the output stream. The games
// come from the practice log, or from the statistics file when the log cannot be read (that
// file is the guest's). Exit status 0 when written; 2 when neither can be read, the answers'
// log cannot be, or there is no child of that name; 3 when FILE cannot be written; 4 when FILE
// is one of the program's own files, which is never written over. Reasons go to the error
// stream as one line. (The command line itself is read by the entry.)
class ProgressExport {
public:
    static constexpr int ExitWritten = 0;
    static constexpr int ExitUnreadable = 2;
    static constexpr int ExitNotSaved = 3;
    static constexpr int ExitOwnFile = 4;

    struct Request {
        QString file; // the file to write, or "-"
        QString logPath;
        QString statisticsPath;
        std::optional<QString> child; // none: everyone
        // The program's other files and folders (the log and the statistics file are anyway).
        QStringList ownPaths;
        QTimeZone zone = QTimeZone::systemTimeZone();
        std::FILE* out = stdout;
        std::FILE* err = stderr;
    };

    static int Games(const Request& request);
    static int Answers(const Request& request);

    // The statistics file alone, as before there was a log.
    static int Run(const QString& csvPath, const QString& statisticsPath,
                   const QStringList& ownPaths = {},
                   const QTimeZone& zone = QTimeZone::systemTimeZone(), std::FILE* out = stdout,
                   std::FILE* err = stderr);
};
