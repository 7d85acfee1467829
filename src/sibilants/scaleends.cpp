#include "scaleends.h"

#include <algorithm>

ScaleEnds::ScaleEnds(double sHz, double szHz) : m_sHz(sHz), m_szHz(szHz) {
    if (m_sHz - m_szHz < MinSpanHz) {
        const double middle = (m_sHz + m_szHz) / 2;
        m_sHz = middle + MinSpanHz / 2;
        m_szHz = middle - MinSpanHz / 2;
    }
}

// Children of four to eight years have vocal tracts a fifth to a third shorter than adult
// women's, so the cavity in front of the tongue, whose resonance colours a sibilant's noise, is
// smaller and its noise higher. Studies of Polish children's sibilants find the order of adults
// (s highest, sz lowest, ś between) at higher frequencies: a child's s has much of its noise
// above 7 kHz, a child's sz around 4 to 6 kHz. Our band stops at 11 kHz, which pulls a high s's
// centre down somewhat, hence 7.5 kHz for s and 5 kHz for sz. A starting point, not a norm:
// a child's own calibration (Calibration) replaces it.
ScaleEnds ScaleEnds::ChildDefaults() {
    return ScaleEnds(7500, 5000);
}

// espeak-ng's voice in the pack is an adult's, and a dull one: the medians of the segments of
// the practised sound in the pack's words are 5740 Hz for s (5620 to 6040, 78 words) and 4250 Hz
// for sz (4210 to 4450, 50 words). Its ś (czereśnie) lies at 4900 Hz, near the middle.
ScaleEnds ScaleEnds::PackVoice() {
    return ScaleEnds(5750, 4250);
}

double ScaleEnds::position(double cogHz) const {
    return std::clamp((m_sHz - cogHz) / (m_sHz - m_szHz), 0.0, 1.0);
}

Sibilant ScaleEnds::VerdictAt(double position) {
    if (position < SBelow)
        return Sibilant::S;
    if (position > SzAbove)
        return Sibilant::Sz;
    return Sibilant::Si;
}

QString ScaleEnds::Name(Sibilant sibilant) {
    switch (sibilant) {
    case Sibilant::S:
        return QStringLiteral("s");
    case Sibilant::Si:
        return QStringLiteral("ś");
    case Sibilant::Sz:
        return QStringLiteral("sz");
    }
    return QString();
}
