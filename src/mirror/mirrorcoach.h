#pragma once

#include "scaleends.h"
#include "sibilantstream.h"

#include <optional>
#include <vector>

// What the live mirror shows, worked out from the analysis frames as they come: where the
// indicator stands on the scale (it eases towards each frication frame's place, so that it moves
// smoothly and a single odd frame does not throw it), which sound that is, and whether the sound
// the therapist chose has been held steadily long enough for a reward. It also notices a
// microphone that hears nothing at all. Nothing here draws.
class MirrorCoach {
public:
    // The sound must be held this long, on the chosen side, for a star.
    static constexpr double HoldMs = 1000.0;
    // Short breaks (a breath, a frame of voicing) do not break a hold.
    static constexpr double GapMs = 60.0;
    // After a star the sound must stop for this long before the next hold counts.
    static constexpr double RestMs = 300.0;
    // Nothing above digital silence for this long: the microphone hears nothing.
    static constexpr double DeafMs = 3000.0;
    // How far the indicator goes towards a new frame's place per frame (10 ms).
    static constexpr double Easing = 0.35;

    explicit MirrorCoach(Sibilant target = Sibilant::Sz) : m_target(target) {}

    void SetTarget(Sibilant target);
    Sibilant Target() const { return m_target; }
    // Takes the frames of one push; true when a star was earned among them.
    bool Take(const std::vector<SibilantFrame>& frames);
    void Reset();

    // Where the indicator stands, 0 (s) .. 1 (sz); none while no sound is being made.
    std::optional<double> Indicator() const {
        return m_sounding ? std::optional(m_indicator) : std::nullopt;
    }
    // The sound the indicator stands on, while one is being made.
    std::optional<Sibilant> Heard() const;
    // How much of the hold is done, 0..1.
    double HoldProgress() const { return std::min(1.0, m_heldMs / HoldMs); }
    int Stars() const { return m_stars; }
    // True once the microphone has given nothing but silence for DeafMs.
    bool Deaf() const { return m_silentMs >= DeafMs; }

private:
    void takeFrame(const SibilantFrame& frame, double hopMs, bool& earned);

    Sibilant m_target;
    double m_indicator = 0.5;
    bool m_sounding = false;
    double m_heldMs = 0;
    double m_gapMs = 0;
    double m_restMs = RestMs;
    bool m_resting = false;
    double m_silentMs = 0;
    double m_lastTimeMs = -1;
    int m_stars = 0;
};
