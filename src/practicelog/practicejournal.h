#pragma once

#include "answersink.h"
#include "practicelog.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// Writes what the statistics record hears into the practice log for the child practising: a
// run's row once it has its first answer (or its end, for a run that counted without one), an
// attempt per answer, the run's figures at its end. A log that is missing, read-only or fails
// a write costs only the log: the game and its statistics file go on, and the first failure is
// said on standard error.
class PracticeJournal : public AnswerSink {
public:
    // log may be null or closed: nothing is written then. Neither is owned.
    PracticeJournal(PracticeLog* log, std::optional<qint64> childId);

    void GameBegun(const StatRecord& record) override;
    void Answered(const Answer& answer) override;
    void GameEnded(const StatRecord& record, bool idle) override;

    // The log's row of the run under way, none before its first answer.
    std::optional<qint64> CurrentGame() const { return m_game; }

private:
    bool usable() const;
    bool beginRow();
    void failed();

    PracticeLog* m_log;
    std::optional<qint64> m_childId;
    std::optional<StatRecord> m_run;
    std::optional<qint64> m_game;
    bool m_failureSaid = false;
};
