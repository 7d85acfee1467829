#include "cstatrec.h"

#include "cblad.h"
#include "custgry.h"
#include "statrecord.h"
#include "textformat.h"

#include <QDir>
#include <limits>

namespace {

QString filePathIn(const QString& folder, std::int32_t programNumber) {
    const QString name = CStatRec::FileName(programNumber);
    return folder.isEmpty() ? name : QDir(folder).filePath(name);
}

} // namespace

CStatRec::CStatRec(std::int32_t programNumber, const QString& folder, SystemTime::Clock clock,
                   int idleIntervalMs)
    : m_clock(clock ? std::move(clock) : [] { return std::chrono::system_clock::now(); }),
      m_file(filePathIn(folder, programNumber), programNumber, m_clock), m_idleMs(idleIntervalMs) {
    if (!m_file.Prepare())
        throw CBlad(3);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(m_idleMs);
    QObject::connect(&m_idleTimer, &QTimer::timeout, &m_idleTimer, [this] { goIdle(); });
}

QString CStatRec::FileName(std::int32_t programNumber) {
    return QStringLiteral("prgst%1.stt").arg(programNumber);
}

void CStatRec::BeginGame(std::int32_t kind, const CUstGry& settings) {
    m_kind = kind;
    m_settings = &settings;
    m_hints = m_correct = m_wrong = 0;
    m_duration = 0;
    m_active = true;
    m_start = SystemTime::nowUtc(m_clock);
    m_end = SystemTime();
    m_idleTimer.start(m_idleMs);
    if (m_sink)
        m_sink->GameBegun(record(false));
}

void CStatRec::Answered(AnswerSink::Outcome outcome, const QString& word, std::uint16_t soundCode,
                        const QString& answer) {
    if (m_sink && m_settings)
        m_sink->Answered({word, soundCode, outcome, answer});
}

void CStatRec::Touch() {
    if (m_active)
        m_idleTimer.start(m_idleMs);
}

void CStatRec::EndGame() {
    m_end = SystemTime::nowUtc(m_clock);
    // A run that never began has no start time to measure from.
    const std::int64_t seconds =
        m_start.isValid() && m_end.isValid() ? SystemTime::secondsBetween(m_start, m_end) : 0;
    if (seconds < 0)
        m_duration = 0;
    else if (seconds > std::numeric_limits<std::int32_t>::max())
        m_duration = std::numeric_limits<std::int32_t>::max();
    else
        m_duration = static_cast<int>(seconds);
}

bool CStatRec::WriteGame(bool completed) {
    if (m_settings == nullptr)
        return false;
    const StatRecord run = record(completed);
    if (m_sink)
        m_sink->GameEnded(run, !m_active);
    if (!m_active)
        return false;
    char bytes[StatFile::RecordSize];
    run.Encode(bytes);
    // The file may have been moved or spoilt since start-up; Prepare starts a fresh one then.
    return m_file.Prepare() && m_file.Append(bytes);
}

QString CStatRec::DurationText() const {
    return FormatDuration(m_duration);
}

int CStatRec::Grade(int correct, int wrong) {
    const double c = correct;
    const double w = wrong;
    if (c <= 0.4 * w)
        return 1;
    if (w > 0.6 * c)
        return 2;
    return 4;
}

void CStatRec::goIdle() {
    m_idleTimer.stop();
    m_active = false;
}

StatRecord CStatRec::record(bool completed) const {
    StatRecord record;
    record.kind = m_kind;
    record.start = m_start;
    record.poziom = static_cast<std::uint16_t>(m_settings->poziom);
    record.gloski = m_settings->gloski;
    record.pozycja = m_settings->pozycja;
    record.duration = m_duration;
    record.completed = completed ? 1 : 0;
    record.hints = m_hints;
    record.correct = m_correct;
    record.wrong = m_wrong;
    return record;
}
