#include "noisefloor.h"

#include <algorithm>

NoiseFloor::NoiseFloor(double hopMs) : m_risePerFrame(RiseDbPerSecond * hopMs / 1000.0) {}

double NoiseFloor::next(double levelDb) {
    if (!m_started) {
        m_started = true;
        m_level = std::min(levelDb, StartCeilingDb);
        return m_level;
    }
    const double before = m_level;
    m_level = std::min(levelDb, m_level + m_risePerFrame);
    return before;
}
