#pragma once

#include <memory>
#include <span>
#include <vector>

// The figures of one analysis frame of a mono 16-bit signal: 20 ms under a Hann window,
// zero-padded to a power of two (1024 points at 44.1 kHz, 512 at 22.05 kHz: about 43 Hz a bin
// at both), through KissFFT's real transform. Frames follow each other every 10 ms.
//
// The noise band, where the frication of s, ś and sz lies, runs from 2.5 kHz up to 11 kHz or the
// signal's Nyquist limit, whichever is lower: the same band at 44.1 kHz and 22.05 kHz, so one
// sound recorded at either rate gives about the same figures. The voice band below it, from
// 500 Hz, holds the first two formants of vowels and sonorants; the voicing of ż or z lies
// mostly under 500 Hz, so that voiced frication still outweighs the voice band.
class FrameSpectrum {
public:
    static constexpr double FrameMs = 20.0;
    static constexpr double HopMs = 10.0;
    static constexpr double VoiceBandLowHz = 500.0;
    static constexpr double NoiseBandLowHz = 2500.0;
    static constexpr double NoiseBandHighHz = 11000.0;
    // Levels of an empty band, instead of minus infinity.
    static constexpr double SilenceDb = -140.0;

    struct Figures {
        // Power (mean square) of the signal's part in the band, dB relative to full scale: a
        // full-scale sine in the band reads -3 dB.
        double voiceDb = SilenceDb;
        double noiseDb = SilenceDb;
        // The noise band's fine structure: geometric over arithmetic mean of its bins within
        // stretches of about 690 Hz (their median, weighted by power). Noise reads about 0.5
        // and more, the harmonics of a vowel (whose formants may reach into the band, as an i's
        // do) 0.3 and less. The band's overall shape does not count, so a narrow band of noise
        // reads as noise too.
        double flatness = 0;
        double cogHz = 0;  // power-weighted mean frequency of the noise band
        double peakHz = 0; // the noise band's strongest frequency (smoothed over ±90 Hz)
    };

    // sampleRate in 8000..384000 (others are taken as the nearest of these).
    explicit FrameSpectrum(int sampleRate);
    ~FrameSpectrum();
    FrameSpectrum(const FrameSpectrum&) = delete;
    FrameSpectrum& operator=(const FrameSpectrum&) = delete;

    int sampleRate() const { return m_rate; }
    // Samples in one frame (20 ms) and between two frames (10 ms).
    int frameLength() const { return m_frameLength; }
    int hopLength() const { return m_hopLength; }
    int fftSize() const { return m_fftSize; }
    double binHz() const { return double(m_rate) / m_fftSize; }
    // The noise band's top at this rate.
    double noiseBandHighHz() const;

    // Transforms frameLength() samples (fewer are padded with silence) and keeps the frame's
    // power spectrum: bins 0..fftSize()/2, each the share of the frame's mean square (relative
    // to full scale) that falls into the bin, so that summing a band gives its power.
    void transform(std::span<const short> frame);
    std::span<const float> power() const { return m_power; }
    // The figures of the last transformed frame.
    Figures figures() const;

private:
    struct Fft;
    double flatness() const;
    int m_rate;
    int m_frameLength;
    int m_hopLength;
    int m_fftSize;
    std::unique_ptr<Fft> m_fft;
    std::vector<float> m_window;
    double m_scale = 0; // from squared magnitude to mean square
    std::vector<float> m_input;
    std::vector<float> m_power;
    // Bins of the bands: [first, last] inclusive.
    int m_voiceFirst, m_voiceLast, m_noiseFirst, m_noiseLast;
};
