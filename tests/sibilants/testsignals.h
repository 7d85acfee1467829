#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

// Signals of known make-up for the analysis: noise of a known band, a vowel's harmonics,
// silence, and their sums, as 16-bit samples.
namespace TestSignals {

// Gaussian-like noise spread evenly over [centreHz - widthHz / 2, centreHz + widthHz / 2], as
// the sum of many sines at random frequencies and phases; rmsDb relative to full scale.
std::vector<double> bandNoise(int rate, double ms, double centreHz, double widthHz, double rmsDb,
                              unsigned seed = 1);
// A sustained vowel at f0Hz: harmonics shaped by the formants' frequencies (Hz), rmsDb.
std::vector<double> vowel(int rate, double ms, double f0Hz, std::vector<double> formants,
                          double rmsDb);
std::vector<double> silence(int rate, double ms);

// a + b, sample by sample (the shorter one padded with silence).
std::vector<double> mix(const std::vector<double>& a, const std::vector<double>& b);
// The parts one after the other.
std::vector<double> join(std::initializer_list<std::vector<double>> parts);
// Times gain, then to 16 bits, clipped at full scale.
std::vector<short> pcm(const std::vector<double>& signal, double gain = 1.0);

// A RIFF WAVE file of 16-bit mono PCM.
QByteArray wave(const std::vector<short>& samples, int rate);

} // namespace TestSignals
