#include "practicejournal.h"

#include "wordbits.h"

#include <cstdio>

PracticeJournal::PracticeJournal(PracticeLog* log, std::optional<qint64> childId)
    : m_log(log), m_childId(childId) {}

bool PracticeJournal::usable() const {
    return m_log && m_log->IsOpen() && !m_log->IsReadOnly();
}

void PracticeJournal::failed() {
    if (m_failureSaid)
        return;
    m_failureSaid = true;
    std::fprintf(stderr, "wiklotek: the practice log %s was not written: %s\n",
                 qUtf8Printable(m_log->Path()), qUtf8Printable(m_log->LastError()));
}

void PracticeJournal::GameBegun(const StatRecord& record) {
    m_run = record;
    m_game.reset();
}

bool PracticeJournal::beginRow() {
    if (m_game)
        return true;
    if (!m_run || !usable())
        return false;
    PracticeLog::GameStart start;
    start.childId = m_childId;
    start.kind = m_run->kind;
    start.poziom = m_run->poziom;
    start.gloski = m_run->gloski;
    start.pozycja = m_run->pozycja;
    start.started = m_run->start;
    m_game = m_log->BeginGame(start);
    if (!m_game)
        failed();
    return m_game.has_value();
}

void PracticeJournal::Answered(const Answer& answer) {
    if (!beginRow())
        return;
    PracticeLog::Attempt attempt;
    attempt.word = answer.word;
    attempt.sound = answer.soundCode & WordBits::SoundMask;
    attempt.position = answer.soundCode & WordBits::PositionMask;
    switch (answer.outcome) {
    case Outcome::Correct:
        attempt.outcome = PracticeLog::Outcome::Correct;
        break;
    case Outcome::Wrong:
        attempt.outcome = PracticeLog::Outcome::Wrong;
        break;
    case Outcome::Hint:
        attempt.outcome = PracticeLog::Outcome::Hint;
        break;
    }
    attempt.answer = answer.answer;
    if (!m_log->AddAttempt(*m_game, attempt))
        failed();
}

void PracticeJournal::GameEnded(const StatRecord& record, bool idle) {
    // An idle run that heard no answer is in neither file.
    if (idle && !m_game)
        return;
    if (!beginRow())
        return;
    PracticeLog::GameEnd end;
    end.durationS = record.duration;
    end.completed = record.completed != 0;
    end.correct = record.correct;
    end.wrong = record.wrong;
    end.hints = record.hints;
    end.idle = idle;
    if (!m_log->FinishGame(*m_game, end))
        failed();
    m_game.reset();
    m_run.reset();
}
