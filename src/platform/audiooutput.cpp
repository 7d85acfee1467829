#include "audiooutput.h"

#include <QMetaObject>
#include <SDL.h>
#include <algorithm>
#include <limits>

namespace {

// A device that has not asked for data for this long has stopped.
constexpr Uint32 kStallMs = 2000;

std::weak_ptr<AudioOutput>& sharedOutput() {
    static std::weak_ptr<AudioOutput> output;
    return output;
}

class DeviceLock {
public:
    explicit DeviceLock(unsigned device) : m_device(device) {
        if (m_device != 0) {
            SDL_LockAudioDevice(m_device);
        }
    }
    ~DeviceLock() {
        if (m_device != 0) {
            SDL_UnlockAudioDevice(m_device);
        }
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    unsigned m_device;
};

} // namespace

AudioOutput::AudioOutput() : m_context(std::make_unique<QObject>()) {
    if (!m_sdl.started()) {
        return;
    }
    SDL_AudioSpec want{};
    want.freq = kAudioRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kAudioBufferFrames;
    want.callback = &AudioOutput::feed;
    want.userdata = this;
    SDL_AudioSpec have{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        return;
    }
    m_bufferMs = unsigned((have.samples * 1000 + have.freq - 1) / have.freq);
    m_mixBuffer.resize(have.samples);
    SDL_PauseAudioDevice(m_device, 0);
}

AudioOutput::~AudioOutput() {
    // Closing joins the audio thread, so no end-of-sound call is posted after this; the ones
    // already posted die with the context.
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
}

std::shared_ptr<AudioOutput> AudioOutput::shared() {
    std::shared_ptr<AudioOutput> output = sharedOutput().lock();
    if (!output) {
        output = std::make_shared<AudioOutput>();
        sharedOutput() = output;
    }
    return output;
}

unsigned AudioOutput::play(Samples samples, std::function<void()> finished) {
    if (m_device == 0 || !samples) {
        return 0;
    }
    do {
        ++m_lastId;
    } while (m_lastId == 0);
    const unsigned id = m_lastId;
    const bool notify = bool(finished);
    if (notify) {
        m_handlers[id] = std::move(finished);
    }
    DeviceLock lock(m_device);
    m_voices.push_back(Voice{id, std::move(samples), 0, notify});
    return id;
}

void AudioOutput::stop(unsigned id) {
    m_handlers.erase(id);
    DeviceLock lock(m_device);
    std::erase_if(m_voices, [id](const Voice& v) { return v.id == id; });
}

bool AudioOutput::isPlaying(unsigned id) const {
    if (id == 0) {
        return false;
    }
    DeviceLock lock(m_device);
    return std::any_of(m_voices.begin(), m_voices.end(),
                       [id](const Voice& v) { return v.id == id; });
}

void AudioOutput::waitUntilPlayed(unsigned id) {
    unsigned long feeds = m_feeds.load();
    Uint32 lastProgress = SDL_GetTicks();
    while (isPlaying(id)) {
        if (SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            stop(id);
            return;
        }
        SDL_Delay(5);
        const Uint32 now = SDL_GetTicks();
        const unsigned long nowFeeds = m_feeds.load();
        if (nowFeeds != feeds) {
            feeds = nowFeeds;
            lastProgress = now;
        } else if (now - lastProgress > kStallMs) {
            stop(id);
            return;
        }
    }
    // The last piece went into the device buffer, which still has to be played out.
    SDL_Delay(m_bufferMs);
}

void AudioOutput::feed(void* self, unsigned char* stream, int length) {
    auto* output = static_cast<AudioOutput*>(self);
    output->mix(reinterpret_cast<short*>(stream), length / int(sizeof(short)));
    output->m_feeds.fetch_add(1);
}

void AudioOutput::mix(short* out, int frames) {
    if (m_mixBuffer.size() < std::size_t(frames)) {
        m_mixBuffer.resize(std::size_t(frames));
    }
    std::fill_n(m_mixBuffer.begin(), frames, 0);
    for (Voice& voice : m_voices) {
        const std::vector<short>& samples = *voice.samples;
        const std::size_t count = std::min(
            std::size_t(frames), samples.size() - std::min(voice.position, samples.size()));
        for (std::size_t i = 0; i < count; ++i) {
            m_mixBuffer[i] += samples[voice.position + i];
        }
        voice.position += count;
    }
    for (int i = 0; i < frames; ++i) {
        out[i] =
            short(std::clamp<int>(m_mixBuffer[std::size_t(i)], std::numeric_limits<short>::min(),
                                  std::numeric_limits<short>::max()));
    }
    std::erase_if(m_voices, [this](const Voice& v) {
        if (v.position < v.samples->size()) {
            return false;
        }
        if (v.notify) {
            const unsigned id = v.id;
            QMetaObject::invokeMethod(
                m_context.get(), [this, id] { deliverFinished(id); }, Qt::QueuedConnection);
        }
        return true;
    });
}

void AudioOutput::deliverFinished(unsigned id) {
    const auto it = m_handlers.find(id);
    if (it == m_handlers.end()) {
        return;
    }
    // The handler may well start or stop other sounds.
    const std::function<void()> handler = std::move(it->second);
    m_handlers.erase(it);
    handler();
}
