#pragma once

#include "scaleends.h"
#include "segmentjoiner.h"
#include "sibilantstream.h"

#include <span>
#include <vector>

// The analysis of a whole take, for the recordings view and the command line: every frame and
// the frication segments, in order. The same as pushing the take through a SibilantStream and
// its frames through a SegmentJoiner.
//
// A 2 s take takes about 2.3 ms at 44.1 kHz, 1.2 ms at 22.05 kHz, on one core of the
// development machine (bench/sibilants_benchmark.cpp).
class SibilantAnalysis {
public:
    std::vector<SibilantFrame> frames;
    std::vector<SibilantSegment> segments;

    // samples: mono 16-bit at sampleRate (8000..384000 Hz).
    static SibilantAnalysis Of(std::span<const short> samples, int sampleRate,
                               ScaleEnds ends = ScaleEnds::ChildDefaults());
};
