#include "takecleaner.h"

#include <algorithm>
#include <cmath>
#include <ebur128.h>

namespace {

constexpr double kFullScale = 32768.0;
constexpr double kSilentDb = -120.0;
// Speech is this far above the take's floor; never below the absolute minimum, so that a take
// with digital silence around it is not cut inside its quiet sounds.
constexpr double kAboveFloorDb = 10.0;
constexpr double kMinThresholdDb = -60.0;
// Loud parts less than this above the floor are speech drowned in noise.
constexpr double kClearlyAboveDb = 20.0;
constexpr std::size_t kClipRun = 3;

double toDb(double rms) {
    return rms > 0 ? std::max(kSilentDb, 20.0 * std::log10(rms / kFullScale)) : kSilentDb;
}

bool hasClippedRun(const std::vector<std::int16_t>& s) {
    std::size_t run = 0;
    for (std::int16_t v : s) {
        run = (v >= 32767 || v <= -32767) ? run + 1 : 0;
        if (run >= kClipRun)
            return true;
    }
    return false;
}

// Integrated loudness; parts shorter than one 400 ms gating block get the ungated loudness
// of their whole length instead.
double loudness(const std::vector<double>& x, int rate) {
    const unsigned long ms = std::max<unsigned long>(1, x.size() * 1000 / unsigned(rate));
    ebur128_state* st = ebur128_init(1, unsigned(rate), EBUR128_MODE_I);
    if (!st)
        return kSilentDb;
    // The window of a short part fits the meter's own 400 ms block: enlarging the window costs
    // the meter about 100 ms per call.
    // The meter takes samples scaled to full scale 1.
    std::vector<double> scaled(x.size());
    std::transform(x.begin(), x.end(), scaled.begin(), [](double v) { return v / kFullScale; });
    ebur128_add_frames_double(st, scaled.data(), scaled.size());
    double l = -HUGE_VAL;
    ebur128_loudness_global(st, &l);
    if (!std::isfinite(l) &&
        ebur128_loudness_window(st, std::min<unsigned long>(ms, 400), &l) != EBUR128_SUCCESS)
        l = -HUGE_VAL;
    ebur128_destroy(&st);
    return std::isfinite(l) ? l : kSilentDb;
}

// The quietest 30 ms of the take: room noise before and after a word recorded here, the
// tail of a word cut tight elsewhere. (The quietest tenth of the frames would be speech in a
// take cut close to its word, and read as a floor that high the word seemed buried in noise.)
double noiseFloor(const std::vector<double>& x, std::size_t frame) {
    const std::size_t run = std::min(x.size(), 3 * frame);
    double energy = 0;
    for (std::size_t i = 0; i < run; ++i)
        energy += x[i] * x[i];
    double quietest = energy;
    // Stepped by a frame: as fine as the cut is made.
    for (std::size_t at = frame; at + run <= x.size(); at += frame) {
        for (std::size_t i = at - frame; i < at; ++i)
            energy -= x[i] * x[i];
        for (std::size_t i = at + run - frame; i < at + run; ++i)
            energy += x[i] * x[i];
        quietest = std::min(quietest, energy);
    }
    return toDb(std::sqrt(std::max(0.0, quietest) / double(run)));
}

// Scales the samples by gain and keeps every one under the ceiling with a look-ahead limiter:
// the gain dips smoothly around each peak (2 ms on either side) and recovers over 50 ms, so a
// click or a plosive is tamed without lowering the whole word. True when it had to dip.
bool applyLimited(std::vector<double>& x, double gain, double ceiling, int rate) {
    std::vector<double> need(x.size());
    bool limited = false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double v = std::abs(x[i] * gain);
        need[i] = v > ceiling ? ceiling / v : 1.0;
        limited = limited || v > ceiling;
    }
    if (!limited) {
        for (double& v : x)
            v *= gain;
        return false;
    }
    const std::size_t a = std::size_t(std::max(1, rate / 500));
    // The lowest need within a of each sample, then its average over the same half-width:
    // every sample of that average window needs at most what the peak needs, so the peak stays
    // under the ceiling.
    std::vector<double> lowest(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        const std::size_t from = i > a ? i - a : 0, to = std::min(x.size(), i + a + 1);
        lowest[i] = *std::min_element(need.begin() + std::ptrdiff_t(from),
                                      need.begin() + std::ptrdiff_t(to));
    }
    const double recovery = 1.0 / (0.05 * rate);
    double envelope = 1.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const std::size_t from = i > a ? i - a : 0, to = std::min(x.size(), i + a + 1);
        double sum = 0;
        for (std::size_t j = from; j < to; ++j)
            sum += lowest[j];
        envelope = std::min(sum / double(to - from), envelope + recovery);
        x[i] *= gain * std::min(envelope, need[i]);
    }
    return true;
}

} // namespace

CleanedTake TakeCleaner::Clean(const std::vector<std::int16_t>& samples, int sampleRate) {
    CleanedTake out;
    TakeReport& r = out.report;
    if (samples.empty() || sampleRate < 4000 || sampleRate > 384000) {
        r.warnings.Add(TakeWarning::MostlyNoise);
        return out;
    }
    if (hasClippedRun(samples))
        r.warnings.Add(TakeWarning::Clipped);

    double sum = 0;
    for (std::int16_t v : samples)
        sum += v;
    r.dcOffset = sum / double(samples.size());
    std::vector<double> x(samples.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = samples[i] - r.dcOffset;

    const std::size_t frame = std::size_t(std::max(1, sampleRate / 100));
    std::vector<double> frameDb;
    for (std::size_t at = 0; at < x.size(); at += frame) {
        const std::size_t end = std::min(x.size(), at + frame);
        double e = 0;
        for (std::size_t i = at; i < end; ++i)
            e += x[i] * x[i];
        frameDb.push_back(toDb(std::sqrt(e / double(end - at))));
    }
    r.noiseFloorDb = noiseFloor(x, frame);
    const double threshold = std::max(r.noiseFloorDb + kAboveFloorDb, kMinThresholdDb);

    auto first =
        std::find_if(frameDb.begin(), frameDb.end(), [&](double d) { return d > threshold; });
    r.keptTo = x.size();
    if (first == frameDb.end()) {
        // Nothing to find or level: the take is kept as it is, only without its offset. Noise
        // that hides any word, or a take with nothing loud enough to be heard at all.
        const double loudest = *std::max_element(frameDb.begin(), frameDb.end());
        r.warnings.Add(loudest > kMinThresholdDb ? TakeWarning::MostlyNoise
                                                 : TakeWarning::TooQuiet);
    } else {
        auto last =
            std::find_if(frameDb.rbegin(), frameDb.rend(), [&](double d) { return d > threshold; });
        const std::size_t margin = std::size_t(MarginSeconds * sampleRate);
        const std::size_t from = std::size_t(first - frameDb.begin()) * frame;
        const std::size_t to = std::size_t(frameDb.rend() - last) * frame;
        r.keptFrom = from > margin ? from - margin : 0;
        r.keptTo = std::min(x.size(), to + margin);
        x = std::vector<double>(x.begin() + std::ptrdiff_t(r.keptFrom),
                                x.begin() + std::ptrdiff_t(r.keptTo));

        r.inputLoudness = loudness(x, sampleRate);
        r.gainDb = TargetLoudness - r.inputLoudness;
        const double loudest = *std::max_element(frameDb.begin(), frameDb.end());
        if (r.gainDb > MaxGainDb || loudest - r.noiseFloorDb < kClearlyAboveDb)
            r.warnings.Add(TakeWarning::TooQuiet);
        // One below the ceiling, so that rounding cannot cross it.
        const double ceiling = std::floor(kFullScale * std::pow(10.0, PeakCeilingDb / 20.0)) - 1;
        // The limiter takes a little loudness off the peaks; the gain makes up for it, a few
        // rounds at most, and never past the gain a quiet take may have.
        std::vector<double> levelled;
        for (int round = 0; round < 4; ++round) {
            levelled = x;
            r.peakLimited =
                applyLimited(levelled, std::pow(10.0, r.gainDb / 20.0), ceiling, sampleRate);
            const double shortBy = TargetLoudness - loudness(levelled, sampleRate);
            if (!r.peakLimited || shortBy < 0.1 || r.gainDb >= MaxGainDb + 6)
                break;
            r.gainDb += shortBy;
        }
        x = std::move(levelled);
    }
    out.samples.reserve(x.size());
    for (double v : x)
        out.samples.push_back(std::int16_t(std::clamp(std::lround(v), -32768L, 32767L)));
    return out;
}

QString TakeCleaner::WarningText(TakeWarning warning) {
    switch (warning) {
    case TakeWarning::TooQuiet:
        return QStringLiteral("Nagranie jest za ciche.");
    case TakeWarning::Clipped:
        return QStringLiteral("Nagranie jest przesterowane.");
    case TakeWarning::MostlyNoise:
        return QStringLiteral("Nagranie to prawie sam szum.");
    }
    return {};
}
