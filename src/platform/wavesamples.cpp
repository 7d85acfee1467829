#include "wavesamples.h"

#include "sdlaudio.h"

#include <QFile>
#include <SDL.h>
#include <cstring>

namespace {

// Sounds and recordings are at most a few minutes long; a file far larger is not one of ours.
constexpr qint64 kMaxSoundFileSize = 64 * 1024 * 1024;

struct WaveData {
    SDL_AudioSpec format{};
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
    return SDL_LoadWAV_RW(rw, 1, &wave.format, &wave.buffer, &wave.length) != nullptr;
}

} // namespace

std::optional<std::vector<short>> loadWaveSamples(const QString& path) {
    WaveData wave;
    if (!loadWave(path, wave)) {
        return std::nullopt;
    }
    SDL_AudioCVT cvt{};
    const int needed = SDL_BuildAudioCVT(&cvt, wave.format.format, wave.format.channels,
                                         wave.format.freq, AUDIO_S16SYS, 1, kAudioRate);
    if (needed < 0) {
        return std::nullopt;
    }
    if (needed == 0 || wave.length == 0) {
        std::vector<short> samples(wave.length / sizeof(short));
        if (!samples.empty()) {
            std::memcpy(samples.data(), wave.buffer, samples.size() * sizeof(short));
        }
        return samples;
    }
    std::vector<Uint8> work(std::size_t(wave.length) * std::size_t(cvt.len_mult));
    std::memcpy(work.data(), wave.buffer, wave.length);
    cvt.buf = work.data();
    cvt.len = int(wave.length);
    if (SDL_ConvertAudio(&cvt) != 0) {
        return std::nullopt;
    }
    std::vector<short> samples(std::size_t(cvt.len_cvt) / sizeof(short));
    std::memcpy(samples.data(), work.data(), samples.size() * sizeof(short));
    return samples;
}
