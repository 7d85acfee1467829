#pragma once

#include "practicereport.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// What the progress view and its report show from the practice log for one choice of child
// and filters: the table of the eight sounds at the three positions, the words answered wrong
// most often, and the accuracy week by week of each sound group (a group's practised sound and
// its contrast together, as a game trains them), with the texts both show.
class LogFigures {
public:
    static constexpr int SoundCount = 8;
    static constexpr int PositionCount = 3;
    static constexpr int GroupCount = 4;
    static constexpr int WordsShown = 10;

    struct Word {
        QString key;
        QString written;
        std::uint16_t sound = 0;
        std::uint16_t position = 0;
        int wrong = 0;
        int attempts = 0;
    };
    struct Week {
        QDate monday;
        std::array<PracticeReport::Figures, GroupCount> groups;
    };

    // Null when the log could not be read; the reason is in the report's LastError.
    static std::optional<LogFigures> Read(PracticeReport& report,
                                          const PracticeReport::Filter& filter);

    // sound 0..7 as SoundName, position 0..2 as ProgressRow::PositionName.
    const PracticeReport::Figures& Cell(int sound, int position) const;
    bool HasAnswers() const;

    // "sz", "ż/rz", "cz", "dż", "s", "z", "c", "dz".
    static QString SoundName(int index);
    // The index of a sound bit; -1 for none of the eight.
    static int SoundIndex(std::uint16_t sound);
    // "75 % (8)": the accuracy and the number of attempts; "— (2)" for attempts that were all
    // hints; "—" where nothing was answered.
    static QString CellText(const PracticeReport::Figures& figures);
    // "5 z 8 błędnie"
    static QString WordDetail(const Word& word);
    // A week by its Monday: "05.01", with the year ("05.01.27") when the weeks shown cross one.
    static QString WeekLabel(const QDate& monday, bool withYear);
    static QDate MondayOf(int isoYear, int isoWeek);

    std::array<PracticeReport::Figures, SoundCount * PositionCount> cells{};
    std::vector<Word> words; // the most often wrong first
    std::vector<Week> weeks; // the oldest first; weeks without answers are left out
};
