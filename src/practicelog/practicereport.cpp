#include "practicereport.h"

#include "logreader.h"
#include "logstatement.h"
#include "logtime.h"
#include "practicelog.h"
#include "wordbits.h"

#include <QDateTime>
#include <sqlite3.h>

namespace {

const std::uint16_t kSounds[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh,
                                 WordBits::S,  WordBits::Z,  WordBits::C,  WordBits::Dz};
const std::uint16_t kPositions[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};

// What a filter covers, as SQL over attempts "a" joined to their games "g" (or over games alone),
// with the children "c" when names are wanted. Only the conditions a filter sets are written,
// so that SQLite can use the indexes by child and date. Parameters: ?1 the child, ?2 from
// (inclusive), ?3 to (exclusive), ?4 the game, ?5 the sounds, ?6 the positions.
QByteArray where(const PracticeReport::Filter& filter, bool answers, bool names) {
    using Who = PracticeReport::Filter::Who;
    QByteArray sql =
        answers ? " FROM attempts a JOIN games g ON g.id = a.game_id" : " FROM games g";
    if (names)
        sql += " LEFT JOIN children c ON c.id = g.child_id";
    sql += " WHERE 1";
    if (filter.who == Who::Guest)
        sql += " AND g.child_id IS NULL";
    else if (filter.who == Who::Child)
        sql += " AND g.child_id = ?1";
    const char* const time = answers ? "a.at" : "g.started";
    if (filter.from.isValid())
        sql += QByteArray(" AND ") + time + " >= ?2";
    if (filter.to.isValid())
        sql += QByteArray(" AND ") + time + " < ?3";
    if (filter.kind != 0)
        sql += " AND g.kind = ?4";
    if (filter.sounds != 0)
        sql += answers ? " AND (a.sound & ?5) != 0" : " AND (g.gloski & (?5 | (?5 >> 4))) != 0";
    if (filter.positions != 0)
        sql += answers ? " AND (a.position & ?6) != 0" : " AND (g.pozycja & ?6) != 0";
    return sql;
}

QByteArray where(const PracticeReport::Filter& filter) {
    return where(filter, true, false);
}

const char* const kCounts = "COUNT(*), SUM(a.outcome = 'correct'), SUM(a.outcome = 'wrong'), "
                            "SUM(a.outcome = 'hint')";

// Parameters a statement does not name are left unbound (SQLite says so, and that is all).
void bindFilter(LogStatement& statement, const PracticeReport::Filter& filter) {
    statement.Bind(1, filter.childId);
    statement.Bind(2, filter.from.isValid() ? LogTime::DayStart(filter.from) : QString());
    statement.Bind(3, filter.to.isValid() ? LogTime::DayStart(filter.to.addDays(1)) : QString());
    statement.Bind(4, qint64(filter.kind));
    statement.Bind(5, qint64(filter.sounds));
    statement.Bind(6, qint64(filter.positions));
}

// "2026-12-09T14:05:00Z" as the statistics file's time; an invalid time for any other text.
SystemTime systemTime(const QString& iso) {
    SystemTime t;
    const QDateTime when = QDateTime::fromString(iso, Qt::ISODate);
    if (!when.isValid())
        return t;
    const QDateTime utc = when.toUTC();
    t.year = std::uint16_t(utc.date().year());
    t.month = std::uint16_t(utc.date().month());
    t.dayOfWeek = std::uint16_t(utc.date().dayOfWeek() % 7);
    t.day = std::uint16_t(utc.date().day());
    t.hour = std::uint16_t(utc.time().hour());
    t.minute = std::uint16_t(utc.time().minute());
    t.second = std::uint16_t(utc.time().second());
    return t;
}

PracticeReport::Figures figures(const LogStatement& row, int first) {
    PracticeReport::Figures f;
    f.attempts = int(row.Int(first));
    f.correct = int(row.Int(first + 1));
    f.wrong = int(row.Int(first + 2));
    f.hints = int(row.Int(first + 3));
    if (f.correct + f.wrong > 0)
        f.accuracy = double(f.correct) / double(f.correct + f.wrong);
    return f;
}

} // namespace

std::optional<std::vector<PracticeReport::Cell>>
PracticeReport::SoundsByPosition(const Filter& filter) {
    std::vector<Cell> cells;
    for (std::uint16_t sound : kSounds)
        for (std::uint16_t position : kPositions)
            cells.push_back({sound, position, {}});
    const QByteArray sql = QByteArray("SELECT a.sound, a.position, ") + kCounts + where(filter) +
                           " GROUP BY a.sound, a.position";
    LogStatement select(connection(), sql.constData());
    bindFilter(select, filter);
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        for (Cell& cell : cells)
            if (cell.sound == select.Int(0) && cell.position == select.Int(1))
                cell.figures = figures(select, 2);
    }
    if (failed(rc))
        return std::nullopt;
    return cells;
}

std::optional<std::vector<PracticeReport::WrongWord>>
PracticeReport::MostWrongWords(const Filter& filter, int limit) {
    const QByteArray sql =
        QByteArray("SELECT a.word, SUM(a.outcome = 'wrong') AS w, COUNT(*) AS n") + where(filter) +
        " GROUP BY a.word HAVING w > 0 ORDER BY w DESC, n DESC, a.word "
        "LIMIT ?7";
    LogStatement select(connection(), sql.constData());
    bindFilter(select, filter);
    select.Bind(7, qint64(limit));
    std::vector<WrongWord> words;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        words.push_back({select.Text(0), int(select.Int(1)), int(select.Int(2))});
    if (failed(rc))
        return std::nullopt;
    return words;
}

std::optional<std::vector<PracticeReport::Week>>
PracticeReport::WeeklyAccuracy(const Filter& filter) {
    // An ISO week is the year and the week of its Thursday (SQLite 3.40 has no %V): the Sunday
    // that ends the week, less three days.
    const QByteArray sql =
        QByteArray("SELECT CAST(strftime('%Y', thu) AS INTEGER), "
                   "(CAST(strftime('%j', thu) AS INTEGER) - 1) / 7 + 1, sound, "
                   "COUNT(*), SUM(outcome = 'correct'), SUM(outcome = 'wrong'), "
                   "SUM(outcome = 'hint') FROM (SELECT a.sound AS sound, a.outcome AS outcome, "
                   "date(a.at, 'weekday 0', '-3 days') AS thu") +
        where(filter) + ") GROUP BY thu, sound ORDER BY thu, sound";
    LogStatement select(connection(), sql.constData());
    bindFilter(select, filter);
    std::vector<Week> weeks;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        weeks.push_back({int(select.Int(0)), int(select.Int(1)), std::uint16_t(select.Int(2)),
                         figures(select, 3)});
    if (failed(rc))
        return std::nullopt;
    return weeks;
}

std::optional<std::vector<PracticeReport::Game>> PracticeReport::Games(const Filter& filter) {
    const QByteArray sql =
        QByteArray("SELECT g.id, g.child_id, c.name, g.kind, g.started, g.duration_s, g.poziom, "
                   "g.gloski, g.pozycja, g.completed, g.correct, g.wrong, g.hints, g.idle") +
        where(filter, false, true) + " ORDER BY g.started, g.id";
    LogStatement select(connection(), sql.constData());
    bindFilter(select, filter);
    std::vector<Game> games;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        Game game;
        game.id = select.Int(0);
        if (!select.IsNull(1))
            game.childId = select.Int(1);
        game.childName = select.Text(2);
        StatRecord& r = game.record;
        r.kind = std::int32_t(select.Int(3));
        r.start = systemTime(select.Text(4));
        r.duration = std::int32_t(select.Int(5));
        r.poziom = std::uint16_t(select.Int(6));
        r.gloski = std::uint16_t(select.Int(7));
        r.pozycja = std::uint16_t(select.Int(8));
        r.completed = std::uint16_t(select.Int(9));
        r.correct = std::int32_t(select.Int(10));
        r.wrong = std::int32_t(select.Int(11));
        r.hints = std::int32_t(select.Int(12));
        game.idle = select.Int(13) != 0;
        games.push_back(std::move(game));
    }
    if (failed(rc))
        return std::nullopt;
    return games;
}

std::optional<std::vector<PracticeReport::Answer>> PracticeReport::Answers(const Filter& filter) {
    const QByteArray sql = QByteArray("SELECT a.at, g.child_id, c.name, g.kind, a.word, a.sound, "
                                      "a.position, a.outcome, a.answer") +
                           where(filter, true, true) + " ORDER BY a.at DESC, a.id DESC";
    LogStatement select(connection(), sql.constData());
    bindFilter(select, filter);
    std::vector<Answer> answers;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        Answer a;
        a.at = select.Text(0);
        if (!select.IsNull(1))
            a.childId = select.Int(1);
        a.childName = select.Text(2);
        a.kind = std::int32_t(select.Int(3));
        a.word = select.Text(4);
        a.sound = std::uint16_t(select.Int(5));
        a.position = std::uint16_t(select.Int(6));
        a.outcome = select.Text(7);
        a.answer = select.Text(8);
        answers.push_back(std::move(a));
    }
    if (failed(rc))
        return std::nullopt;
    return answers;
}

sqlite3* PracticeReport::connection() const {
    return m_log ? m_log->Connection() : m_reader ? m_reader->Connection() : nullptr;
}

bool PracticeReport::failed(int rc) {
    if (rc == SQLITE_DONE)
        return false;
    sqlite3* db = connection();
    m_error = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("the log is not open");
    return true;
}
