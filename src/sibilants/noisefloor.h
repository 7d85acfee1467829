#pragma once

// The level of the background noise in the noise band, followed frame by frame without looking
// ahead, so that the live mirror and the analysis of a whole take judge alike. It follows every
// fall at once and rises only slowly: a sustained "sssss" of several seconds is not taken for
// the background, while a louder room is learnt within seconds.
class NoiseFloor {
public:
    // The first frame sets the floor, but no higher than this: a take that starts with its
    // sibilant at once still has one to stand out against.
    static constexpr double StartCeilingDb = -50.0;
    static constexpr double RiseDbPerSecond = 3.0;

    explicit NoiseFloor(double hopMs);

    // The floor before this frame's level is taken in; then takes it in.
    double next(double levelDb);
    double level() const { return m_level; }
    void reset() { m_started = false; }

private:
    double m_risePerFrame;
    double m_level = StartCeilingDb;
    bool m_started = false;
};
