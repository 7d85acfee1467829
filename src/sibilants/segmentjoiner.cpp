#include "segmentjoiner.h"

#include <algorithm>

namespace {

double median(std::vector<double> values) {
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2)
        return *middle;
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

} // namespace

SegmentJoiner::SegmentJoiner(ScaleEnds ends, double hopMs) : m_ends(ends), m_hopMs(hopMs) {}

std::optional<SibilantSegment> SegmentJoiner::add(const SibilantFrame& frame) {
    if (frame.frication) {
        if (m_cogs.empty())
            m_firstMs = frame.timeMs;
        m_lastMs = frame.timeMs;
        m_cogs.push_back(frame.cogHz);
        m_peaks.push_back(frame.peakHz);
        m_gap = 0;
        return std::nullopt;
    }
    if (m_cogs.empty() || ++m_gap <= MaxGapFrames)
        return std::nullopt;
    return close();
}

std::optional<SibilantSegment> SegmentJoiner::finish() {
    return close();
}

std::optional<SibilantSegment> SegmentJoiner::close() {
    std::optional<SibilantSegment> result;
    const double startMs = m_firstMs - m_hopMs / 2;
    const double endMs = m_lastMs + m_hopMs / 2;
    if (!m_cogs.empty() && endMs - startMs >= MinMs) {
        SibilantSegment s;
        s.startMs = startMs;
        s.endMs = endMs;
        s.cogHz = median(m_cogs);
        s.peakHz = median(m_peaks);
        s.position = m_ends.position(s.cogHz);
        s.verdict = ScaleEnds::VerdictAt(s.position);
        s.frames = int(m_cogs.size());
        result = s;
    }
    m_cogs.clear();
    m_peaks.clear();
    m_gap = 0;
    return result;
}
