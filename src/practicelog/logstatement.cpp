#include "logstatement.h"

#include <sqlite3.h>
#include <utility>

LogStatement::LogStatement(sqlite3* db, const char* sql, bool persistent) {
    if (sqlite3_prepare_v3(db, sql, -1, persistent ? SQLITE_PREPARE_PERSISTENT : 0, &m_stmt,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

LogStatement::LogStatement(LogStatement&& other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr)) {}

LogStatement& LogStatement::operator=(LogStatement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

LogStatement::~LogStatement() {
    sqlite3_finalize(m_stmt);
}

void LogStatement::Bind(int index, qint64 value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void LogStatement::Bind(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void LogStatement::Bind(int index, const std::optional<qint64>& value) {
    if (value)
        Bind(index, *value);
    else
        BindNull(index);
}

void LogStatement::BindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

int LogStatement::Step() {
    return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE;
}

bool LogStatement::Run() {
    int rc;
    while ((rc = Step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE;
}

void LogStatement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

qint64 LogStatement::Int(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

QString LogStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)) : QString();
}

bool LogStatement::IsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}
