#pragma once

#include <span>
#include <vector>

// A picture of a take for the recordings view: the level of every analysis frame (the same
// 20 ms frames every 10 ms as SibilantAnalysis, so its segments fall on the same times) in bands
// of equal width from 0 Hz up to topHz or the Nyquist limit.
class TakeSpectrogram {
public:
    static constexpr double FloorDb = -120.0; // the level of an empty band

    // samples mono 16-bit at sampleRate; bandCount is cut to the bins below topHz (about 43 Hz
    // each), 255 at 22.05 kHz.
    static TakeSpectrogram Of(std::span<const short> samples, int sampleRate, int bandCount = 64,
                              double topHz = 11025.0);

    int frameCount() const { return m_frames; }
    int bandCount() const { return m_bands; }
    // The frame's centre in ms from the take's start.
    double frameMs(int frame) const { return m_firstMs + frame * m_hopMs; }
    double hopMs() const { return m_hopMs; }
    // Band b spans [b * bandHz(), (b + 1) * bandHz()).
    double bandHz() const { return m_bandHz; }
    // The band's power in the frame, dB relative to full scale (at least FloorDb).
    float db(int frame, int band) const { return m_db[std::size_t(frame * m_bands + band)]; }
    // All levels, frame after frame, each frame's bands from the lowest up.
    const std::vector<float>& levels() const { return m_db; }

private:
    int m_frames = 0;
    int m_bands = 0;
    double m_firstMs = 0;
    double m_hopMs = 0;
    double m_bandHz = 0;
    std::vector<float> m_db;
};
