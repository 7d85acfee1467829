// Reading a take at its own rate: the formats recorders write, mixed to one channel, and what
// is not a sound.
#include "wavereader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray le(quint32 v, int bytes) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, bytes);
}

QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1) {
    QByteArray c = QByteArray(id) + le(quint32(declared < 0 ? body.size() : declared), 4) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

QByteArray format(quint16 tag, int channels, int rate, int bits, bool extensible = false) {
    const int align = channels * bits / 8;
    QByteArray f = le(extensible ? 0xFFFE : tag, 2) + le(quint32(channels), 2) +
                   le(quint32(rate), 4) + le(quint32(rate * align), 4) + le(quint32(align), 2) +
                   le(quint32(bits), 2);
    if (extensible)
        f += le(22, 2) + le(quint32(bits), 2) + le(0, 4) + le(tag, 2) + QByteArray(14, '\x10');
    return chunk("fmt ", f);
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(quint32(4 + chunks.size()), 4) + "WAVE" + chunks;
}

QByteArray floats(std::initializer_list<float> values) {
    QByteArray b;
    for (float v : values) {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        b += le(bits, 4);
    }
    return b;
}

struct ParseCase {
    const char* name;
    QByteArray bytes;
    int rate; // 0: not read
    std::vector<short> samples;
};

TEST(WaveReader, ReadsTheFormatsRecordersWrite) {
    const QByteArray pcm16 = le(1000, 2) + le(quint16(-2000), 2);
    const ParseCase cases[] = {
        {"16-bit mono", riff(format(1, 1, 44100, 16) + chunk("data", pcm16)), 44100, {1000, -2000}},
        {"8-bit",
         riff(format(1, 1, 22050, 8) + chunk("data", QByteArray("\xc0\x40", 2))),
         22050,
         {16384, -16384}},
        {"24-bit stereo, mixed down",
         riff(format(1, 2, 48000, 24) + chunk("data", le(0x400000, 3) + le(0, 3))),
         48000,
         {8192}},
        {"32-bit float",
         riff(format(3, 1, 44100, 32) + chunk("data", floats({0.5f, -2.0f}))),
         44100,
         {16384, -32768}},
        {"extensible",
         riff(format(1, 1, 44100, 16, true) + chunk("data", pcm16)),
         44100,
         {1000, -2000}},
        {"a chunk of odd size before",
         riff(chunk("LIST", "abc") + format(1, 1, 16000, 16) + chunk("data", pcm16)),
         16000,
         {1000, -2000}},
        {"stopped short of its declared length",
         riff(format(1, 1, 44100, 16) + chunk("data", pcm16, 1000)),
         44100,
         {1000, -2000}},
        {"no samples", riff(format(1, 1, 44100, 16) + chunk("data", "")), 44100, {}},
        {"not RIFF", "RIFX" + riff("").mid(4), 0, {}},
        {"data before its format", riff(chunk("data", pcm16) + format(1, 1, 44100, 16)), 0, {}},
        {"no data", riff(format(1, 1, 44100, 16)), 0, {}},
        {"a rate no recorder has", riff(format(1, 1, 1000, 16) + chunk("data", pcm16)), 0, {}},
        {"12-bit", riff(format(1, 1, 44100, 12) + chunk("data", pcm16)), 0, {}},
        {"compressed", riff(format(2, 1, 44100, 4) + chunk("data", pcm16)), 0, {}},
        {"empty", "", 0, {}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<WaveSound> sound = WaveReader::Parse(c.bytes);
        ASSERT_EQ(sound.has_value(), c.rate != 0);
        if (sound) {
            EXPECT_EQ(sound->sampleRate, c.rate);
            EXPECT_EQ(sound->samples, c.samples);
        }
    }
}

TEST(WaveReader, ReadsOnlyRegularFilesOfBoundedSize) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.wav");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(riff(format(1, 1, 44100, 16) + chunk("data", le(5, 2))));
    file.close();
    const QString fifo = dir.filePath("fifo.wav");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge.wav");
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(WaveReader::MaxBytes + 1));
    big.close();
    ASSERT_TRUE(QFile::link(good, dir.filePath("link.wav")));

    EXPECT_TRUE(WaveReader::Read(good));
    EXPECT_TRUE(WaveReader::Read(dir.filePath("link.wav")));
    for (const QString& bad : {dir.filePath("missing.wav"), fifo, huge, dir.path(), QString()}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_FALSE(WaveReader::Read(bad));
    }
}

} // namespace
