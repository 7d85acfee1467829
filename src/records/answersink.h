#pragma once

#include "statrecord.h"

#include <QString>
#include <cstdint>

// Hears every judged action of the child during a game run, and the run's start and end, as
// the statistics record counts them: the practice log keeps them per answer. The statistics
// record calls it; nothing it does may throw or hold the game up.
class AnswerSink {
public:
    enum class Outcome { Correct, Wrong, Hint };

    struct Answer {
        QString word;               // the word's catalogue key
        std::uint16_t soundCode{0}; // the word's code: its sound and position bits
        Outcome outcome{Outcome::Correct};
        QString answer; // what the child gave (tiles, a sound, a caught word); may be empty
    };

    virtual ~AnswerSink() = default;
    // A run began with these settings at record.start (the figures are 0).
    virtual void GameBegun(const StatRecord& record) = 0;
    virtual void Answered(const Answer& answer) = 0;
    // The run ended with these figures; idle: the statistics file kept no record of it.
    virtual void GameEnded(const StatRecord& record, bool idle) = 0;
};
