#pragma once

#include "framespectrum.h"
#include "noisefloor.h"
#include "scaleends.h"

#include <span>
#include <vector>

// One 20 ms analysis frame of the signal, as the live mirror shows it.
struct SibilantFrame {
    // The frame's centre, in ms from the first sample pushed.
    double timeMs = 0;
    // The frame is frication: its noise band is noise (flat in its fine structure), outweighs
    // the voice band, and stands out above the background and above an absolute floor. The
    // figures below are measured on every frame, but mean something only for frication.
    bool frication = false;
    double cogHz = 0;    // the noise band's centre of gravity
    double peakHz = 0;   // the noise band's strongest frequency
    double position = 0; // cogHz on the scale of the stream's ends: 0 s, 0.5 ś, 1 sz
    double noiseDb = FrameSpectrum::SilenceDb; // level of the noise band, dBFS
    double voiceDb = FrameSpectrum::SilenceDb; // level of the voice band, dBFS
    double flatness = 0;                       // FrameSpectrum::Figures::flatness
    bool operator==(const SibilantFrame&) const = default;
};

// The analysis as the microphone delivers: samples are pushed in blocks of any size, and each
// push returns the frames completed since the last one. A whole take pushed at once, or in any
// blocks, gives the same frames (SibilantAnalysis does just that).
//
// Cost: one 1024-point real FFT per 10 ms at 44.1 kHz and a few passes over the noise band's
// 200 bins (one logarithm each, twice, for the flatness): about 10 µs of one core per frame on
// the development machine, some 0.1 % of the core in real time (bench/sibilants_benchmark.cpp,
// BM_StreamTenMilliseconds). Frames are returned in a new vector; the stream itself allocates
// nothing after its first frame.
class SibilantStream {
public:
    // Frication needs a noise band at least this flat: band noise reads 0.3 to 0.8, the vowels
    // of a child's voice (above 200 Hz) 0.25 and less. The harmonics of a low adult voice lie too
    // close for a 20 ms frame to part them, so there the next rule has to tell...
    static constexpr double MinFlatness = 0.3;
    // ...the noise band this many dB above the voice band (the pack's s and sz read 10 to 25,
    // its voiced z and ż 3 to 11, its vowels -10 and less, but an i up to +24)...
    static constexpr double DominanceDb = 3.0;
    // ...this many dB above the background's floor...
    static constexpr double AboveFloorDb = 12.0;
    // ...and at least this loud: digital silence and a quiet room's hiss never count.
    static constexpr double AbsoluteFloorDb = -60.0;

    // sampleRate in 8000..384000 Hz (22050 and 44100 are the program's own).
    explicit SibilantStream(int sampleRate, ScaleEnds ends = ScaleEnds::ChildDefaults());

    std::vector<SibilantFrame> push(std::span<const short> samples);
    // Forgets the samples and the background's level: the next push starts at time 0.
    void reset();

    void setEnds(ScaleEnds ends) { m_ends = ends; }
    const ScaleEnds& ends() const { return m_ends; }
    int sampleRate() const { return m_spectrum.sampleRate(); }
    double hopMs() const;

private:
    FrameSpectrum m_spectrum;
    NoiseFloor m_floor;
    ScaleEnds m_ends;
    std::vector<short> m_pending; // samples of frames not yet complete
    long long m_frames = 0;       // frames returned so far
};
