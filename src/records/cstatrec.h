#pragma once

#include "answersink.h"
#include "statfile.h"
#include "systemtime.h"

#include <QString>
#include <QTimer>
#include <cstdint>

class CUstGry;

// Counts one game run (correct and wrong answers, hints, playing time) and appends a 44-byte
// record for it to the statistics file "prgst<program number>.stt". A run during which the
// child did nothing for the idle interval is still counted and shown, but not written.
class CStatRec {
public:
    static constexpr int DefaultIdleMs = 120000;

    // Game kinds as stored in the file.
    enum Kind : std::int32_t { Podpisywanie = 1, Memory = 2, Uzupelnianie = 3, Spadajace = 4 };

    // Opens or creates the file in folder (empty: the working directory). Throws CBlad(3) when
    // no file can be had. The clock and the idle interval are there for tests.
    explicit CStatRec(std::int32_t programNumber, const QString& folder = QString(),
                      SystemTime::Clock clock = {}, int idleIntervalMs = DefaultIdleMs);
    CStatRec(const CStatRec&) = delete;
    CStatRec& operator=(const CStatRec&) = delete;

    // "prgst1.stt" for program 1.
    static QString FileName(std::int32_t programNumber);
    const QString& FilePath() const { return m_file.Path(); }

    // Starts a run: counters and duration to 0, active, start time now, idle timer restarted.
    // The settings record must outlive the run; its values are read when the run is written.
    void BeginGame(std::int32_t kind, const CUstGry& settings);
    // The child did something: restarts the idle timer, while the run is still active.
    void Touch();
    void AddHint() { ++m_hints; }
    void AddCorrect() { ++m_correct; }
    void AddWrong() { ++m_wrong; }
    // One judged action of the child on a word, for the sink; the counts above are apart, as
    // one wrong Memory pair is one wrong answer but an action on each of its two words.
    void Answered(AnswerSink::Outcome outcome, const QString& word, std::uint16_t soundCode,
                  const QString& answer = {});
    // Hears the runs and answers from now on; null for none. Not owned.
    void SetAnswerSink(AnswerSink* sink) { m_sink = sink; }
    // End time now; duration in whole seconds, 0 when the clock went backwards.
    void EndGame();
    // Appends the run's record unless the run went idle (the sink hears of the run either
    // way). True when the record was written whole.
    bool WriteGame(bool completed);

    QString DurationText() const;
    QString HintsText() const { return QString::number(m_hints); }
    QString CorrectText() const { return QString::number(m_correct); }
    QString WrongText() const { return QString::number(m_wrong); }
    // 1, 2 or 4 from the run's answers.
    int Grade() const { return Grade(m_correct, m_wrong); }
    static int Grade(int correct, int wrong);

    bool IsActive() const { return m_active; }
    std::int32_t GameKind() const { return m_kind; }
    int Hints() const { return m_hints; }
    int Correct() const { return m_correct; }
    int Wrong() const { return m_wrong; }
    int Duration() const { return m_duration; }
    const SystemTime& StartTime() const { return m_start; }
    const SystemTime& EndTime() const { return m_end; }
    const QTimer& IdleTimer() const { return m_idleTimer; }

    // Replaces the file writer, to play a full disk in tests.
    void SetWriter(StatFile::Writer writer) { m_file.SetWriter(std::move(writer)); }

private:
    void goIdle();
    StatRecord record(bool completed) const;

    SystemTime::Clock m_clock;
    StatFile m_file;
    QTimer m_idleTimer;
    int m_idleMs;
    bool m_active = false;
    std::int32_t m_kind = 0;
    const CUstGry* m_settings = nullptr;
    int m_duration = 0;
    SystemTime m_start;
    SystemTime m_end;
    int m_hints = 0;
    int m_correct = 0;
    int m_wrong = 0;
    AnswerSink* m_sink = nullptr;
};
