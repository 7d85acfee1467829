#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Media and settings files are read only when they are regular files (after following links),
// up to a limit of bytes. A FIFO, a device (a link to /dev/zero), a socket or a folder in their
// place counts as missing, and so does a file longer than the limit: opening one never waits
// for a writer, and reading one never grows past the limit.
class RegularFile {
public:
    // True when `path` names a regular file.
    static bool Exists(const QString& path);
    // The whole file, or nothing when it is missing, not a regular file, unreadable, or holds
    // more than maxBytes.
    static std::optional<QByteArray> Read(const QString& path, qint64 maxBytes);
};
