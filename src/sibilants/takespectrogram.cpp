#include "takespectrogram.h"

#include "framespectrum.h"

#include <algorithm>
#include <cmath>

TakeSpectrogram TakeSpectrogram::Of(std::span<const short> samples, int sampleRate, int bandCount,
                                    double topHz) {
    FrameSpectrum spectrum(sampleRate);
    TakeSpectrogram s;
    const double top = std::clamp(topHz, spectrum.binHz(), spectrum.sampleRate() / 2.0);
    // No band narrower than a bin, which would leave some bands without one.
    s.m_bands = std::clamp(bandCount, 1, int(top / spectrum.binHz()));
    s.m_bandHz = top / s.m_bands;
    const std::size_t length = std::size_t(spectrum.frameLength());
    const std::size_t hop = std::size_t(spectrum.hopLength());
    s.m_hopMs = 1000.0 * double(hop) / spectrum.sampleRate();
    s.m_firstMs = 1000.0 * double(length) / 2 / spectrum.sampleRate();
    s.m_frames = samples.size() < length ? 0 : int((samples.size() - length) / hop + 1);
    s.m_db.assign(std::size_t(s.m_frames) * std::size_t(s.m_bands), float(FloorDb));
    // Each bin goes to the band its centre frequency falls in.
    std::vector<int> bandOf(std::size_t(spectrum.fftSize() / 2 + 1));
    for (std::size_t k = 0; k < bandOf.size(); ++k)
        bandOf[k] = int(double(k) * spectrum.binHz() / s.m_bandHz);
    std::vector<double> sums(std::size_t(s.m_bands));
    for (int f = 0; f < s.m_frames; ++f) {
        spectrum.transform(samples.subspan(std::size_t(f) * hop, length));
        std::fill(sums.begin(), sums.end(), 0.0);
        const std::span<const float> power = spectrum.power();
        for (std::size_t k = 0; k < power.size(); ++k)
            if (bandOf[k] < s.m_bands)
                sums[std::size_t(bandOf[k])] += power[k];
        for (int b = 0; b < s.m_bands; ++b) {
            const double p = sums[std::size_t(b)];
            s.m_db[std::size_t(f * s.m_bands + b)] =
                float(p > 0 ? std::max(FloorDb, 10 * std::log10(p)) : FloorDb);
        }
    }
    return s;
}
