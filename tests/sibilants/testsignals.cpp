#include "testsignals.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace TestSignals {

namespace {

std::size_t length(int rate, double ms) {
    return std::size_t(std::lround(rate * ms / 1000));
}

void scaleTo(std::vector<double>& s, double rmsDb) {
    double sum = 0;
    for (double v : s)
        sum += v * v;
    const double rms = s.empty() ? 0 : std::sqrt(sum / double(s.size()));
    const double gain = rms > 0 ? std::pow(10.0, rmsDb / 20) / rms : 0;
    for (double& v : s)
        v *= gain;
}

// Adds a sine by rotating a phasor: as exact as std::sin for these lengths, and far cheaper.
void addSine(std::vector<double>& s, int rate, double hz, double phase, double amplitude) {
    const double step = 2 * std::numbers::pi * hz / rate;
    const double c = std::cos(step), d = std::sin(step);
    double x = std::cos(phase), y = std::sin(phase);
    for (double& v : s) {
        v += amplitude * y;
        const double nx = x * c - y * d;
        y = x * d + y * c;
        x = nx;
    }
}

} // namespace

std::vector<double> bandNoise(int rate, double ms, double centreHz, double widthHz, double rmsDb,
                              unsigned seed) {
    std::vector<double> s(length(rate, ms));
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> frequency(centreHz - widthHz / 2,
                                                     centreHz + widthHz / 2);
    std::uniform_real_distribution<double> phase(0, 2 * std::numbers::pi);
    // Enough sines that each 43 Hz analysis bin holds a few.
    const int count = std::max(50, int(widthHz / 10));
    for (int i = 0; i < count; ++i)
        addSine(s, rate, frequency(random), phase(random), 1.0);
    scaleTo(s, rmsDb);
    return s;
}

std::vector<double> vowel(int rate, double ms, double f0Hz, std::vector<double> formants,
                          double rmsDb) {
    std::vector<double> s(length(rate, ms));
    for (double hz = f0Hz; hz < rate / 2.0; hz += f0Hz) {
        // Each formant a resonance 100 Hz wide; the source falls by 12 dB an octave.
        double gain = 0;
        for (double formant : formants) {
            const double r = hz / formant;
            gain += 1.0 / std::sqrt((1 - r * r) * (1 - r * r) +
                                    (r * 100 / formant) * (r * 100 / formant));
        }
        addSine(s, rate, hz, 0.0, gain * (f0Hz / hz) * (f0Hz / hz));
    }
    scaleTo(s, rmsDb);
    return s;
}

std::vector<double> silence(int rate, double ms) {
    return std::vector<double>(length(rate, ms), 0.0);
}

std::vector<double> mix(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> s(std::max(a.size(), b.size()), 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        s[i] += a[i];
    for (std::size_t i = 0; i < b.size(); ++i)
        s[i] += b[i];
    return s;
}

std::vector<double> join(std::initializer_list<std::vector<double>> parts) {
    std::vector<double> s;
    for (const std::vector<double>& part : parts)
        s.insert(s.end(), part.begin(), part.end());
    return s;
}

std::vector<short> pcm(const std::vector<double>& signal, double gain) {
    std::vector<short> s(signal.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = short(std::clamp(std::lround(signal[i] * gain * 32768.0), -32768L, 32767L));
    return s;
}

QByteArray wave(const std::vector<short>& samples, int rate) {
    const quint32 bytes = quint32(samples.size() * 2);
    QByteArray w;
    const auto u32 = [&w](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        w.append(b, 4);
    };
    const auto u16 = [&w](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        w.append(b, 2);
    };
    w.append("RIFF");
    u32(36 + bytes);
    w.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(quint32(rate));
    u32(quint32(rate) * 2);
    u16(2);
    u16(16);
    w.append("data");
    u32(bytes);
    for (short v : samples)
        u16(quint16(v));
    return w;
}

} // namespace TestSignals
