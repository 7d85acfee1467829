#include "practicereport.h"

#include "logstatement.h"
#include "logtime.h"
#include "practicelog.h"
#include "wordbits.h"

#include <sqlite3.h>

namespace {

const std::uint16_t kSounds[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh,
                                 WordBits::S,  WordBits::Z,  WordBits::C,  WordBits::Dz};
const std::uint16_t kPositions[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};

// The attempts a filter covers, joined to their games: ?1 who (0 all, 1 guest, 2 child),
// ?2 the child, ?3 from (inclusive), ?4 to (exclusive), empty for an open end.
const char* const kWhere = " FROM attempts a JOIN games g ON g.id = a.game_id WHERE "
                           "(?1 = 0 OR (?1 = 1 AND g.child_id IS NULL) OR "
                           "(?1 = 2 AND g.child_id = ?2)) AND "
                           "(?3 = '' OR a.at >= ?3) AND (?4 = '' OR a.at < ?4)";

const char* const kCounts = "COUNT(*), SUM(a.outcome = 'correct'), SUM(a.outcome = 'wrong'), "
                            "SUM(a.outcome = 'hint')";

void bindFilter(LogStatement& statement, const PracticeReport::Filter& filter) {
    statement.Bind(1, qint64(filter.who));
    statement.Bind(2, filter.childId);
    statement.Bind(3, filter.from.isValid() ? LogTime::DayStart(filter.from) : QString(""));
    statement.Bind(4, filter.to.isValid() ? LogTime::DayStart(filter.to.addDays(1)) : QString(""));
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
    const QByteArray sql = QByteArray("SELECT a.sound, a.position, ") + kCounts + kWhere +
                           " GROUP BY a.sound, a.position";
    LogStatement select(m_log.Connection(), sql.constData());
    bindFilter(select, filter);
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW) {
        for (Cell& cell : cells)
            if (cell.sound == select.Int(0) && cell.position == select.Int(1))
                cell.figures = figures(select, 2);
    }
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_log.Connection()));
        return std::nullopt;
    }
    return cells;
}

std::optional<std::vector<PracticeReport::WrongWord>>
PracticeReport::MostWrongWords(const Filter& filter, int limit) {
    const QByteArray sql =
        QByteArray("SELECT a.word, SUM(a.outcome = 'wrong') AS w, COUNT(*) AS n") + kWhere +
        " GROUP BY a.word HAVING w > 0 ORDER BY w DESC, n DESC, a.word "
        "LIMIT ?5";
    LogStatement select(m_log.Connection(), sql.constData());
    bindFilter(select, filter);
    select.Bind(5, qint64(limit));
    std::vector<WrongWord> words;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        words.push_back({select.Text(0), int(select.Int(1)), int(select.Int(2))});
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_log.Connection()));
        return std::nullopt;
    }
    return words;
}

std::optional<std::vector<PracticeReport::Week>>
PracticeReport::WeeklyAccuracy(const Filter& filter) {
    // An ISO week is the year and the week of its Thursday: SQLite 3.40 has no %V.
    const QByteArray sql =
        QByteArray("SELECT CAST(strftime('%Y', thu) AS INTEGER), "
                   "(CAST(strftime('%j', thu) AS INTEGER) - 1) / 7 + 1, sound, "
                   "COUNT(*), SUM(outcome = 'correct'), SUM(outcome = 'wrong'), "
                   "SUM(outcome = 'hint') FROM (SELECT a.sound AS sound, a.outcome AS outcome, "
                   "date(a.at, '-' || ((CAST(strftime('%w', a.at) AS INTEGER) + 6) % 7) || "
                   "' days', '+3 days') AS thu") +
        kWhere + ") GROUP BY thu, sound ORDER BY thu, sound";
    LogStatement select(m_log.Connection(), sql.constData());
    bindFilter(select, filter);
    std::vector<Week> weeks;
    int rc;
    while ((rc = select.Step()) == SQLITE_ROW)
        weeks.push_back({int(select.Int(0)), int(select.Int(1)), std::uint16_t(select.Int(2)),
                         figures(select, 3)});
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_log.Connection()));
        return std::nullopt;
    }
    return weeks;
}
