// The recording's WAVE file: the empty file's exact bytes, and a file that stays valid while
// samples are appended.
#include "recordingfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 at32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

TEST(RecordingFileTest, EmptyWaveIsTheFixed46Bytes) {
    const unsigned char expected[46] = {'R',  'I',  'F', 'F', 38,   0,    0, 0, 'W', 'A', 'V', 'E',
                                        'f',  'm',  't', ' ', 18,   0,    0, 0, 1,   0,   1,   0,
                                        0x22, 0x56, 0,   0,   0x44, 0xAC, 0, 0, 2,   0,   16,  0,
                                        0,    0,    'd', 'a', 't',  'a',  0, 0, 0,   0};
    const QByteArray wave = RecordingFile::EmptyWave();
    ASSERT_EQ(46, wave.size());
    for (int i = 0; i < 46; ++i) {
        EXPECT_EQ(int(expected[i]), int(static_cast<unsigned char>(wave[i]))) << "byte " << i;
    }
}

TEST(RecordingFileTest, CreateEmptyTruncatesAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Nagranie3.wav");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    EXPECT_TRUE(RecordingFile::CreateEmpty(path));
    EXPECT_EQ(RecordingFile::EmptyWave(), readAll(path));

    EXPECT_FALSE(RecordingFile::CreateEmpty(dir.filePath("brak/Nagranie0.wav")));
    EXPECT_FALSE(RecordingFile::CreateEmpty(dir.path()));
    if (QFile::exists("/dev/full")) {
        // Opens fine, but no byte can be written: creation must not count as done.
        EXPECT_FALSE(RecordingFile::CreateEmpty("/dev/full"));
        RecordingFile file;
        EXPECT_FALSE(file.Begin("/dev/full"));
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(RecordingFileTest, FileIsValidAfterEveryAppend) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Nagranie29.wav");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, '\x7f'));
    }
    RecordingFile file;
    ASSERT_TRUE(file.Begin(path));
    EXPECT_EQ(RecordingFile::EmptyWave(), readAll(path)) << "the earlier sound was not removed";

    std::vector<short> all;
    const std::vector<std::vector<short>> pieces = {
        {1, -1, 32767, -32768}, {}, {300}, std::vector<short>(2000, -1234)};
    for (const std::vector<short>& piece : pieces) {
        ASSERT_TRUE(file.Append(piece.data(), piece.size()));
        all.insert(all.end(), piece.begin(), piece.end());
        // Read back while the file is still open, as after a crash.
        const QByteArray bytes = readAll(path);
        const quint32 dataBytes = quint32(all.size() * 2);
        ASSERT_EQ(qsizetype(46 + dataBytes), bytes.size());
        EXPECT_EQ(38 + dataBytes, at32(bytes, 4));
        EXPECT_EQ(dataBytes, at32(bytes, 42));
        EXPECT_EQ(RecordingFile::EmptyWave().mid(8, 34), bytes.mid(8, 34));
        for (std::size_t i = 0; i < all.size(); ++i) {
            ASSERT_EQ(all[i], qFromLittleEndian<qint16>(bytes.constData() + 46 + 2 * i))
                << "sample " << i;
        }
    }
    EXPECT_EQ(std::int64_t(all.size()), file.SampleCount());
    file.Finish();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Append(all.data(), 1)) << "a finished file took more samples";
    EXPECT_EQ(qsizetype(46 + all.size() * 2), readAll(path).size());
}

} // namespace
