#include "takesession.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void TakeSession::Begin() {
    m_raw.clear();
    m_raw.reserve(std::size_t(LimitSamples));
    m_take = {};
    m_levelDb = -120;
    m_heardSound = false;
    m_state = State::Recording;
}

void TakeSession::Add(const std::vector<short>& samples) {
    if (m_state != State::Recording)
        return;
    const std::size_t room =
        std::size_t(LimitSamples) - std::min(m_raw.size(), std::size_t(LimitSamples));
    const std::size_t taken = std::min(room, samples.size());
    m_heardSound =
        m_heardSound || std::any_of(samples.begin(), samples.begin() + std::ptrdiff_t(taken),
                                    [](short v) { return std::abs(int(v)) > 2; });
    m_raw.insert(m_raw.end(), samples.begin(), samples.begin() + std::ptrdiff_t(taken));
    const std::size_t window = std::size_t(Rate) * MeterMs / 1000;
    int peak = 0;
    for (std::size_t i = m_raw.size() - std::min(window, m_raw.size()); i < m_raw.size(); ++i)
        peak = std::max(peak, std::abs(int(m_raw[i])));
    m_levelDb = peak > 0 ? std::max(-120.0, 20.0 * std::log10(peak / 32768.0)) : -120.0;
}

void TakeSession::End() {
    if (m_state != State::Recording)
        return;
    m_levelDb = -120;
    if (!m_heardSound) {
        m_state = State::Idle;
        return;
    }
    m_take = TakeCleaner::Clean(m_raw, Rate);
    m_state = State::Ready;
}

void TakeSession::Discard() {
    m_raw.clear();
    m_take = {};
    m_levelDb = -120;
    m_heardSound = false;
    m_state = State::Idle;
}

QStringList TakeSession::WarningTexts() const {
    QStringList texts;
    for (TakeWarning w : {TakeWarning::TooQuiet, TakeWarning::Clipped, TakeWarning::MostlyNoise})
        if (m_take.report.warnings.Has(w))
            texts.append(TakeCleaner::WarningText(w));
    return texts;
}
