#include "logschema.h"

#include "logstatement.h"

#include <QStringList>
#include <array>
#include <sqlite3.h>

namespace {

struct Step {
    const char* sql;
    // Tables a database of the version after this step must have.
    std::array<const char*, 4> tables;
};

// Index i takes version i to i + 1.
const Step kSteps[] = {
    {R"sql(
CREATE TABLE children(
    id INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    created TEXT NOT NULL,
    picture INTEGER NOT NULL DEFAULT 0);
CREATE TABLE games(
    id INTEGER PRIMARY KEY,
    child_id INTEGER REFERENCES children(id) ON DELETE CASCADE,
    kind INTEGER NOT NULL,
    started TEXT NOT NULL,
    duration_s INTEGER,
    poziom INTEGER,
    gloski INTEGER,
    pozycja INTEGER,
    completed INTEGER,
    correct INTEGER,
    wrong INTEGER,
    hints INTEGER,
    idle INTEGER NOT NULL DEFAULT 0);
CREATE TABLE attempts(
    id INTEGER PRIMARY KEY,
    game_id INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE,
    at TEXT NOT NULL,
    word TEXT NOT NULL,
    sound INTEGER NOT NULL,
    position INTEGER NOT NULL,
    outcome TEXT NOT NULL CHECK (outcome IN ('correct','wrong','hint')),
    answer TEXT);
CREATE TABLE imported(
    path TEXT PRIMARY KEY,
    at TEXT NOT NULL,
    games INTEGER NOT NULL);
-- A child's games by date for the reports; the attempts of a game for the reports, the
-- cascade and a game's end; attempts by date for reports over all children.
CREATE INDEX games_child_started ON games(child_id, started);
CREATE INDEX attempts_game ON attempts(game_id);
CREATE INDEX attempts_at ON attempts(at);
)sql",
     {"children", "games", "attempts", "imported"}},
};

constexpr int kVersion = int(std::size(kSteps));

bool exec(sqlite3* db, const char* sql, QString& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

} // namespace

int LogSchema::Version() {
    return kVersion;
}

int LogSchema::UserVersion(sqlite3* db) {
    LogStatement version(db, "PRAGMA user_version");
    return version.Step() == SQLITE_ROW ? int(version.Int(0)) : -1;
}

bool LogSchema::Migrate(sqlite3* db, int fromVersion, QString& error) {
    if (fromVersion < 0 || fromVersion > kVersion) {
        error = QStringLiteral("no way from version %1 to %2").arg(fromVersion).arg(kVersion);
        return false;
    }
    if (fromVersion == kVersion)
        return true;
    if (!exec(db, "BEGIN IMMEDIATE", error))
        return false;
    for (int v = fromVersion; v < kVersion; ++v) {
        if (!exec(db, kSteps[v].sql, error)) {
            error = QStringLiteral("step %1 to %2: %3").arg(v).arg(v + 1).arg(error);
            QString ignored;
            exec(db, "ROLLBACK", ignored);
            return false;
        }
    }
    const QByteArray setVersion =
        QByteArrayLiteral("PRAGMA user_version = ") + QByteArray::number(kVersion);
    if (!exec(db, setVersion.constData(), error) || !exec(db, "COMMIT", error)) {
        QString ignored;
        exec(db, "ROLLBACK", ignored);
        return false;
    }
    return true;
}

bool LogSchema::HasOwnTables(sqlite3* db, int version) {
    if (version < 1 || version > kVersion)
        return false;
    LogStatement tables(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
    QStringList names;
    while (tables.Step() == SQLITE_ROW)
        names << tables.Text(0);
    for (const char* table : kSteps[version - 1].tables)
        if (table && !names.contains(QLatin1String(table)))
            return false;
    return true;
}
