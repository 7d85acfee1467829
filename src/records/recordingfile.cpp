#include "recordingfile.h"

#include <QtEndian>
#include <algorithm>
#include <vector>

namespace {

constexpr quint32 kRate = 22050;
constexpr quint16 kBlockAlign = 2;
constexpr int kRiffSizeAt = 4;
constexpr int kDataSizeAt = 42;
// Everything after the RIFF size field that is not a sample.
constexpr quint32 kHeaderAfterRiffSize = RecordingFile::HeaderSize - 8;
// Both sizes are 32-bit; stay clear of their end.
constexpr std::int64_t kMaxSamples = (std::int64_t(1) << 31) - RecordingFile::HeaderSize;

void put16(QByteArray& bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}

void put32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    put32(bytes, 0, value);
    return bytes;
}

} // namespace

RecordingFile::~RecordingFile() {
    Finish();
}

QByteArray RecordingFile::EmptyWave() {
    QByteArray h(HeaderSize, '\0');
    h.replace(0, 4, "RIFF");
    put32(h, kRiffSizeAt, kHeaderAfterRiffSize);
    h.replace(8, 4, "WAVE");
    h.replace(12, 4, "fmt ");
    put32(h, 16, 18);                  // format chunk size, with the extra-bytes count
    put16(h, 20, 1);                   // PCM
    put16(h, 22, 1);                   // mono
    put32(h, 24, kRate);               // samples per second
    put32(h, 28, kRate * kBlockAlign); // bytes per second
    put16(h, 32, kBlockAlign);         // block alignment
    put16(h, 34, 16);                  // bits per sample
    put16(h, 36, 0);                   // no extra format bytes
    h.replace(38, 4, "data");
    put32(h, kDataSizeAt, 0); // no samples yet
    return h;
}

QByteArray RecordingFile::WaveOf(const short* samples, std::size_t count) {
    count = std::min<std::size_t>(count, std::size_t(kMaxSamples));
    QByteArray bytes = EmptyWave();
    const quint32 dataBytes = quint32(count * kBlockAlign);
    put32(bytes, kRiffSizeAt, kHeaderAfterRiffSize + dataBytes);
    put32(bytes, kDataSizeAt, dataBytes);
    bytes.resize(HeaderSize + qsizetype(dataBytes));
    qToLittleEndian<qint16>(samples, qsizetype(count), bytes.data() + HeaderSize);
    return bytes;
}

bool RecordingFile::CreateEmpty(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return false;
    }
    return file.write(EmptyWave()) == HeaderSize;
}

bool RecordingFile::Begin(const QString& path) {
    Finish();
    m_samples = 0;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        return false;
    }
    if (m_file.write(EmptyWave()) != HeaderSize) {
        m_file.close();
        return false;
    }
    return true;
}

bool RecordingFile::Append(const short* samples, std::size_t count) {
    if (!m_file.isOpen()) {
        return false;
    }
    if (count == 0) {
        return true;
    }
    if (std::int64_t(count) > kMaxSamples - m_samples) {
        return false;
    }
    std::vector<char> bytes(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        qToLittleEndian<qint16>(samples[i], bytes.data() + i * 2);
    }
    const qint64 end = HeaderSize + m_samples * 2;
    if (!m_file.seek(end) ||
        m_file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        // Whatever got through of the failed write is cut off again.
        m_file.resize(end);
        WriteSizes();
        return false;
    }
    m_samples += std::int64_t(count);
    return WriteSizes();
}

void RecordingFile::Finish() {
    if (m_file.isOpen()) {
        m_file.close();
    }
}

bool RecordingFile::WriteSizes() {
    const quint32 data = quint32(m_samples * 2);
    return m_file.seek(kRiffSizeAt) && m_file.write(le32(kHeaderAfterRiffSize + data)) == 4 &&
           m_file.seek(kDataSizeAt) && m_file.write(le32(data)) == 4;
}
