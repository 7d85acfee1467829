#include "logreader.h"

#include "logschema.h"
#include "logstatement.h"

#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace {
constexpr int BusyTimeoutMs = 2000;
} // namespace

LogReader::LogReader(QString path) : m_path(std::move(path)) {}

LogReader::~LogReader() {
    Close();
}

void LogReader::Close() {
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool LogReader::fail(const QString& error) {
    m_error = error;
    Close();
    return false;
}

bool LogReader::Open() {
    Close();
    m_error.clear();
    // SQLite would take a folder or a missing file for an empty database.
    if (!QFileInfo(m_path).isFile())
        return fail(QStringLiteral("%1 is missing").arg(m_path));
    if (sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        return fail(QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : "out of memory"));
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    if (sqlite3_exec(m_db, "PRAGMA query_only = ON", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(QString::fromUtf8(sqlite3_errmsg(m_db)));
    const int version = LogSchema::UserVersion(m_db);
    if (version < 0)
        return fail(QStringLiteral("%1: %2").arg(m_path, QString::fromUtf8(sqlite3_errmsg(m_db))));
    if (!LogSchema::HasOwnTables(m_db, std::min(version, LogSchema::Version())))
        return fail(QStringLiteral("%1 is not a practice log").arg(m_path));
    return true;
}

std::optional<std::vector<PracticeLog::Child>> LogReader::Children() {
    if (!m_db) {
        m_error = QStringLiteral("the practice log is not open");
        return std::nullopt;
    }
    LogStatement select(m_db, "SELECT id, name, created FROM children ORDER BY name");
    std::vector<PracticeLog::Child> children;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        children.push_back({select.Int(0), select.Text(1), select.Text(2)});
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db));
        return std::nullopt;
    }
    return children;
}

std::optional<PracticeLog::Child> LogReader::ChildNamed(const QString& name) {
    const std::optional<std::vector<PracticeLog::Child>> children = Children();
    if (!children)
        return std::nullopt;
    // Names are kept trimmed and composed (PracticeLog), so the one typed is taken the same way.
    const QString wanted = name.normalized(QString::NormalizationForm_C).trimmed();
    std::optional<PracticeLog::Child> folded;
    int foldedCount = 0;
    for (const PracticeLog::Child& child : *children) {
        if (child.name == wanted)
            return child;
        if (child.name.compare(wanted, Qt::CaseInsensitive) == 0) {
            folded = child;
            ++foldedCount;
        }
    }
    return foldedCount == 1 ? folded : std::nullopt;
}
