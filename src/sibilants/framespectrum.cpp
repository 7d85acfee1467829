#include "framespectrum.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <kiss_fftr.h>
#include <numbers>

struct FrameSpectrum::Fft {
    kiss_fftr_cfg config = nullptr;
    std::vector<kiss_fft_cpx> output;
    ~Fft() { kiss_fftr_free(config); }
};

namespace {

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

double toDb(double power) {
    return power > 0 ? std::max(FrameSpectrum::SilenceDb, 10.0 * std::log10(power))
                     : FrameSpectrum::SilenceDb;
}

// Smoothing of the spectrum before its peak is looked for: a single strong bin of the noise
// would otherwise decide it. Two bins each side, about 90 Hz.
constexpr int kPeakSmoothing = 2;
// About 690 Hz: several harmonics of any voice, and enough bins for a stable mean.
constexpr int kFlatnessBins = 16;

struct Stretch {
    double flatness;
    double power;
};

} // namespace

// Flatness within overlapping stretches of kFlatnessBins bins, so that the band's overall
// shape (a sibilant's slope) does not count, only its fine structure: harmonics leave deep
// valleys between them, noise does not. The frame's figure is the stretches' median weighted by
// their power, so that the stretches at the edges of a narrow band of noise, half empty, and
// the empty ones beyond do not decide it.
double FrameSpectrum::flatness() const {
    std::array<Stretch, 128> stretches;
    std::size_t count = 0;
    double total = 0;
    for (int first = m_noiseFirst;
         first + kFlatnessBins - 1 <= m_noiseLast && count < stretches.size();
         first += kFlatnessBins / 2) {
        double sum = 0, logSum = 0;
        for (int k = first; k < first + kFlatnessBins; ++k) {
            const double p = m_power[std::size_t(k)];
            sum += p;
            logSum += std::log(std::max(p, 1e-30));
        }
        if (sum <= 0)
            continue;
        const double mean = sum / kFlatnessBins;
        stretches[count++] = {std::exp(logSum / kFlatnessBins) / mean, sum};
        total += sum;
    }
    std::sort(stretches.begin(), stretches.begin() + std::ptrdiff_t(count),
              [](const Stretch& a, const Stretch& b) { return a.flatness < b.flatness; });
    double below = 0;
    for (std::size_t i = 0; i < count; ++i) {
        below += stretches[i].power;
        if (below >= total / 2)
            return stretches[i].flatness;
    }
    return 0;
}

FrameSpectrum::FrameSpectrum(int sampleRate)
    : m_rate(std::clamp(sampleRate, 8000, 384000)),
      m_frameLength(int(std::lround(m_rate * FrameMs / 1000))),
      m_hopLength(int(std::lround(m_rate * HopMs / 1000))),
      m_fftSize(nextPowerOfTwo(m_frameLength)), m_fft(std::make_unique<Fft>()) {
    m_fft->config = kiss_fftr_alloc(m_fftSize, 0, nullptr, nullptr);
    m_fft->output.resize(std::size_t(m_fftSize / 2 + 1));
    // The periodic Hann window: its overlapped copies at half its length add up to a constant.
    m_window.resize(std::size_t(m_frameLength));
    for (int i = 0; i < m_frameLength; ++i)
        m_window[std::size_t(i)] =
            float(0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / m_frameLength));
    // Parseval: the bins' squared magnitudes add up to fftSize times the frame's energy. Divided
    // by the window's energy as well, a bin tells its share of the signal's mean square.
    double windowEnergy = 0;
    for (float w : m_window)
        windowEnergy += double(w) * w;
    m_scale = 1.0 / (double(m_fftSize) * windowEnergy);
    m_input.assign(std::size_t(m_fftSize), 0.0f);
    m_power.assign(std::size_t(m_fftSize / 2 + 1), 0.0f);
    const auto bin = [this](double hz) {
        return std::clamp(int(std::lround(hz / binHz())), 1, m_fftSize / 2);
    };
    m_voiceFirst = bin(VoiceBandLowHz);
    m_noiseFirst = bin(NoiseBandLowHz);
    m_voiceLast = m_noiseFirst - 1;
    // The Nyquist bin itself holds only the part of the signal that aliases: left out.
    m_noiseLast = std::min(bin(NoiseBandHighHz), m_fftSize / 2 - 1);
}

FrameSpectrum::~FrameSpectrum() = default;

double FrameSpectrum::noiseBandHighHz() const {
    return m_noiseLast * binHz();
}

void FrameSpectrum::transform(std::span<const short> frame) {
    const std::size_t n = std::min(frame.size(), m_window.size());
    for (std::size_t i = 0; i < n; ++i)
        m_input[i] = float(frame[i]) / 32768.0f * m_window[i];
    std::fill(m_input.begin() + std::ptrdiff_t(n), m_input.end(), 0.0f);
    kiss_fftr(m_fft->config, m_input.data(), m_fft->output.data());
    const int last = m_fftSize / 2;
    for (int k = 0; k <= last; ++k) {
        const kiss_fft_cpx c = m_fft->output[std::size_t(k)];
        const double both = (k == 0 || k == last) ? 1.0 : 2.0; // the mirrored half too
        m_power[std::size_t(k)] = float(both * m_scale * (double(c.r) * c.r + double(c.i) * c.i));
    }
}

FrameSpectrum::Figures FrameSpectrum::figures() const {
    Figures f;
    double voice = 0;
    for (int k = m_voiceFirst; k <= m_voiceLast; ++k)
        voice += m_power[std::size_t(k)];
    double noise = 0, moment = 0;
    for (int k = m_noiseFirst; k <= m_noiseLast; ++k) {
        const double p = m_power[std::size_t(k)];
        noise += p;
        moment += k * p;
    }
    f.flatness = flatness();
    f.voiceDb = toDb(voice);
    f.noiseDb = toDb(noise);
    if (noise <= 0)
        return f;
    f.cogHz = moment / noise * binHz();
    double best = -1;
    int bestBin = m_noiseFirst;
    for (int k = m_noiseFirst; k <= m_noiseLast; ++k) {
        double sum = 0;
        int count = 0;
        for (int j = std::max(m_noiseFirst, k - kPeakSmoothing);
             j <= std::min(m_noiseLast, k + kPeakSmoothing); ++j, ++count)
            sum += m_power[std::size_t(j)];
        if (sum / count > best) {
            best = sum / count;
            bestBin = k;
        }
    }
    f.peakHz = bestBin * binHz();
    return f;
}
