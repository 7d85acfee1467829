#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// A mono 16-bit PCM sound, as the program's ".pw" files hold it.
class WaveFile {
public:
    static constexpr int SampleRate = 22050;

    std::vector<std::int16_t> samples;
    int sampleRate{SampleRate};

    // Reads a RIFF/WAVE file with 16-bit PCM mono data; false when the file is missing, is
    // not such a file, or is cut short.
    bool read(const QString& path, QString* error = nullptr);
    // Writes a canonical 44-byte-header RIFF/WAVE file through a temporary file, so that a
    // failed write never leaves a half file under the final name.
    bool write(const QString& path, QString* error = nullptr) const;

    // Drops leading and trailing samples quieter than threshold (a fraction of full scale),
    // keeping padMs of lead-in and tail so that the first consonant is not clipped.
    void trimSilence(double threshold, int padMs);
    // Scales so that the loudest sample reaches peak (a fraction of full scale). Silence stays
    // silence.
    void normalise(double peak);

    int peak() const;
    double durationSeconds() const;
};
