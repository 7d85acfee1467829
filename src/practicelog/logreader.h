#pragma once

#include "practicelog.h"

#include <QString>
#include <optional>
#include <vector>

struct sqlite3;

// The practice log opened only to be read, as the progress view and the exports read it while
// the program may be writing it through its own connection: never created, migrated, set aside
// or written (SQLite keeps its shared-memory index beside it, as for any reader). A log of a
// newer program is read as long as it keeps the tables this one knows.
class LogReader {
public:
    explicit LogReader(QString path);
    LogReader(const LogReader&) = delete;
    LogReader& operator=(const LogReader&) = delete;
    ~LogReader();

    // False when there is no log at the path, or it is busy, unreadable or not ours; the reason
    // is in LastError.
    bool Open();
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* Connection() const { return m_db; }
    const QString& Path() const { return m_path; }
    const QString& LastError() const { return m_error; }

    // By name.
    std::optional<std::vector<PracticeLog::Child>> Children();
    // The child of that name: as typed after trimming, or else the one child whose name differs
    // only in case. None when there is no such child (or the log cannot say).
    std::optional<PracticeLog::Child> ChildNamed(const QString& name);

private:
    bool fail(const QString& error);

    QString m_path;
    sqlite3* m_db = nullptr;
    QString m_error;
};
