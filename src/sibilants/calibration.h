#pragma once

#include "scaleends.h"

#include <optional>
#include <span>

// The scale's ends from one child's own voice: the child's (or the therapist's) best "s" and
// best "sz", each a sustained sound or a word with only that sibilant. Each end is the centre of
// gravity of its take's longest frication segment, as SibilantAnalysis measures it.
class Calibration {
public:
    enum class Problem {
        None,
        NoFricationInS,  // the s take has no frication segment
        NoFricationInSz, // nor the sz take
        TooClose,        // the s is not at least ScaleEnds::MinSpanHz above the sz
    };

    struct Result {
        std::optional<ScaleEnds> ends; // set when problem is None
        Problem problem = Problem::None;
        double sHz = 0, szHz = 0; // what was measured, when each take had frication
    };

    // Samples mono 16-bit; the two takes may have different rates.
    static Result FromTakes(std::span<const short> sTake, int sRate, std::span<const short> szTake,
                            int szRate);
};
