#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// A sound at its own sample rate, mixed to one channel of 16-bit samples.
struct WaveSound {
    std::vector<short> samples;
    int sampleRate = 0;
};

// Reads a WAVE file for the analysis at the rate it was recorded at (the platform's
// loadWaveSamples converts everything to 22050 Hz, which would cut a 44.1 kHz take's noise band
// short). PCM of 8, 16, 24 or 32 bits and 32- or 64-bit float, plain or extensible, any number of
// channels (mixed down). Like the program's other media files, only a regular file of at most
// MaxBytes is read: a FIFO or a device in its place counts as missing and is never waited on.
class WaveReader {
public:
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;
    static constexpr int MinRate = 4000;
    static constexpr int MaxRate = 384000;

    // Nothing when the file is missing, not a regular file, too large, or not a WAVE file of a
    // format above.
    static std::optional<WaveSound> Read(const QString& path);
    // The same for the file's bytes.
    static std::optional<WaveSound> Parse(const QByteArray& bytes);
};
