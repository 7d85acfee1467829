#pragma once

#include "sdlaudio.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Captures mono 16-bit samples (22050 Hz unless another rate is asked for: the sibilant
// analysis listens at 44100 Hz) from the default SDL2 capture device. The device is
// open only while capturing, so that the microphone is not held between recordings; opening
// a capture device is quick, unlike a playback device.
// Samples arrive on SDL's audio thread and wait here until the owner takes them on its own
// thread: whenever new samples are waiting the `ready` handler is called there, from the event
// loop, through a queued call. At most `limit` samples are taken; the rest is dropped, so the
// memory used stays bounded even with a device that delivers faster than real time.
class AudioInput {
public:
    explicit AudioInput(int sampleRate = kAudioRate);
    int sampleRate() const { return m_rate; }
    ~AudioInput();
    AudioInput(const AudioInput&) = delete;
    AudioInput& operator=(const AudioInput&) = delete;

    // Opens the capture device and starts taking samples. False when there is no capture device.
    bool start(std::int64_t limit, std::function<void()> ready);
    // Closes the capture device. Samples captured before remain to be taken.
    void stop();
    bool isRunning() const { return m_device != 0; }

    // Hands over the samples captured since the last call.
    std::vector<short> takeSamples();
    // True once `limit` samples have been captured (some of them may still wait to be taken).
    bool limitReached() const;

private:
    static void receive(void* self, unsigned char* stream, int length);
    void store(const short* samples, int count);
    void deliver();

    // Started at the first capture: making the recorder at start-up costs nothing.
    std::optional<SdlAudio> m_sdl;
    unsigned m_device = 0;
    int m_rate;
    // Shared with the audio thread, under SDL's device lock while the device is open:
    std::vector<short> m_waiting;
    std::int64_t m_limit = 0;
    std::int64_t m_captured = 0;
    std::atomic<bool> m_posted{false};
    // Used on the owner's thread only:
    std::function<void()> m_ready;
    std::unique_ptr<QObject> m_context; // receives the queued calls
};

// What a window needs of a microphone, so that tests can give their own: start capturing
// (ready runs whenever samples wait; false without a device), stop, and take what waits.
struct CaptureSource {
    std::function<bool(std::function<void()> ready)> start;
    std::function<void()> stop;
    std::function<std::vector<short>()> take;

    // The default capture device at this rate, at most limit samples a capture.
    static CaptureSource Microphone(int sampleRate, std::int64_t limit);
};
