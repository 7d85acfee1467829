#pragma once

#include <QString>

struct sqlite3;

// The log's tables, by version. The version is kept in PRAGMA user_version: 0 is a database
// without any of them, and each step takes a database from version N to N + 1. Steps are only
// ever added at the end, never changed, since logs of every earlier version are out there.
class LogSchema {
public:
    static int Version();

    // Runs the steps from the database's version to Version() in one transaction, so a log is
    // at one version or the next, never between. False (and the reason in error) when a step
    // failed; the database then stays as it was.
    static bool Migrate(sqlite3* db, int fromVersion, QString& error);
    // The tables of the given version are all there (a log of ours, not another database).
    static bool HasOwnTables(sqlite3* db, int version);

    static int UserVersion(sqlite3* db);
};
