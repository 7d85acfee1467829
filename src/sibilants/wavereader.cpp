#include "wavereader.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;

struct Format {
    quint16 tag = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int blockAlign = 0;
};

quint16 u16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}

std::optional<Format> parseFormat(const char* p, qint64 size) {
    if (size < 16)
        return std::nullopt;
    Format f;
    f.tag = u16(p);
    f.channels = u16(p + 2);
    f.rate = int(std::min<quint32>(u32(p + 4), 0x7fffffff));
    f.blockAlign = u16(p + 12);
    f.bits = u16(p + 14);
    // The extensible format names the real one in the first two bytes of its sub-format.
    if (f.tag == kExtensible) {
        if (size < 40)
            return std::nullopt;
        f.tag = u16(p + 24);
    }
    const bool pcm = f.tag == kPcm && (f.bits == 8 || f.bits == 16 || f.bits == 24 || f.bits == 32);
    const bool floating = f.tag == kFloat && (f.bits == 32 || f.bits == 64);
    if ((!pcm && !floating) || f.channels < 1 || f.rate < WaveReader::MinRate ||
        f.rate > WaveReader::MaxRate || f.blockAlign < f.channels * f.bits / 8)
        return std::nullopt;
    return f;
}

// One sample of a channel, from -1 to 1.
double sampleAt(const char* p, const Format& f) {
    switch (f.bits) {
    case 8:
        return (double(quint8(*p)) - 128.0) / 128.0;
    case 16:
        return qFromLittleEndian<qint16>(p) / 32768.0;
    case 24: {
        const qint32 v = qint32(quint32(quint8(p[0])) << 8 | quint32(quint8(p[1])) << 16 |
                                quint32(quint8(p[2])) << 24) >>
                         8;
        return v / 8388608.0;
    }
    case 32:
        if (f.tag == kFloat) {
            float v;
            const quint32 bits = u32(p);
            std::memcpy(&v, &bits, sizeof v);
            return std::isfinite(v) ? double(v) : 0.0;
        }
        return qFromLittleEndian<qint32>(p) / 2147483648.0;
    default: {
        double v;
        const quint64 bits = qFromLittleEndian<quint64>(p);
        std::memcpy(&v, &bits, sizeof v);
        return std::isfinite(v) ? v : 0.0;
    }
    }
}

bool readRegular(const QString& path, QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    // Looked at before it is opened: opening a device may have effects of its own.
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    if (::stat(name.constData(), &before) != 0 || !S_ISREG(before.st_mode) ||
        before.st_size > WaveReader::MaxBytes)
        return false;
    // Non-blocking, so that a FIFO put in the file's place since the look cannot hold open().
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    bool ok = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
    qint64 got = 0;
    bytes.resize(qsizetype(std::clamp<qint64>(opened.st_size + 1, 1, WaveReader::MaxBytes + 1)));
    while (ok) {
        if (got == bytes.size()) {
            if (got > WaveReader::MaxBytes)
                break;
            bytes.resize(qsizetype(std::min<qint64>(WaveReader::MaxBytes + 1, got * 2)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, std::size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        got += n;
    }
    ::close(fd);
    bytes.resize(qsizetype(got));
    return ok && got <= WaveReader::MaxBytes;
}

} // namespace

std::optional<WaveSound> WaveReader::Read(const QString& path) {
    QByteArray bytes;
    if (!readRegular(path, bytes))
        return std::nullopt;
    return Parse(bytes);
}

std::optional<WaveSound> WaveReader::Parse(const QByteArray& bytes) {
    const qint64 size = bytes.size();
    if (size < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    const char* data = bytes.constData();
    std::optional<Format> format;
    qint64 at = 12;
    while (size - at >= 8) {
        const char* chunk = data + at;
        const qint64 present = size - at - 8;
        // A chunk cut short by the end of the file (a recording stopped abruptly) keeps what
        // is there.
        const qint64 length = std::min<qint64>(u32(chunk + 4), present);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            format = parseFormat(chunk + 8, length);
            if (!format)
                return std::nullopt;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!format)
                return std::nullopt;
            WaveSound sound;
            sound.sampleRate = format->rate;
            const qint64 count = length / format->blockAlign;
            const int width = format->bits / 8;
            sound.samples.resize(std::size_t(count));
            for (qint64 i = 0; i < count; ++i) {
                const char* frame = chunk + 8 + i * format->blockAlign;
                double sum = 0;
                for (int c = 0; c < format->channels; ++c)
                    sum += sampleAt(frame + c * width, *format);
                const double v = std::clamp(sum / format->channels * 32768.0, -32768.0, 32767.0);
                sound.samples[std::size_t(i)] = short(std::lround(v));
            }
            return sound;
        }
        at += 8 + length + (length & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}
