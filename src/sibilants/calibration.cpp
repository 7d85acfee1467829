#include "calibration.h"

#include "sibilantanalysis.h"

#include <algorithm>

namespace {

// The centre of gravity of the take's longest frication segment.
std::optional<double> takeCentre(std::span<const short> samples, int rate) {
    const SibilantAnalysis analysis = SibilantAnalysis::Of(samples, rate);
    const auto longest = std::max_element(
        analysis.segments.begin(), analysis.segments.end(),
        [](const SibilantSegment& a, const SibilantSegment& b) { return a.frames < b.frames; });
    if (longest == analysis.segments.end())
        return std::nullopt;
    return longest->cogHz;
}

} // namespace

Calibration::Result Calibration::FromTakes(std::span<const short> sTake, int sRate,
                                           std::span<const short> szTake, int szRate) {
    Result result;
    const std::optional<double> s = takeCentre(sTake, sRate);
    const std::optional<double> sz = takeCentre(szTake, szRate);
    result.sHz = s.value_or(0);
    result.szHz = sz.value_or(0);
    if (!s)
        result.problem = Problem::NoFricationInS;
    else if (!sz)
        result.problem = Problem::NoFricationInSz;
    else if (*s - *sz < ScaleEnds::MinSpanHz)
        result.problem = Problem::TooClose;
    else
        result.ends = ScaleEnds(*s, *sz);
    return result;
}
