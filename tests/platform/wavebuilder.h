#pragma once

#include <QByteArray>
#include <QtEndian>
#include <vector>

// Sound files made in tests, as a plain writer makes them: RIFF header, 16-byte format chunk,
// data chunk. The header says what it is told, sensible or not.
inline QByteArray waveFile(int rate, int channels, int bits, const QByteArray& samples) {
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    auto le16 = [](quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    };
    const int block = channels * bits / 8;
    QByteArray w = "RIFF" + le32(quint32(36 + samples.size())) + "WAVE";
    w += "fmt " + le32(16) + le16(1) + le16(quint16(channels)) + le32(quint32(rate)) +
         le32(quint32(rate) * quint32(block)) + le16(quint16(block)) + le16(quint16(bits));
    w += "data" + le32(quint32(samples.size())) + samples;
    return w;
}

inline QByteArray s16(const std::vector<qint16>& values) {
    QByteArray b(qsizetype(values.size() * 2), '\0');
    for (std::size_t i = 0; i < values.size(); ++i) {
        qToLittleEndian(values[i], b.data() + i * 2);
    }
    return b;
}
