#pragma once

#include "statrecord.h"

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

class LogReader;
class PracticeLog;
struct sqlite3;

// The figures the reports show, read from the practice log. Accuracy is correct / (correct +
// wrong); hints are counted apart. Where nothing was answered there is no accuracy (the view
// shows "—"), which is not the same as an accuracy of 0.
class PracticeReport {
public:
    // Whose answers and when. Days are UTC and both ends are included; an invalid date leaves
    // that end open. The game, sound and position narrow it further when given: an answer
    // counts when its sound (its position) is one of the mask's bits, a game when one of its
    // chosen sound groups (positions) is, a contrast sound counting as its group.
    struct Filter {
        enum class Who { All, Guest, Child };
        Who who = Who::All;
        qint64 childId = 0; // for Who::Child
        QDate from;
        QDate to;
        std::int32_t kind = 0;       // 0 every game, else as CStatRec::Kind
        std::uint16_t sounds = 0;    // 0 every sound, else WordBits sound bits
        std::uint16_t positions = 0; // 0 every position, else WordBits position bits
    };

    struct Figures {
        int attempts = 0;
        int correct = 0;
        int wrong = 0;
        int hints = 0;
        std::optional<double> accuracy;
        bool operator==(const Figures&) const = default;
    };

    // One sound (WordBits::Sz ... WordBits::Dz) at one position (WordBits::Naglos ...).
    struct Cell {
        std::uint16_t sound = 0;
        std::uint16_t position = 0;
        Figures figures;
    };

    struct WrongWord {
        QString word;
        int wrong = 0;
        int attempts = 0;
        bool operator==(const WrongWord&) const = default;
    };

    struct Week {
        int isoYear = 0;
        int isoWeek = 0;
        std::uint16_t sound = 0;
        Figures figures;
    };

    // One game run as the statistics file would keep it, with whose it is. A run still being
    // played (or cut off) has its figures at zero.
    struct Game {
        qint64 id = 0;
        std::optional<qint64> childId; // none: the guest
        QString childName;             // empty for the guest
        StatRecord record;
        bool idle = false;
    };

    // One answer with its game and child.
    struct Answer {
        QString at; // ISO 8601 UTC, as stored
        std::optional<qint64> childId;
        QString childName; // empty for the guest
        std::int32_t kind = 0;
        QString word;
        std::uint16_t sound = 0;
        std::uint16_t position = 0;
        QString outcome; // "correct", "wrong" or "hint"
        QString answer;
    };

    explicit PracticeReport(const PracticeLog& log) : m_log(&log) {}
    explicit PracticeReport(const LogReader& reader) : m_reader(&reader) {}

    // Every sound of the eight against every position of the three, in that order, whether
    // answered or not.
    std::optional<std::vector<Cell>> SoundsByPosition(const Filter& filter);
    // Words answered wrong at least once, the most often first (then by attempts, then by key).
    std::optional<std::vector<WrongWord>> MostWrongWords(const Filter& filter, int limit);
    // The weeks with answers, the oldest first, each sound answered in them.
    std::optional<std::vector<Week>> WeeklyAccuracy(const Filter& filter);
    // The games the filter covers by their start, the oldest first.
    std::optional<std::vector<Game>> Games(const Filter& filter);
    // The answers the filter covers, the newest first.
    std::optional<std::vector<Answer>> Answers(const Filter& filter);

    const QString& LastError() const { return m_error; }

private:
    sqlite3* connection() const;
    bool failed(int rc);

    const PracticeLog* m_log = nullptr;
    const LogReader* m_reader = nullptr;
    QString m_error;
};
