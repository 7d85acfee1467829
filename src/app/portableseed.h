#pragma once

#include <QString>

class FileHome;

// A start from a locked portable folder (see FileHome::readOnlyPortable) goes on with the
// settings, statistics and recordings kept there: each is copied into the per-user folder while
// that folder has none of its own, and is never copied over one. What cannot be copied is made
// new by its owner, as on any first start.
class PortableSeed {
public:
    // The settings file, before it is read.
    static void Settings(const FileHome& home);
    // The statistics file (named by its keeper) and the recordings folder: once the start has
    // passed its checks, so that a start ending in an error leaves no such file behind.
    static void Records(const FileHome& home, const QString& statisticsFileName);

    // The file, or the folder whole, at target; nothing when target already exists. The copy
    // is the user's to write whatever the original's permissions. False when nothing was
    // copied.
    static bool CopyMissing(const QString& source, const QString& target);
};
