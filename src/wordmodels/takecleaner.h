#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TakeWarning : unsigned { TooQuiet = 1, Clipped = 2, MostlyNoise = 4 };

// A set of TakeWarning values.
struct TakeWarnings {
    unsigned bits = 0;
    bool Has(TakeWarning w) const { return bits & unsigned(w); }
    void Add(TakeWarning w) { bits |= unsigned(w); }
    // A take too quiet or too noisy to hear a word in is not kept as a model; a clipped one is,
    // with its warning.
    bool Unusable() const { return Has(TakeWarning::TooQuiet) || Has(TakeWarning::MostlyNoise); }
    bool operator==(const TakeWarnings&) const = default;
};

struct TakeReport {
    double dcOffset = 0;        // in sample units, removed
    double noiseFloorDb = -120; // dBFS of the quiet 10 ms frames
    double inputLoudness = 0;   // LUFS of the kept part before levelling
    double gainDb = 0;
    bool peakLimited = false;             // the gain was lowered to keep the peak under the ceiling
    std::size_t keptFrom = 0, keptTo = 0; // input samples kept: [keptFrom, keptTo)
    TakeWarnings warnings;
};

struct CleanedTake {
    std::vector<std::int16_t> samples;
    TakeReport report;
};

// Cleans one recorded take of a word the same way as every other: the DC offset removed, the
// silence around the word cut to about 100 ms each side, the loudness levelled to one target,
// the peak kept under -1 dBFS; the report says what was done and what is wrong with the take.
class TakeCleaner {
public:
    // The median integrated loudness of the pack's 47 praise phrases (g00..g46.pw) measured
    // with libebur128: -16.21 LUFS (from -18.15 to -13.56), so words sound as loud as praise.
    static constexpr double TargetLoudness = -16.2;
    static constexpr double PeakCeilingDb = -1.0;
    static constexpr double MarginSeconds = 0.1;
    // More gain than this means the take is too quiet to sound good once levelled.
    static constexpr double MaxGainDb = 30.0;

    static CleanedTake Clean(const std::vector<std::int16_t>& samples, int sampleRate);
    static QString WarningText(TakeWarning warning);
};
