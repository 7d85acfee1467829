#include "soundplayer.h"

#include <QFile>
#include <SDL.h>
#include <algorithm>
#include <vector>

namespace {

// All sounds of the program are 22050 Hz mono 16-bit; the device is opened in exactly that
// format so that they are queued as they are. SDL converts for the hardware.
constexpr int kRate = 22050;
constexpr Uint16 kBufferFrames = 1024; // about 46 ms
// Sound files are short words and phrases; a file far larger is not one of ours.
constexpr qint64 kMaxSoundFileSize = 64 * 1024 * 1024;
// A queue that does not shrink for this long belongs to a device that stopped taking data.
constexpr Uint32 kStallMs = 2000;

struct WaveData {
    SDL_AudioSpec spec{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    WaveData() = default;
    WaveData(const WaveData&) = delete;
    WaveData& operator=(const WaveData&) = delete;
    ~WaveData() { SDL_FreeWAV(buffer); }
};

bool loadWave(const QString& path, WaveData& wave) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSoundFileSize) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.isEmpty()) {
        return false;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (rw == nullptr) {
        return false;
    }
    return SDL_LoadWAV_RW(rw, 1, &wave.spec, &wave.buffer, &wave.length) != nullptr;
}

} // namespace

SoundPlayer::SoundPlayer() {
    // SDL would otherwise take over SIGINT and SIGTERM, and the program would not stop on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return;
    }
    m_sdlStarted = true;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = kBufferFrames;
    SDL_AudioSpec have{};
    m_device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        return;
    }
    m_bufferMs = unsigned((have.samples * 1000 + have.freq - 1) / have.freq);
    SDL_PauseAudioDevice(m_device, 0);
}

SoundPlayer::~SoundPlayer() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
    if (m_sdlStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SoundPlayer::playSync(const QString& path) {
    WaveData wave;
    if (!loadWave(path, wave)) {
        return false;
    }
    if (m_device == 0) {
        return true;
    }
    SDL_AudioCVT cvt{};
    const int needed = SDL_BuildAudioCVT(&cvt, wave.spec.format, wave.spec.channels, wave.spec.freq,
                                         AUDIO_S16SYS, 1, kRate);
    if (needed < 0) {
        return false;
    }
    SDL_ClearQueuedAudio(m_device);
    if (needed == 0) {
        if (SDL_QueueAudio(m_device, wave.buffer, wave.length) != 0) {
            return false;
        }
    } else {
        std::vector<Uint8> work(std::size_t(wave.length) * std::size_t(cvt.len_mult));
        std::copy_n(wave.buffer, wave.length, work.begin());
        cvt.buf = work.data();
        cvt.len = int(wave.length);
        if (SDL_ConvertAudio(&cvt) != 0 ||
            SDL_QueueAudio(m_device, work.data(), Uint32(cvt.len_cvt)) != 0) {
            return false;
        }
    }
    waitUntilPlayed();
    return true;
}

void SoundPlayer::waitUntilPlayed() {
    constexpr Uint32 kBytesPerMs = kRate * 2 / 1000;
    Uint32 queued = SDL_GetQueuedAudioSize(m_device);
    Uint32 lastProgress = SDL_GetTicks();
    while (queued > 0) {
        if (SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_PLAYING) {
            SDL_ClearQueuedAudio(m_device);
            return;
        }
        SDL_Delay(std::clamp<Uint32>(queued / kBytesPerMs, 1, 10));
        const Uint32 now = SDL_GetTicks();
        const Uint32 left = SDL_GetQueuedAudioSize(m_device);
        if (left < queued) {
            lastProgress = now;
        } else if (now - lastProgress > kStallMs) {
            SDL_ClearQueuedAudio(m_device);
            return;
        }
        queued = left;
    }
    // The queue empties when its last piece moves into the device buffer, which still has to
    // be played out.
    SDL_Delay(m_bufferMs);
}
