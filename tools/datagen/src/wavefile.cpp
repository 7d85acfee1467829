#include "wavefile.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return u[0] | (u[1] << 8) | (u[2] << 16) | (std::uint32_t(u[3]) << 24);
}

std::uint16_t le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return std::uint16_t(u[0] | (u[1] << 8));
}

void put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

void put16(QByteArray& out, std::uint16_t v) {
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

} // namespace

bool WaveFile::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, "cannot open " + path);
    const QByteArray data = file.readAll();
    if (data.size() < 12 || std::memcmp(data.constData(), "RIFF", 4) != 0 ||
        std::memcmp(data.constData() + 8, "WAVE", 4) != 0)
        return fail(error, path + " is not a RIFF/WAVE file");

    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= data.size()) {
        const char* chunk = data.constData() + pos;
        const std::uint32_t size = le32(chunk + 4);
        const qsizetype body = pos + 8;
        // espeak-ng's streamed headers may claim more data than there is; read what exists.
        const qsizetype available = std::min<qsizetype>(size, data.size() - body);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (available < 16)
                return fail(error, path + ": short format chunk");
            const char* f = data.constData() + body;
            if (le16(f) != 1 || le16(f + 2) != 1 || le16(f + 14) != 16)
                return fail(error, path + ": not 16-bit mono PCM");
            sampleRate = int(le32(f + 4));
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return fail(error, path + ": data before format");
            samples.resize(std::size_t(available / 2));
            std::memcpy(samples.data(), data.constData() + body, samples.size() * 2);
            return true;
        }
        pos = body + qsizetype(size) + (size & 1);
    }
    return fail(error, path + ": no sound data");
}

bool WaveFile::write(const QString& path, QString* error) const {
    const auto bytes = std::uint32_t(samples.size() * 2);
    QByteArray out;
    out.reserve(int(44 + bytes));
    out.append("RIFF", 4);
    put32(out, 36 + bytes);
    out.append("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate * 2));
    put16(out, 2);
    put16(out, 16);
    out.append("data", 4);
    put32(out, bytes);
    out.append(reinterpret_cast<const char*>(samples.data()), qsizetype(bytes));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return fail(error, "cannot write " + path);
    return true;
}

void WaveFile::trimSilence(double threshold, int padMs) {
    const int limit = int(std::lround(threshold * 32767.0));
    auto loud = [limit](std::int16_t s) { return std::abs(int(s)) > limit; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end()) {
        samples.clear();
        return;
    }
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    const auto pad = std::ptrdiff_t(sampleRate) * padMs / 1000;
    const auto begin = std::max(first - pad, samples.begin());
    const auto end = std::min(last + pad, samples.end());
    samples = std::vector<std::int16_t>(begin, end);
}

void WaveFile::normalise(double target) {
    const int p = peak();
    if (p == 0)
        return;
    const double gain = target * 32767.0 / p;
    for (auto& s : samples)
        s = std::int16_t(std::clamp<long>(std::lround(s * gain), -32768, 32767));
}

int WaveFile::peak() const {
    int p = 0;
    for (auto s : samples)
        p = std::max(p, std::abs(int(s)));
    return p;
}

double WaveFile::durationSeconds() const {
    return sampleRate > 0 ? double(samples.size()) / sampleRate : 0.0;
}
