#include "sibilantstream.h"

#include <algorithm>

SibilantStream::SibilantStream(int sampleRate, ScaleEnds ends)
    : m_spectrum(sampleRate), m_floor(FrameSpectrum::HopMs), m_ends(ends) {
    m_pending.reserve(std::size_t(2 * m_spectrum.frameLength()));
}

double SibilantStream::hopMs() const {
    return 1000.0 * m_spectrum.hopLength() / m_spectrum.sampleRate();
}

std::vector<SibilantFrame> SibilantStream::push(std::span<const short> samples) {
    std::vector<SibilantFrame> frames;
    const std::size_t length = std::size_t(m_spectrum.frameLength());
    const std::size_t hop = std::size_t(m_spectrum.hopLength());
    const double rate = m_spectrum.sampleRate();
    // The pending samples are the start of the next frame: filled up from the block, analysed,
    // and moved on by one hop.
    std::size_t used = 0;
    while (true) {
        const std::size_t take = std::min(length - m_pending.size(), samples.size() - used);
        m_pending.insert(m_pending.end(), samples.begin() + std::ptrdiff_t(used),
                         samples.begin() + std::ptrdiff_t(used + take));
        used += take;
        if (m_pending.size() < length)
            break;
        const std::span<const short> frame(m_pending);
        m_spectrum.transform(frame);
        const FrameSpectrum::Figures f = m_spectrum.figures();
        SibilantFrame out;
        out.timeMs = 1000.0 * (double(m_frames) * double(hop) + double(length) / 2) / rate;
        out.cogHz = f.cogHz;
        out.peakHz = f.peakHz;
        out.position = m_ends.position(f.cogHz);
        out.noiseDb = f.noiseDb;
        out.voiceDb = f.voiceDb;
        out.flatness = f.flatness;
        const double floor = m_floor.next(f.noiseDb);
        out.frication = f.flatness >= MinFlatness && f.noiseDb - f.voiceDb >= DominanceDb &&
                        f.noiseDb >= floor + AboveFloorDb && f.noiseDb >= AbsoluteFloorDb;
        frames.push_back(out);
        ++m_frames;
        m_pending.erase(m_pending.begin(), m_pending.begin() + std::ptrdiff_t(hop));
    }
    return frames;
}

void SibilantStream::reset() {
    m_pending.clear();
    m_floor.reset();
    m_frames = 0;
}
