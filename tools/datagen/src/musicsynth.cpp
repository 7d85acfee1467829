#include "musicsynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double frequency(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

} // namespace

// A bouncy eight-bar tune with a question-and-answer shape, ending on the tonic.
std::vector<MusicSynth::Note> MusicSynth::melody() {
    return {
        {72, 0.5}, {76, 0.5}, {79, 0.5}, {76, 0.5}, {77, 0.5}, {76, 0.5}, {74, 1.0}, {71, 0.5},
        {74, 0.5}, {77, 0.5}, {74, 0.5}, {76, 0.5}, {74, 0.5}, {72, 1.0}, {72, 0.5}, {76, 0.5},
        {79, 0.5}, {81, 0.5}, {79, 0.5}, {77, 0.5}, {76, 0.5}, {74, 0.5}, {72, 0.5}, {74, 0.5},
        {76, 0.5}, {74, 0.5}, {72, 1.5}, {0, 0.5},  {79, 0.5}, {81, 0.5}, {79, 0.5}, {77, 0.5},
        {76, 0.5}, {77, 0.5}, {79, 1.0}, {77, 0.5}, {79, 0.5}, {77, 0.5}, {76, 0.5}, {74, 0.5},
        {76, 0.5}, {77, 1.0}, {76, 0.5}, {79, 0.5}, {84, 0.5}, {79, 0.5}, {77, 0.5}, {74, 0.5},
        {71, 0.5}, {74, 0.5}, {72, 0.5}, {79, 0.5}, {76, 0.5}, {74, 0.5}, {72, 2.0},
    };
}

std::vector<MusicSynth::Note> MusicSynth::bass() {
    // Root and fifth on every beat, following C - G - C - G7 - C / F - C - G - C.
    const int bars[8][2] = {{48, 55}, {43, 50}, {48, 55}, {43, 50},
                            {48, 55}, {41, 48}, {48, 43}, {48, 36}};
    std::vector<Note> notes;
    for (const auto& bar : bars)
        for (int i = 0; i < 4; ++i)
            notes.push_back({bar[i % 2], 1.0});
    return notes;
}

void MusicSynth::addVoice(const std::vector<Note>& notes, double secondsPerBeat, double level,
                          int harmonics, std::vector<double>& out) {
    const double rate = WaveFile::SampleRate;
    std::size_t start = 0;
    for (const Note& note : notes) {
        const auto length = std::size_t(note.beats * secondsPerBeat * rate);
        if (note.midi > 0) {
            const double f = frequency(note.midi);
            const double attack = 0.01 * rate, release = 0.08 * rate;
            if (out.size() < start + length)
                out.resize(start + length, 0.0);
            for (std::size_t i = 0; i < length; ++i) {
                const double t = i / rate;
                // Quick attack, gentle decay, short release: a plucked, music-box feel.
                double env = std::exp(-2.5 * t);
                if (i < attack)
                    env *= i / attack;
                if (i + release > length)
                    env *= double(length - i) / release;
                double v = 0;
                for (int h = 1; h <= harmonics; ++h)
                    v += std::sin(2 * std::numbers::pi * f * h * t) / (h * h);
                out[start + i] += level * env * v;
            }
        }
        start += length;
    }
}

WaveFile MusicSynth::tune(double peak) {
    const double secondsPerBeat = 60.0 / 112.0;
    std::vector<double> mix;
    addVoice(melody(), secondsPerBeat, 1.0, 4, mix);
    addVoice(bass(), secondsPerBeat, 0.5, 2, mix);
    mix.resize(mix.size() + WaveFile::SampleRate / 2, 0.0); // let the last note ring out

    double loudest = 0;
    for (double v : mix)
        loudest = std::max(loudest, std::abs(v));
    WaveFile wave;
    wave.samples.resize(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i)
        wave.samples[i] = std::int16_t(std::lround(mix[i] / loudest * peak * 32767.0));
    return wave;
}
