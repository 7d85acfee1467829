#pragma once

#include <QString>

// What a frication noise sounds most like: the dental s, the alveolo-palatal ś or the
// retroflex sz. The voiced and affricate relatives follow their place: z, c, dz come out as s;
// ż/rz, cz, dż as sz; ź, ć, dź as ś.
enum class Sibilant { S, Si, Sz };

// The scale the mirror shows: a noise's spectral centre of gravity placed between the centre of
// an s (position 0) and that of an sz (position 1), ś in the middle. The ends are a voice's own:
// a child's s lies higher than an adult's, so they come from defaults for children's voices,
// from the program's spoken words, or from a child's calibration takes (Calibration).
class ScaleEnds {
public:
    // Positions below SBelow are s, above SzAbove sz, between them ś.
    static constexpr double SBelow = 1.0 / 3.0;
    static constexpr double SzAbove = 2.0 / 3.0;

    // sHz above szHz; ends closer than MinSpanHz are moved apart around their middle.
    ScaleEnds(double sHz, double szHz);

    // Children of four to eight years; see scaleends.cpp for where the figures come from.
    static ScaleEnds ChildDefaults();
    // The data pack's words: espeak-ng's adult voice, measured on the pack.
    static ScaleEnds PackVoice();

    static constexpr double MinSpanHz = 500.0;

    double sHz() const { return m_sHz; }
    double szHz() const { return m_szHz; }
    // 0 at the s end, 1 at the sz end, kept within 0..1.
    double position(double cogHz) const;
    Sibilant verdict(double cogHz) const { return VerdictAt(position(cogHz)); }

    static Sibilant VerdictAt(double position);
    // "s", "ś" or "sz".
    static QString Name(Sibilant sibilant);

    bool operator==(const ScaleEnds&) const = default;

private:
    double m_sHz;
    double m_szHz;
};
