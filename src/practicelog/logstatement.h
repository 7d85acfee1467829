#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQL statement, finalized when it goes. Binding and reading go by 1-based
// parameter and 0-based column index, as in SQLite itself.
class LogStatement {
public:
    LogStatement() = default;
    // Check Ok() (or the result of Step) before use; the reason is in the connection.
    LogStatement(sqlite3* db, const char* sql, bool persistent = false);
    LogStatement(const LogStatement&) = delete;
    LogStatement& operator=(const LogStatement&) = delete;
    LogStatement(LogStatement&& other) noexcept;
    LogStatement& operator=(LogStatement&& other) noexcept;
    ~LogStatement();

    bool Ok() const { return m_stmt != nullptr; }

    void Bind(int index, qint64 value);
    void Bind(int index, const QString& value);
    void Bind(int index, const std::optional<qint64>& value);
    void BindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    // Steps until done; true when no step failed.
    bool Run();
    // Ready to be bound and stepped again.
    void Reset();

    qint64 Int(int column) const;
    QString Text(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
};
