#pragma once

#include "systemtime.h"

#include <QString>

class IniFile;

// A file whose content the program could not read keeps its bytes under a name of its own
// beside it: its name + ".damaged." + the UTC time, e.g. "prgst1.stt.damaged.20250102-153007",
// with "-2", "-3", ... when that name is taken. An earlier kept file is never overwritten.
class DamagedFile {
public:
    static QString AsideName(const QString& path, const SystemTime& when);

    // Renames the file to its aside name; false when it could not be moved. An empty clock
    // means the system clock.
    static bool MoveAside(const QString& path, const SystemTime::Clock& clock = {});
    // The same, giving the name it now has; empty when it could not be moved.
    static QString MovedAside(const QString& path, const SystemTime::Clock& clock = {});
    // Copies its bytes to the aside name and leaves the file itself as it is, for a file that
    // is about to be replaced whole; false when no copy could be made.
    static bool CopyAside(const QString& path, const SystemTime::Clock& clock = {});
    // Keeps the given bytes of the file (a piece about to be cut off it) under the aside name;
    // false when they could not be kept.
    static bool KeepAside(const QString& path, const QByteArray& bytes,
                          const SystemTime::Clock& clock = {});
    // Loads an ini file that is about to be written back. One holding lines the reader could
    // make nothing of is copied aside first, since the rewrite drops them; false when it could
    // not be loaded or copied, and then it must not be written.
    static bool LoadIniForRewrite(IniFile& ini);

private:
    // The first free aside name, or empty when there is none.
    static QString freeName(const QString& path, const SystemTime::Clock& clock);
};
