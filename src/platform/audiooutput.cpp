#include "audiooutput.h"

#include "sdllibrary.h"
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

namespace {

// A device that has not asked for data for this long has stopped.
constexpr Uint32 kStallMs = 2000;

std::weak_ptr<AudioOutput>& sharedOutput() {
    static std::weak_ptr<AudioOutput> output;
    return output;
}

} // namespace

AudioOutput::AudioOutput() : m_context(std::make_unique<QObject>()) {}

void AudioOutput::startOpening() {
    if (m_openingStarted)
        return;
    m_openingStarted = true;
    m_opener = std::thread([this] { open(); });
}

void AudioOutput::open() {
    m_sdl.emplace();
    if (!m_sdl->started()) {
        const std::lock_guard lock(m_voicesLock);
        m_voices.clear();
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
    const SDL_AudioDeviceID device =
        SdlLibrary::Get()->OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        // Sounds queued while the device was being looked for will never play.
        const std::lock_guard lock(m_voicesLock);
        m_voices.clear();
        return;
    }
    m_bufferMs = unsigned((have.samples * 1000 + have.freq - 1) / have.freq);
    {
        const std::lock_guard lock(m_voicesLock);
        m_mixBuffer.resize(have.samples);
    }
    m_device = device;
    SdlLibrary::Get()->PauseAudioDevice(device, 0);
}

void AudioOutput::waitOpened() {
    startOpening();
    if (m_opener.joinable()) {
        m_opener.join();
    }
}

AudioOutput::~AudioOutput() {
    if (m_opener.joinable())
        m_opener.join();
    // Closing joins the audio thread, so no end-of-sound call is posted after this; the ones
    // already posted die with the context.
    if (m_device != 0) {
        SdlLibrary::Get()->CloseAudioDevice(m_device);
    }
}

bool AudioOutput::hasDevice() {
    waitOpened();
    return m_device != 0;
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
    if (!samples) {
        return 0;
    }
    startOpening();
    if (finished) {
        // Its owner counts on the handler: it must know now whether anything will play.
        waitOpened();
    }
    if (!m_opener.joinable() && m_device == 0) {
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
    const std::lock_guard lock(m_voicesLock);
    m_voices.push_back(Voice{id, std::move(samples), 0, notify});
    return id;
}

void AudioOutput::stop(unsigned id) {
    m_handlers.erase(id);
    const std::lock_guard lock(m_voicesLock);
    std::erase_if(m_voices, [id](const Voice& v) { return v.id == id; });
}

bool AudioOutput::isPlaying(unsigned id) {
    if (id == 0) {
        return false;
    }
    const std::lock_guard lock(m_voicesLock);
    return std::any_of(m_voices.begin(), m_voices.end(),
                       [id](const Voice& v) { return v.id == id; });
}

void AudioOutput::waitUntilPlayed(unsigned id) {
    waitOpened();
    unsigned long feeds = m_feeds.load();
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastProgress = Clock::now();
    while (isPlaying(id)) {
        // Voices are only kept while there is a device, so SDL is loaded here.
        if (SdlLibrary::Get()->GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            stop(id);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        const Clock::time_point now = Clock::now();
        const unsigned long nowFeeds = m_feeds.load();
        if (nowFeeds != feeds) {
            feeds = nowFeeds;
            lastProgress = now;
        } else if (now - lastProgress > std::chrono::milliseconds(kStallMs)) {
            stop(id);
            return;
        }
    }
    // The last piece went into the device buffer, which still has to be played out.
    std::this_thread::sleep_for(std::chrono::milliseconds(m_bufferMs));
}

void AudioOutput::feed(void* self, unsigned char* stream, int length) {
    auto* output = static_cast<AudioOutput*>(self);
    const std::lock_guard lock(output->m_voicesLock);
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
