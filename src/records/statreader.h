#pragma once

#include "statrecord.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <vector>

// Reads the statistics file for the progress view and the CSV export, never writing to it.
// Whatever the file holds, every whole record after the header comes back exactly as stored,
// odd values included, so that nothing a child played is hidden; what could not be used is
// counted instead of guessed at.
class StatReader {
public:
    enum class Status {
        Read,      // the file was read (it may hold no records)
        Missing,   // there is no file yet
        Unreadable // there is something at the path that cannot be read
    };

    struct Result {
        Status status = Status::Missing;
        QString error; // why the file could not be read, in English, for standard error
        // The first 20 bytes are a header of this program; false for a header of another
        // program number, an impossible creation time, or a file shorter than a header.
        bool headerRecognised = false;
        std::vector<StatRecord> records; // in file order, the oldest first
        qint64 leftOutBytes = 0;         // bytes after the last whole record (or the short header)
    };

    static Result ReadFile(const QString& path, std::int32_t programNumber = 1);
    // The same for bytes already in memory (an empty array is an empty file).
    static Result Parse(const QByteArray& bytes, std::int32_t programNumber = 1);
};
