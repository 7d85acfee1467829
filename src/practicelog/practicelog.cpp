#include "practicelog.h"

#include "damagedfile.h"
#include "logschema.h"
#include "logtime.h"
#include "regularfile.h"
#include "statreader.h"

#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int BusyTimeoutMs = 2000;
constexpr mode_t OwnerOnly = S_IRUSR | S_IWUSR;

// Something is at the path, a dangling link included.
bool present(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

QStringList companions(const QString& path) {
    return {path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

// Errors that say the file is not a database of ours, as against a busy or unreadable one.
bool isDamage(int code) {
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

} // namespace

PracticeLog::PracticeLog(QString path, SystemTime::Clock clock)
    : m_path(std::move(path)), m_clock(std::move(clock)) {}

PracticeLog::~PracticeLog() {
    Close();
}

QString PracticeLog::OutcomeText(Outcome outcome) {
    switch (outcome) {
    case Outcome::Correct:
        return QStringLiteral("correct");
    case Outcome::Wrong:
        return QStringLiteral("wrong");
    case Outcome::Hint:
        break;
    }
    return QStringLiteral("hint");
}

QString PracticeLog::now() const {
    return LogTime::Iso(LogTime::Now(m_clock));
}

bool PracticeLog::fail(Problem problem, const QString& error) {
    m_problem = problem;
    m_error = error;
    return false;
}

bool PracticeLog::failDb() {
    return fail(Problem::Database, QString::fromUtf8(sqlite3_errmsg(m_db)));
}

bool PracticeLog::written(int rc, Problem onConstraint, const QString& why) {
    if (rc == SQLITE_DONE)
        return true;
    if (sqlite3_errcode(m_db) == SQLITE_CONSTRAINT)
        return fail(onConstraint, why);
    return failDb();
}

bool PracticeLog::exec(const char* sql) {
    return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK || failDb();
}

bool PracticeLog::commit() {
    if (exec("COMMIT"))
        return true;
    rollback();
    return false;
}

void PracticeLog::rollback() {
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void PracticeLog::Close() {
    m_insertAttempt = LogStatement();
    if (m_db)
        sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_readOnly = false;
}

bool PracticeLog::Open() {
    Close();
    m_asidePath.clear();
    m_problem = Problem::None;
    m_error.clear();
    // A journal without its database belongs to no log; one that is not a file is never
    // opened.
    const bool hasMain = present(m_path);
    for (const QString& companion : companions(m_path)) {
        if (present(companion) && (!hasMain || !RegularFile::Exists(companion)) &&
            DamagedFile::MovedAside(companion, m_clock).isEmpty())
            return fail(Problem::Database,
                        QStringLiteral("%1 cannot be moved aside").arg(companion));
    }
    if (hasMain && !RegularFile::Exists(m_path) && !setAside())
        return false;
    switch (openConnection()) {
    case Opened::Ok:
        return true;
    case Opened::Failed:
        Close();
        return false;
    case Opened::Damaged:
        break;
    }
    if (!setAside())
        return false;
    if (openConnection() == Opened::Ok)
        return true;
    Close();
    return false;
}

bool PracticeLog::setAside() {
    Close();
    m_asidePath = DamagedFile::MovedAside(m_path, m_clock);
    if (m_asidePath.isEmpty())
        return fail(Problem::Database,
                    QStringLiteral("%1 is damaged and cannot be moved aside").arg(m_path));
    // Its journal would be played into the fresh log otherwise.
    for (const QString& companion : companions(m_path))
        if (present(companion) && DamagedFile::MovedAside(companion, m_clock).isEmpty())
            return fail(Problem::Database,
                        QStringLiteral("%1 cannot be moved aside").arg(companion));
    return true;
}

PracticeLog::Opened PracticeLog::openConnection() {
    const QByteArray name = QFile::encodeName(m_path);
    if (!present(m_path)) {
        // Created here rather than by SQLite, which gives its journals the database's mode.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, OwnerOnly);
        if (fd < 0) {
            fail(Problem::Database, QStringLiteral("%1 cannot be created").arg(m_path));
            return Opened::Failed;
        }
        ::close(fd);
    }
    const auto failed = [this] {
        const int code = sqlite3_errcode(m_db);
        failDb();
        Close();
        return isDamage(code) ? Opened::Damaged : Opened::Failed;
    };
    if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        return failed();
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    {
        LogStatement check(m_db, "PRAGMA quick_check");
        if (!check.Ok())
            return failed();
        const int rc = check.Step();
        if (rc != SQLITE_ROW)
            return failed();
        if (check.Text(0) != QLatin1String("ok")) {
            fail(Problem::Database,
                 QStringLiteral("%1 fails its check: %2").arg(m_path, check.Text(0)));
            check = LogStatement();
            Close();
            return Opened::Damaged;
        }
    }
    const int version = LogSchema::UserVersion(m_db);
    if (version < 0)
        return failed();
    if (version > LogSchema::Version()) {
        // A newer program's log: read as it is, not a byte changed.
        Close();
        if (sqlite3_open_v2(name.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
            !exec("PRAGMA query_only = ON"))
            return failed();
        sqlite3_busy_timeout(m_db, BusyTimeoutMs);
        m_readOnly = true;
        return Opened::Ok;
    }
    const bool own = version == 0
                         ? LogStatement(m_db, "SELECT 1 FROM sqlite_master").Step() == SQLITE_DONE
                         : LogSchema::HasOwnTables(m_db, version);
    if (!own) {
        fail(Problem::Database, QStringLiteral("%1 holds other tables").arg(m_path));
        Close();
        return Opened::Damaged;
    }
    {
        LogStatement wal(m_db, "PRAGMA journal_mode = WAL");
        if (wal.Step() != SQLITE_ROW || wal.Text(0) != QLatin1String("wal"))
            return failed();
    }
    // The journal is copied back into the database (with a flush to disk, tens of ms) when a
    // game ends, not while a child waits for an answer to be taken.
    if (!exec("PRAGMA synchronous = NORMAL") || !exec("PRAGMA foreign_keys = ON") ||
        !exec("PRAGMA wal_autocheckpoint = 0"))
        return failed();
    QString error;
    if (!LogSchema::Migrate(m_db, version, error)) {
        fail(Problem::Database, error);
        Close();
        return Opened::Failed;
    }
    if (!protectFiles()) {
        fail(Problem::Database, QStringLiteral("%1 cannot be made private").arg(m_path));
        Close();
        return Opened::Failed;
    }
    m_insertAttempt = LogStatement(m_db,
                                   "INSERT INTO attempts(game_id, at, word, sound, position, "
                                   "outcome, answer) VALUES (?, ?, ?, ?, ?, ?, ?)",
                                   true);
    if (!m_insertAttempt.Ok())
        return failed();
    return Opened::Ok;
}

bool PracticeLog::protectFiles() const {
    QStringList files = companions(m_path);
    files.prepend(m_path);
    for (const QString& file : files) {
        if (!RegularFile::Exists(file))
            continue;
        if (::chmod(QFile::encodeName(file).constData(), OwnerOnly) != 0)
            return false;
    }
    return true;
}

bool PracticeLog::writable() {
    if (!m_db)
        return fail(Problem::ReadOnly, QStringLiteral("the practice log is not open"));
    if (m_readOnly)
        return fail(Problem::ReadOnly,
                    QStringLiteral("the practice log is of a newer version and is only read"));
    m_problem = Problem::None;
    m_error.clear();
    return true;
}

std::optional<QString> PracticeLog::checkedName(const QString& name) {
    const QString trimmed = name.normalized(QString::NormalizationForm_C).trimmed();
    if (trimmed.isEmpty()) {
        fail(Problem::EmptyName, QStringLiteral("a child's name cannot be empty"));
        return std::nullopt;
    }
    if (trimmed.toUcs4().size() > MaxNameLength) {
        fail(Problem::NameTooLong,
             QStringLiteral("a child's name has at most %1 characters").arg(MaxNameLength));
        return std::nullopt;
    }
    return trimmed;
}

std::optional<qint64> PracticeLog::AddChild(const QString& name) {
    if (!writable())
        return std::nullopt;
    const std::optional<QString> checked = checkedName(name);
    if (!checked)
        return std::nullopt;
    LogStatement insert(m_db, "INSERT INTO children(name, created) VALUES (?, ?)");
    insert.Bind(1, *checked);
    insert.Bind(2, now());
    if (!written(insert.Step(), Problem::NameTaken,
                 QStringLiteral("there is a child named %1").arg(*checked)))
        return std::nullopt;
    return sqlite3_last_insert_rowid(m_db);
}

bool PracticeLog::RenameChild(qint64 id, const QString& name) {
    if (!writable())
        return false;
    const std::optional<QString> checked = checkedName(name);
    if (!checked)
        return false;
    LogStatement update(m_db, "UPDATE children SET name = ? WHERE id = ?");
    update.Bind(1, *checked);
    update.Bind(2, id);
    if (!written(update.Step(), Problem::NameTaken,
                 QStringLiteral("there is a child named %1").arg(*checked)))
        return false;
    return sqlite3_changes(m_db) > 0 ||
           fail(Problem::NotFound, QStringLiteral("no child %1").arg(id));
}

bool PracticeLog::SetChildPicture(qint64 id, int picture) {
    if (!writable())
        return false;
    LogStatement update(m_db, "UPDATE children SET picture = ? WHERE id = ?");
    update.Bind(1, qint64(picture));
    update.Bind(2, id);
    if (update.Step() != SQLITE_DONE)
        return failDb();
    return sqlite3_changes(m_db) > 0 ||
           fail(Problem::NotFound, QStringLiteral("no child %1").arg(id));
}

bool PracticeLog::RemoveChild(qint64 id) {
    if (!writable())
        return false;
    LogStatement remove(m_db, "DELETE FROM children WHERE id = ?");
    remove.Bind(1, id);
    if (remove.Step() != SQLITE_DONE)
        return failDb();
    return sqlite3_changes(m_db) > 0 ||
           fail(Problem::NotFound, QStringLiteral("no child %1").arg(id));
}

std::optional<std::vector<PracticeLog::Child>> PracticeLog::Children() {
    if (!m_db) {
        fail(Problem::ReadOnly, QStringLiteral("the practice log is not open"));
        return std::nullopt;
    }
    LogStatement select(m_db, "SELECT id, name, created, picture FROM children ORDER BY name");
    std::vector<Child> children;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        children.push_back({select.Int(0), select.Text(1), select.Text(2), int(select.Int(3))});
    if (rc != SQLITE_DONE) {
        failDb();
        return std::nullopt;
    }
    return children;
}

std::optional<qint64> PracticeLog::BeginGame(const GameStart& start) {
    if (!writable())
        return std::nullopt;
    LogStatement insert(m_db, "INSERT INTO games(child_id, kind, started, poziom, gloski, "
                              "pozycja) VALUES (?, ?, ?, ?, ?, ?)");
    insert.Bind(1, start.childId);
    insert.Bind(2, qint64(start.kind));
    insert.Bind(3, start.started.isValid() ? LogTime::Iso(start.started) : now());
    insert.Bind(4, qint64(start.poziom));
    insert.Bind(5, qint64(start.gloski));
    insert.Bind(6, qint64(start.pozycja));
    if (!written(insert.Step(), Problem::NotFound,
                 QStringLiteral("no child %1").arg(start.childId.value_or(0))))
        return std::nullopt;
    return sqlite3_last_insert_rowid(m_db);
}

bool PracticeLog::AddAttempt(qint64 gameId, const Attempt& attempt) {
    if (!writable())
        return false;
    LogStatement& insert = m_insertAttempt;
    insert.Bind(1, gameId);
    insert.Bind(2, attempt.at.isValid() ? LogTime::Iso(attempt.at) : now());
    insert.Bind(3, attempt.word);
    insert.Bind(4, qint64(attempt.sound));
    insert.Bind(5, qint64(attempt.position));
    insert.Bind(6, OutcomeText(attempt.outcome));
    if (attempt.answer.isEmpty())
        insert.BindNull(7);
    else
        insert.Bind(7, attempt.answer);
    // Judged before the reset, which clears the statement's error.
    const bool ok =
        written(insert.Step(), Problem::NotFound, QStringLiteral("no game %1").arg(gameId));
    insert.Reset();
    return ok;
}

bool PracticeLog::FinishGame(qint64 gameId, const GameEnd& end) {
    if (!writable() || !exec("BEGIN IMMEDIATE"))
        return false;
    LogStatement update(m_db, "UPDATE games SET duration_s = ?, completed = ?, correct = ?, "
                              "wrong = ?, hints = ?, idle = ? WHERE id = ?");
    update.Bind(1, qint64(end.durationS));
    update.Bind(2, qint64(end.completed));
    update.Bind(3, qint64(end.correct));
    update.Bind(4, qint64(end.wrong));
    update.Bind(5, qint64(end.hints));
    update.Bind(6, qint64(end.idle));
    update.Bind(7, gameId);
    if (update.Step() != SQLITE_DONE) {
        failDb();
        rollback();
        return false;
    }
    if (sqlite3_changes(m_db) == 0) {
        rollback();
        return fail(Problem::NotFound, QStringLiteral("no game %1").arg(gameId));
    }
    if (end.idle) {
        // Nothing was answered and the statistics file keeps no record: nothing to keep.
        LogStatement drop(m_db, "DELETE FROM games WHERE id = ?1 AND NOT EXISTS "
                                "(SELECT 1 FROM attempts WHERE game_id = ?1)");
        drop.Bind(1, gameId);
        if (drop.Step() != SQLITE_DONE) {
            failDb();
            rollback();
            return false;
        }
    }
    if (!commit())
        return false;
    // A busy reader only makes it copy less; what is left goes at the next game's end.
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return true;
}

std::optional<int> PracticeLog::ImportStatFile(const QString& path, std::optional<qint64> childId) {
    if (!writable())
        return std::nullopt;
    const StatReader::Result file = StatReader::ReadFile(path);
    if (file.status != StatReader::Status::Read || !file.headerRecognised) {
        fail(Problem::NoFile, file.status == StatReader::Status::Read
                                  ? QStringLiteral("%1 is not a statistics file").arg(path)
                              : file.error.isEmpty() ? QStringLiteral("%1 is missing").arg(path)
                                                     : file.error);
        return std::nullopt;
    }
    // The same file under another name (a link, "..") is the same file.
    const QString key = QFileInfo(path).canonicalFilePath();
    if (!exec("BEGIN IMMEDIATE"))
        return std::nullopt;
    const auto abandon = [this](bool dbError) -> std::optional<int> {
        if (dbError)
            failDb();
        rollback();
        return std::nullopt;
    };
    LogStatement seen(m_db, "SELECT 1 FROM imported WHERE path = ?");
    seen.Bind(1, key);
    const int rc = seen.Step();
    if (rc == SQLITE_ROW) {
        rollback();
        return 0;
    }
    if (rc != SQLITE_DONE)
        return abandon(true);
    LogStatement insert(m_db, "INSERT INTO games(child_id, kind, started, duration_s, poziom, "
                              "gloski, pozycja, completed, correct, wrong, hints) "
                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    int added = 0;
    for (const StatRecord& record : file.records) {
        // A record without a real start time has no place among dated games.
        const QString started = LogTime::Iso(record.start);
        if (started.isEmpty())
            continue;
        insert.Bind(1, childId);
        insert.Bind(2, qint64(record.kind));
        insert.Bind(3, started);
        insert.Bind(4, qint64(record.duration));
        insert.Bind(5, qint64(record.poziom));
        insert.Bind(6, qint64(record.gloski));
        insert.Bind(7, qint64(record.pozycja));
        insert.Bind(8, qint64(record.completed));
        insert.Bind(9, qint64(record.correct));
        insert.Bind(10, qint64(record.wrong));
        insert.Bind(11, qint64(record.hints));
        if (insert.Step() != SQLITE_DONE) {
            if (sqlite3_errcode(m_db) == SQLITE_CONSTRAINT) {
                rollback();
                fail(Problem::NotFound, QStringLiteral("no child %1").arg(childId.value_or(0)));
                return std::nullopt;
            }
            return abandon(true);
        }
        insert.Reset();
        ++added;
    }
    LogStatement remember(m_db, "INSERT INTO imported(path, at, games) VALUES (?, ?, ?)");
    remember.Bind(1, key);
    remember.Bind(2, now());
    remember.Bind(3, qint64(added));
    if (remember.Step() != SQLITE_DONE)
        return abandon(true);
    if (!commit())
        return std::nullopt;
    return added;
}
