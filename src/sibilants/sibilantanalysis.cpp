#include "sibilantanalysis.h"

SibilantAnalysis SibilantAnalysis::Of(std::span<const short> samples, int sampleRate,
                                      ScaleEnds ends) {
    SibilantStream stream(sampleRate, ends);
    SibilantAnalysis analysis;
    analysis.frames = stream.push(samples);
    SegmentJoiner joiner(ends, stream.hopMs());
    for (const SibilantFrame& frame : analysis.frames)
        if (std::optional<SibilantSegment> s = joiner.add(frame))
            analysis.segments.push_back(*s);
    if (std::optional<SibilantSegment> s = joiner.finish())
        analysis.segments.push_back(*s);
    return analysis;
}
