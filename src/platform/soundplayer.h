#pragma once

#include <QString>
#include <memory>

class AudioOutput;

// Plays short WAVE files synchronously over the program's playback device (AudioOutput), which
// stays open for the program's life. Without sound hardware every call is silent and returns at
// once.
class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays the whole file and returns when it has finished. False when the file is missing
    // or is not a WAVE file this player understands; true when it was played (or would have
    // been, on a machine without an audio device).
    bool playSync(const QString& path);

    bool hasDevice() const;
    // Opens the playback device ahead of the first sound, without waiting for it.
    void PrepareDevice();

private:
    std::shared_ptr<AudioOutput> m_output;
};
