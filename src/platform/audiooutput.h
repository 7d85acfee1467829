#pragma once

#include "sdlaudio.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// The program's one SDL2 playback device, opened once because opening and closing a device takes
// about 100 ms. Any number of sounds play at once and are mixed. A sound may carry a handler that
// runs once its last sample has gone to the device; handlers run on the thread that made the
// output (the GUI thread), from its event loop, never from the audio thread.
// Without an audio device nothing plays and play() returns 0.
//
// Starting SDL's audio and opening the device (loading the sound server's libraries, talking to
// it) happens on a thread of its own, so that making the output costs the GUI thread nothing:
// a sound without an end handler started meanwhile waits for the device and then plays; every
// other call waits for the opening to be over first.
class AudioOutput {
public:
    using Samples = std::shared_ptr<const std::vector<short>>;

    AudioOutput();
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // The output used by everybody in the program: made on first use, closed when the last user
    // lets go of it.
    static std::shared_ptr<AudioOutput> shared();

    bool hasDevice();
    // Starts looking for the device and opening it, on a thread of its own, unless that has
    // begun. Loading the sound library and its own libraries is heavy: a start leaves it until
    // its window is on the screen. Anything that needs the device starts it too.
    void startOpening();

    // Starts 22050 Hz mono samples; returns the sound's id, or 0 when there is no device. A sound
    // with a handler waits for the device to be open; one without may be queued before.
    unsigned play(Samples samples, std::function<void()> finished = {});
    // Silences the sound at once; its handler will not run.
    void stop(unsigned id);
    // True until the sound's last sample has gone to the device.
    bool isPlaying(unsigned id);
    // Blocks until the sound has been heard to its end. Gives up, silencing the sound, when the
    // device stops taking data.
    void waitUntilPlayed(unsigned id);

private:
    struct Voice {
        unsigned id = 0;
        Samples samples;
        std::size_t position = 0;
        bool notify = false;
    };

    void open();
    // Returns once the opening thread has finished; on the owner's thread only.
    void waitOpened();
    static void feed(void* self, unsigned char* stream, int length);
    void mix(short* out, int frames);
    void deliverFinished(unsigned id);

    std::optional<SdlAudio> m_sdl; // started by the opening thread
    std::atomic<unsigned> m_device{0};
    // Written by the opening thread, read once it has been joined:
    unsigned m_bufferMs = 0; // what the device still plays after the last piece was handed over
    // Shared with the audio thread and the opening thread, under m_voicesLock:
    std::mutex m_voicesLock;
    std::vector<Voice> m_voices;
    std::vector<int> m_mixBuffer;
    std::atomic<unsigned long> m_feeds{0};
    // Used on the owner's thread only:
    unsigned m_lastId = 0;
    std::map<unsigned, std::function<void()>> m_handlers;
    std::unique_ptr<QObject> m_context; // receives the queued end-of-sound calls
    std::thread m_opener;               // joined by the first call that needs the device
    bool m_openingStarted = false;
};
