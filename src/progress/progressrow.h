#pragma once

#include "statrecord.h"
#include "wordbits.h"

#include <QString>
#include <QTimeZone>
#include <optional>

// How one stored game run reads in the progress table and the CSV file: Polish names for the
// game, task count, sound groups and positions, local date and time, accuracy. A value the
// program could not have written (an unknown game kind, a date that does not exist, a negative
// count, unknown bits) is shown as stored and marked, never dropped or mended.
class ProgressRow {
public:
    enum Column {
        Date,
        Game,
        Tasks,
        Sounds,
        Positions,
        Time,
        Correct,
        Wrong,
        Hints,
        Completed,
        Accuracy,
        Notes,
        ColumnCount
    };
    // What is odd about a record, one bit per kind of oddity.
    enum Flag : unsigned {
        UnknownKind = 1u << 0,
        ImpossibleDate = 1u << 1,
        UnknownLevel = 1u << 2,
        UnknownSounds = 1u << 3,
        UnknownPositions = 1u << 4,
        NegativeTime = 1u << 5,
        NegativeCorrect = 1u << 6,
        NegativeWrong = 1u << 7,
        NegativeHints = 1u << 8,
        UnknownCompleted = 1u << 9,
    };
    enum class Style { Table, Csv };

    static QString Header(int column, Style style);
    static unsigned Flags(const StatRecord& record);
    // The cell holds a value the program could not have written.
    static bool IsMarked(const StatRecord& record, int column);
    // The cell's text. The table shows "05.03.2024 15:07", "2 min 5 s", "71,4 %"; the CSV file
    // "2024-03-05 15:07", seconds, "71,4"; both show "–" for a run without answers.
    static QString Text(const StatRecord& record, int column, const QTimeZone& zone, Style style);

    // correct ÷ (correct + wrong) in percent; none without answers or with a negative count.
    static std::optional<double> AccuracyOf(std::int64_t correct, std::int64_t wrong);
    // One decimal with a decimal comma: "71,4"; "–" for none.
    static QString PercentText(std::optional<double> percent);

    // Names as the menu shows them: group bits 0x1..0x8 and position bits 0x1000..0x4000.
    static QString GameName(std::int32_t kind);
    static QString SoundName(int index);    // 0..3: SZ, Ż/RZ, CZ, DŻ
    static QString PositionName(int index); // 0..2: nagłos, śródgłos, wygłos
    static constexpr std::uint16_t SoundBits[4] = {WordBits::Sz, WordBits::Zh, WordBits::Cz,
                                                   WordBits::Dzh};
    static constexpr std::uint16_t PositionBits[3] = {WordBits::Naglos, WordBits::Srodglos,
                                                      WordBits::Wyglos};
};
