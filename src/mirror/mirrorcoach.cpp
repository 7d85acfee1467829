#include "mirrorcoach.h"

#include <algorithm>

namespace {
// Quieter than this in both bands is a microphone giving zeros, not a quiet room.
constexpr double kDeadDb = -100.0;
} // namespace

void MirrorCoach::SetTarget(Sibilant target) {
    m_target = target;
    m_heldMs = 0;
    m_gapMs = 0;
}

void MirrorCoach::Reset() {
    const Sibilant target = m_target;
    *this = MirrorCoach(target);
}

std::optional<Sibilant> MirrorCoach::Heard() const {
    if (!m_sounding)
        return std::nullopt;
    return ScaleEnds::VerdictAt(m_indicator);
}

bool MirrorCoach::Take(const std::vector<SibilantFrame>& frames) {
    bool earned = false;
    for (const SibilantFrame& frame : frames) {
        const double hop = m_lastTimeMs < 0 ? 10.0 : std::max(1.0, frame.timeMs - m_lastTimeMs);
        m_lastTimeMs = frame.timeMs;
        takeFrame(frame, hop, earned);
    }
    return earned;
}

void MirrorCoach::takeFrame(const SibilantFrame& frame, double hopMs, bool& earned) {
    const bool dead = frame.noiseDb < kDeadDb && frame.voiceDb < kDeadDb;
    m_silentMs = dead ? m_silentMs + hopMs : 0;
    if (!frame.frication) {
        m_gapMs += hopMs;
        if (m_gapMs > GapMs) {
            m_sounding = false;
            m_heldMs = 0;
            m_restMs += hopMs;
            if (m_restMs >= RestMs)
                m_resting = false;
        }
        return;
    }
    m_indicator =
        m_sounding ? m_indicator + Easing * (frame.position - m_indicator) : frame.position;
    m_sounding = true;
    m_gapMs = 0;
    m_restMs = 0;
    if (m_resting)
        return;
    if (ScaleEnds::VerdictAt(m_indicator) == m_target)
        m_heldMs += hopMs;
    else
        m_heldMs = 0;
    if (m_heldMs >= HoldMs) {
        ++m_stars;
        earned = true;
        m_heldMs = 0;
        m_resting = true;
    }
}
