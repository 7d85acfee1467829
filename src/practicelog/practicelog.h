#pragma once

#include "logstatement.h"
#include "systemtime.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

struct sqlite3;

// The practice log "dziennik.sqlite": every game run of every child and every answer given in
// it. Each write is one transaction, in WAL mode with synchronous=NORMAL, so that a power cut
// loses at most the last answers and never leaves a torn one. The files are readable by their
// user only. A log that is not a database, fails its check or holds other tables is kept aside
// under its damaged name (DamagedFile) and a fresh one started; a log of a newer program is
// only read. Nothing is thrown: methods say whether they worked and keep the reason.
class PracticeLog {
public:
    static constexpr int MaxNameLength = 40; // characters (code points), after trimming

    enum class Problem {
        None,
        EmptyName,
        NameTooLong,
        NameTaken,
        NotFound, // no child or game of that id
        ReadOnly, // a log of a newer version, or none open
        NoFile,   // the statistics file to import is missing or unreadable
        Database  // SQLite's reason is in LastError
    };

    struct Child {
        qint64 id = 0;
        QString name;
        QString created; // ISO 8601 UTC
        int picture = 0; // the animal picture's number, 0 for none
        bool operator==(const Child&) const = default;
    };

    struct GameStart {
        std::optional<qint64> childId; // none: the guest "Gość"
        std::int32_t kind = 0;         // as CStatRec::Kind
        int poziom = 0;
        int gloski = 0;
        int pozycja = 0;
        SystemTime started; // UTC; an invalid time means now
    };

    struct GameEnd {
        int durationS = 0;
        bool completed = false;
        int correct = 0;
        int wrong = 0;
        int hints = 0;
        bool idle = false; // the idle rule applied: the statistics file kept no record
    };

    enum class Outcome { Correct, Wrong, Hint };

    struct Attempt {
        QString word;               // catalogue key
        std::uint16_t sound = 0;    // the word's target-sound bit (WordBits::Sz, ...)
        std::uint16_t position = 0; // its position bit (WordBits::Naglos, ...)
        Outcome outcome = Outcome::Correct;
        QString answer; // what the child gave; empty for none
        SystemTime at;  // UTC; an invalid time means now
    };

    static QString FileName() { return QStringLiteral("dziennik.sqlite"); }

    // An empty clock means the system clock.
    explicit PracticeLog(QString path, SystemTime::Clock clock = {});
    PracticeLog(const PracticeLog&) = delete;
    PracticeLog& operator=(const PracticeLog&) = delete;
    ~PracticeLog();

    // Opens the log at the path, creating it when missing and starting afresh after setting a
    // damaged one aside. False when there is no log to be had (the folder cannot be written, a
    // damaged file cannot be moved, the database is busy or cannot be read).
    bool Open();
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // A log of a newer version: read, never written.
    bool IsReadOnly() const { return m_readOnly; }
    // A damaged log was set aside at the last Open; the program shows a notice.
    bool WasSetAside() const { return !m_asidePath.isEmpty(); }
    const QString& SetAsidePath() const { return m_asidePath; }
    const QString& Path() const { return m_path; }

    std::optional<qint64> AddChild(const QString& name);
    bool RenameChild(qint64 id, const QString& name);
    bool SetChildPicture(qint64 id, int picture);
    // Its games and their attempts go with it.
    bool RemoveChild(qint64 id);
    // By name.
    std::optional<std::vector<Child>> Children();

    std::optional<qint64> BeginGame(const GameStart& start);
    bool AddAttempt(qint64 gameId, const Attempt& attempt);
    // Writes the run's figures. An idle run without any attempt is dropped. The log's journal
    // is then copied into the database, which adding attempts leaves for speed.
    bool FinishGame(qint64 gameId, const GameEnd& end);

    // The records of a statistics file become games without attempts for the child (none: the
    // guest), once per file: a file imported before adds nothing. The number of games added.
    std::optional<int> ImportStatFile(const QString& path,
                                      std::optional<qint64> childId = std::nullopt);

    Problem LastProblem() const { return m_problem; }
    const QString& LastError() const { return m_error; }

    // The open connection, for the report queries.
    sqlite3* Connection() const { return m_db; }

    static QString OutcomeText(Outcome outcome);

private:
    enum class Opened { Ok, Damaged, Failed };
    Opened openConnection();
    bool setAside();
    bool protectFiles() const;
    bool writable();
    bool fail(Problem problem, const QString& error);
    bool failDb();
    // True when a write step is done; otherwise the failure, a violated constraint as
    // onConstraint with its reason.
    bool written(int rc, Problem onConstraint, const QString& why);
    bool exec(const char* sql);
    bool commit();
    void rollback();
    std::optional<QString> checkedName(const QString& name);
    QString now() const;

    QString m_path;
    SystemTime::Clock m_clock;
    sqlite3* m_db = nullptr;
    bool m_readOnly = false;
    QString m_asidePath;
    Problem m_problem = Problem::None;
    QString m_error;
    LogStatement m_insertAttempt;
};
