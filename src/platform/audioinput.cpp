#include "audioinput.h"

#include "sdllibrary.h"
#include <QMetaObject>
#include <algorithm>

AudioInput::AudioInput(int sampleRate)
    : m_rate(sampleRate), m_context(std::make_unique<QObject>()) {}

AudioInput::~AudioInput() {
    stop();
}

bool AudioInput::start(std::int64_t limit, std::function<void()> ready) {
    stop();
    m_waiting.clear();
    m_limit = std::max<std::int64_t>(limit, 0);
    m_captured = 0;
    m_posted = false;
    m_ready = std::move(ready);
    if (!m_sdl) {
        m_sdl.emplace();
    }
    if (!m_sdl->started()) {
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = m_rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kAudioBufferFrames;
    want.callback = &AudioInput::receive;
    want.userdata = this;
    SDL_AudioSpec have{};
    m_device = SdlLibrary::Get()->OpenAudioDevice(nullptr, 1, &want, &have, 0);
    if (m_device == 0) {
        return false;
    }
    if (m_limit == 0) {
        // Nothing to wait for: tell the owner at once that the limit is reached.
        m_posted = true;
        QMetaObject::invokeMethod(
            m_context.get(), [this] { deliver(); }, Qt::QueuedConnection);
    }
    SdlLibrary::Get()->PauseAudioDevice(m_device, 0);
    return true;
}

void AudioInput::stop() {
    if (m_device != 0) {
        // Joins the audio thread: nothing is stored after this.
        SdlLibrary::Get()->CloseAudioDevice(m_device);
        m_device = 0;
    }
}

std::vector<short> AudioInput::takeSamples() {
    std::vector<short> taken;
    if (m_device != 0) {
        SdlLibrary::Get()->LockAudioDevice(m_device);
    }
    taken.swap(m_waiting);
    m_posted = false;
    if (m_device != 0) {
        SdlLibrary::Get()->UnlockAudioDevice(m_device);
    }
    return taken;
}

bool AudioInput::limitReached() const {
    if (m_device != 0) {
        SdlLibrary::Get()->LockAudioDevice(m_device);
    }
    const bool reached = m_captured >= m_limit;
    if (m_device != 0) {
        SdlLibrary::Get()->UnlockAudioDevice(m_device);
    }
    return reached;
}

void AudioInput::receive(void* self, unsigned char* stream, int length) {
    static_cast<AudioInput*>(self)->store(reinterpret_cast<const short*>(stream),
                                          length / int(sizeof(short)));
}

void AudioInput::store(const short* samples, int count) {
    const std::int64_t room = m_limit - m_captured;
    if (room <= 0) {
        return;
    }
    const int taken = int(std::min<std::int64_t>(count, room));
    m_waiting.insert(m_waiting.end(), samples, samples + taken);
    m_captured += taken;
    // One call waiting in the owner's queue is enough; it takes everything stored until then.
    if (!m_posted.exchange(true)) {
        QMetaObject::invokeMethod(
            m_context.get(), [this] { deliver(); }, Qt::QueuedConnection);
    }
}

void AudioInput::deliver() {
    // A copy: the handler may start a new capture, which replaces m_ready.
    const std::function<void()> ready = m_ready;
    if (ready) {
        ready();
    }
}

CaptureSource CaptureSource::Microphone(int sampleRate, std::int64_t limit) {
    auto input = std::make_shared<AudioInput>(sampleRate);
    return {[input, limit](std::function<void()> ready) {
                return input->start(limit, std::move(ready));
            },
            [input] { input->stop(); }, [input] { return input->takeSamples(); }};
}
