#pragma once

#include "wavefile.h"

#include <vector>

// The main window's background music: a short cheerful tune in C major, made here by adding a
// few harmonics under a soft envelope, kept quiet so it never covers speech.
class MusicSynth {
public:
    struct Note {
        int midi;     // 60 = middle C; 0 = rest
        double beats; // length
    };

    static std::vector<Note> melody();
    static std::vector<Note> bass();

    // The whole tune, about 18 seconds, peak at the given fraction of full scale.
    static WaveFile tune(double peak = 0.3);

    // One voice rendered into samples (added to out from offset on).
    static void addVoice(const std::vector<Note>& notes, double secondsPerBeat, double level,
                         int harmonics, std::vector<double>& out);
};
