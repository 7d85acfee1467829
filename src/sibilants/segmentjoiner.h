#pragma once

#include "scaleends.h"
#include "sibilantstream.h"

#include <optional>
#include <vector>

// One stretch of frication: a sibilant, or the noise part of an affricate.
struct SibilantSegment {
    double startMs = 0; // the first frication frame's centre less half a hop
    double endMs = 0;   // the last one's centre plus half a hop
    double cogHz = 0;   // median of the frication frames' centres of gravity
    double peakHz = 0;  // median of their peak frequencies
    double position = 0;
    Sibilant verdict = Sibilant::S;
    int frames = 0; // frication frames in it (the bridged gaps not counted)
    bool operator==(const SibilantSegment&) const = default;
};

// Joins frication frames, in order, into segments: gaps of up to MaxGapFrames frames are
// bridged (a frame lost to a breath or a burst does not split a sibilant), runs shorter than
// MinMs are dropped (a click, the shortest bursts of t or k: a frame sees 20 ms, so a noise of
// d ms makes a run of about d + 20 ms). Not longer: the pack's short voiced z and ż last 40 to
// 50 ms. A segment is returned as soon as it is
// certain to be over, MaxGapFrames + 1 frames after its last frication frame, so the live mirror
// can use it too.
class SegmentJoiner {
public:
    static constexpr int MaxGapFrames = 2;
    static constexpr double MinMs = 40.0;

    SegmentJoiner(ScaleEnds ends, double hopMs);

    std::optional<SibilantSegment> add(const SibilantFrame& frame);
    // The segment still open at the end of the signal, if it is long enough.
    std::optional<SibilantSegment> finish();

private:
    std::optional<SibilantSegment> close();

    ScaleEnds m_ends;
    double m_hopMs;
    std::vector<double> m_cogs, m_peaks;
    double m_firstMs = 0, m_lastMs = 0;
    int m_gap = 0;
};
