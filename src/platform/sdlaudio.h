#pragma once

// Every sound of the program is 22050 Hz mono 16-bit; the devices are opened in this format and
// SDL converts for the hardware.
inline constexpr int kAudioRate = 22050;
inline constexpr int kAudioBufferFrames = 1024; // about 46 ms

// Holds SDL's audio subsystem started for as long as the object lives. SDL counts the starts, so
// every user of audio keeps one of these and the subsystem ends with the last of them. Starts
// and ends may come from any thread.
class SdlAudio {
public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool started() const { return m_started; }

private:
    bool m_started = false;
};
