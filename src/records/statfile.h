#pragma once

#include "statrecord.h"
#include "systemtime.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <functional>

class QFile;

// The statistics file on disk: a 20-byte header (program number, creation time in UTC) and
// then 44-byte records, all little-endian. Records are only ever appended, each whole or not at
// all. A file of ours that ends in a piece of a record (an append cut short by a power cut)
// keeps its whole records: only the piece is kept aside and cut off, and records are appended
// after the last whole one. A file that is not ours is moved aside under a new name and a
// fresh file is started, so that later records stay readable; nothing is ever deleted.
class StatFile {
public:
    static constexpr int HeaderSize = 20;
    static constexpr int RecordSize = StatRecord::Size;

    // Writes size bytes to the open file in one call; returns the count written, or -1.
    // Tests replace it to play a full disk.
    using Writer = std::function<qint64(QFile& file, const char* data, qint64 size)>;

    // An empty clock means the system clock.
    StatFile(QString path, std::int32_t programNumber, SystemTime::Clock clock = {});

    const QString& Path() const { return m_path; }
    std::int32_t ProgramNumber() const { return m_programNumber; }

    // Leaves a usable file at the path: creates it with its header when missing, after moving
    // a damaged one aside; cuts a torn last record off, after keeping it aside. False when there is
    // no file to be had (a directory in its place, a folder that cannot be written, a damaged file
    // that cannot be moved, a file of ours that cannot be appended to).
    bool Prepare();
    // Appends one record of RecordSize bytes with a single write. On a short or failed write
    // the file is cut back to its previous length, so a half record never stays behind.
    bool Append(const char* record);
    void SetWriter(Writer writer) { m_writer = std::move(writer); }

    static void EncodeHeader(std::int32_t programNumber, const SystemTime& created, char* out);
    // The program number matches and the creation time is a plausible calendar time.
    static bool IsOwnHeader(const char* header, std::int32_t programNumber);
    // A header followed by whole records only.
    static bool IsWholeRecords(qint64 size);

    static void Put16(char* out, std::uint16_t value);
    static void Put32(char* out, std::int32_t value);

private:
    enum class State { Usable, TornTail, Damaged };
    State state() const;
    bool cutTornTail() const;
    bool canAppend() const;
    bool create();

    QString m_path;
    std::int32_t m_programNumber;
    SystemTime::Clock m_clock;
    Writer m_writer;
};
