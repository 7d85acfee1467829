#pragma once

#include <QString>

// Plays short WAVE files synchronously over one SDL2 playback device that stays open for the
// program's life. Without sound hardware every call is silent and returns at once.
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

    bool hasDevice() const { return m_device != 0; }

private:
    void waitUntilPlayed();

    unsigned m_device = 0;
    unsigned m_bufferMs = 0; // length of the device buffer that follows the queue
    bool m_sdlStarted = false;
};
