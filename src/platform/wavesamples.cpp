#include "wavesamples.h"

#include "regularfile.h"
#include "sdlaudio.h"
#include "sdllibrary.h"

#include <QtEndian>
#include <cstring>

namespace {

// Sounds and recordings are at most a few minutes long; a file far larger is not one of ours.
constexpr qint64 kMaxSoundFileSize = 64 * 1024 * 1024;
// Sample rates of real sound files, from telephone quality to studio recordings. Converting a
// rate far below them to the device's rate would multiply the sound's size thousands of times.
constexpr int kMinRate = 4000;
constexpr int kMaxRate = 384000;
// The converted sound, about 25 minutes at the device's rate, and what the conversion may need
// while it works.
constexpr double kMaxDecodedBytes = 64.0 * 1024 * 1024;
constexpr double kMaxWorkBytes = 4 * kMaxDecodedBytes;

struct WaveData {
    SDL_AudioSpec format{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    WaveData() = default;
    WaveData(const WaveData&) = delete;
    WaveData& operator=(const WaveData&) = delete;
    ~WaveData() {
        if (buffer)
            SdlLibrary::Get()->FreeWAV(buffer);
    }
};

// SDL allocates the size a chunk header declares before it reads the chunk, so a short file
// declaring a chunk of gigabytes would make it ask for them. No chunk may declare more than the
// file holds: the first that does is cut to the bytes present, which SDL then reads as it reads
// any truncated file.
void limitChunkSizes(QByteArray& bytes) {
    constexpr qsizetype kChunkHeader = 8;
    // SDL also reads a file that starts at "WAVE", without the RIFF header.
    qint64 at = 0;
    if (bytes.startsWith("RIFF")) {
        at = 12;
    } else if (bytes.startsWith("WAVE")) {
        at = 4;
    } else {
        return;
    }
    while (bytes.size() - at >= kChunkHeader) {
        char* size = bytes.data() + at + 4;
        const qint64 declared = qFromLittleEndian<quint32>(size);
        const qint64 present = bytes.size() - at - kChunkHeader;
        if (declared > present) {
            qToLittleEndian<quint32>(quint32(present), size);
            return;
        }
        at += kChunkHeader + declared + (declared & 1); // chunks are padded to even sizes
    }
}

bool loadWave(const QString& path, WaveData& wave) {
    // A FIFO or a device in a sound's place is as missing as no file.
    std::optional<QByteArray> read = RegularFile::Read(path, kMaxSoundFileSize);
    if (!read || read->isEmpty()) {
        return false;
    }
    QByteArray& bytes = *read;
    const SdlLibrary* sdl = SdlLibrary::Get();
    if (!sdl) {
        return false;
    }
    limitChunkSizes(bytes);
    SDL_RWops* rw = sdl->RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (rw == nullptr) {
        return false;
    }
    return sdl->LoadWAV_RW(rw, 1, &wave.format, &wave.buffer, &wave.length) != nullptr;
}

} // namespace

std::optional<std::vector<short>> loadWaveSamples(const QString& path) {
    WaveData wave;
    if (!loadWave(path, wave) || wave.format.freq < kMinRate || wave.format.freq > kMaxRate) {
        return std::nullopt;
    }
    SDL_AudioCVT cvt{};
    const SdlLibrary* sdl = SdlLibrary::Get();
    const int needed = sdl->BuildAudioCVT(&cvt, wave.format.format, wave.format.channels,
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
    if (double(wave.length) * cvt.len_ratio > kMaxDecodedBytes ||
        double(wave.length) * cvt.len_mult > kMaxWorkBytes) {
        return std::nullopt;
    }
    std::vector<Uint8> work(std::size_t(wave.length) * std::size_t(cvt.len_mult));
    std::memcpy(work.data(), wave.buffer, wave.length);
    cvt.buf = work.data();
    cvt.len = int(wave.length);
    if (sdl->ConvertAudio(&cvt) != 0) {
        return std::nullopt;
    }
    // Less than one sample may come out of a very short sound.
    std::vector<short> samples(std::size_t(cvt.len_cvt) / sizeof(short));
    if (!samples.empty()) {
        std::memcpy(samples.data(), work.data(), samples.size() * sizeof(short));
    }
    return samples;
}
