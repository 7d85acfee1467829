#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// A voice recording on disk: a PCM WAVE file of 22050 Hz mono 16-bit samples with an 18-byte
// format chunk, so that the samples start at byte 46. Samples are written as they arrive and the
// RIFF and data sizes are brought up to date after every write, so the file is a valid WAVE file
// with everything recorded so far at any moment, even when the program is killed.
class RecordingFile {
public:
    static constexpr int HeaderSize = 46;

    RecordingFile() = default;
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // The empty sound file: the header with no samples.
    static QByteArray EmptyWave();
    // A whole sound file of these samples.
    static QByteArray WaveOf(const short* samples, std::size_t count);
    // Creates or truncates the file and writes the empty sound file in one write; true only
    // when all of its bytes were written.
    static bool CreateEmpty(const QString& path);

    // Empties the file as CreateEmpty does and keeps it open for samples.
    bool Begin(const QString& path);
    // Appends samples and updates the sizes. On a failed write the file is cut back to the
    // samples written before, still valid, and false is returned.
    bool Append(const short* samples, std::size_t count);
    // Closes the file; its sizes are already up to date.
    void Finish();

    bool IsOpen() const { return m_file.isOpen(); }
    std::int64_t SampleCount() const { return m_samples; }

private:
    bool WriteSizes();

    QFile m_file;
    std::int64_t m_samples = 0;
};
