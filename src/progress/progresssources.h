#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// What the progress view reads and may not write over: the practice log, the statistics file
// of the profile practising (read when the log cannot be), and who that is, the view's first
// choice of child.
struct ProgressSources {
    QString logPath;               // "dziennik.sqlite"
    QString statisticsPath;        // the practising profile's "prgst1.stt"
    std::optional<qint64> childId; // the practising child; none: the guest
    QString childName;             // "Gość" for the guest
    // The program's files and folders that a save must never replace.
    QStringList ownPaths;
};
