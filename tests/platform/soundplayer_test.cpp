#include "soundplayer.h"
#include "wavebuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// Never zero, so that it stands out from the silence around it in the device output.
std::vector<qint16> pattern(int count) {
    std::vector<qint16> v;
    for (int i = 0; i < count; ++i) {
        const int magnitude = 1 + (i * 7919) % 30000;
        v.push_back(qint16(i % 2 ? -magnitude : magnitude));
    }
    return v;
}

std::vector<qint16> readRawS16(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = f.readAll();
    std::vector<qint16> v(std::size_t(bytes.size() / 2));
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = qFromLittleEndian<qint16>(bytes.constData() + i * 2);
    }
    return v;
}

class SoundPlayerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override {
        qunsetenv("SDL_DISKAUDIOFILE");
        qunsetenv("SDL_DISKAUDIODELAY");
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    // The disk driver writes everything the device plays into a raw file, at full speed.
    std::unique_ptr<SoundPlayer> diskPlayer() {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output()));
        qputenv("SDL_DISKAUDIODELAY", "0");
        return std::make_unique<SoundPlayer>();
    }
    QString output() const { return dir.filePath("played.raw"); }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(SoundPlayerTest, NativeSoundReachesTheDeviceSampleForSample) {
    const std::vector<qint16> sound = pattern(5000);
    const QString path = write("abecadlo.pw", waveFile(22050, 1, 16, s16(sound)));
    auto player = diskPlayer();
    ASSERT_TRUE(player->hasDevice());
    EXPECT_TRUE(player->playSync(path));
    EXPECT_TRUE(player->playSync(path));
    player.reset(); // closes the output file

    const std::vector<qint16> played = readRawS16(output());
    std::vector<qint16> heard;
    for (qint16 v : played) {
        if (v != 0) {
            heard.push_back(v);
        }
    }
    std::vector<qint16> twice = sound;
    twice.insert(twice.end(), sound.begin(), sound.end());
    ASSERT_EQ(heard.size(), twice.size());
    EXPECT_TRUE(heard == twice) << "samples differ";
}

TEST_F(SoundPlayerTest, OtherFormatsAreConvertedToTheDeviceFormat) {
    // 0.2 s of a constant level at 44100 Hz stereo must come out as 0.2 s at 22050 Hz mono.
    const std::vector<qint16> stereo(2 * 8820, 12000);
    const QString path = write("g07.pw", waveFile(44100, 2, 16, s16(stereo)));
    auto player = diskPlayer();
    ASSERT_TRUE(player->hasDevice());
    EXPECT_TRUE(player->playSync(path));
    player.reset();

    int level = 0;
    for (qint16 v : readRawS16(output())) {
        level += std::abs(v - 12000) <= 60 ? 1 : 0;
    }
    EXPECT_GE(level, 4400);
    EXPECT_LE(level, 4420);
}

TEST_F(SoundPlayerTest, FilesThatAreNotWaveFilesAreRefused) {
    const QByteArray good = waveFile(22050, 1, 16, s16(pattern(200)));
    QByteArray noFormat = good;
    noFormat.replace("fmt ", "xyz ");
    const QString bad[] = {
        dir.filePath("missing.pw"),
        dir.path(),
        write("empty.pw", QByteArray()),
        write("text.pw", "[Memory]\r\nPoziom=2\r\n"),
        write("header.pw", good.first(20)),
        write("noformat.pw", noFormat),
        write("riff.pw", "RIFF\x10\0\0\0AVI LIST"),
        // A sample rate no sound has: converting it would take gigabytes.
        write("music.wav", waveFile(1, 1, 16, QByteArray(1 << 20, '\x11'))),
    };
    auto player = diskPlayer();
    ASSERT_TRUE(player->hasDevice());
    for (const QString& path : bad) {
        EXPECT_FALSE(player->playSync(path)) << path.toStdString();
    }
    player.reset();
    for (qint16 v : readRawS16(output())) {
        ASSERT_EQ(v, 0) << "a refused file made a sound";
    }
}

TEST_F(SoundPlayerTest, DummyDriverPlaysInSilence) {
    qputenv("SDL_AUDIODRIVER", "dummy");
    SoundPlayer player;
    EXPECT_TRUE(player.hasDevice());
    EXPECT_TRUE(player.playSync(write("krotki.pw", waveFile(22050, 1, 16, s16(pattern(600))))));
    EXPECT_FALSE(player.playSync(write("zly.pw", "nothing")));
    // A fresh recording file holds a format chunk and no samples yet.
    const QByteArray emptyRecording("RIFF\x26\0\0\0WAVEfmt \x12\0\0\0\x01\0\x01\0\x22\x56\0\0"
                                    "\x44\xAC\0\0\x02\0\x10\0\0\0data\0\0\0\0",
                                    46);
    EXPECT_TRUE(player.playSync(write("Nagranie0.wav", emptyRecording)));
}

TEST_F(SoundPlayerTest, WithoutADeviceGoodFilesStillCountAsPlayed) {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    SoundPlayer player;
    EXPECT_FALSE(player.hasDevice());
    // A minute of sound: a player without a device must not wait for it.
    const QString longSound = write("dlugi.pw", waveFile(22050, 1, 16, QByteArray(2646000, 1)));
    EXPECT_TRUE(player.playSync(longSound));
    EXPECT_FALSE(player.playSync(write("zly.pw", "RIFF")));
    EXPECT_FALSE(player.playSync(dir.filePath("brak.pw")));
}

TEST_F(SoundPlayerTest, PlayersCanFollowOneAnother) {
    const QString path = write("a.pw", waveFile(22050, 1, 16, s16(pattern(300))));
    for (int i = 0; i < 3; ++i) {
        qputenv("SDL_AUDIODRIVER", "dummy");
        SoundPlayer player;
        EXPECT_TRUE(player.hasDevice()) << "round " << i;
        EXPECT_TRUE(player.playSync(path));
    }
}

} // namespace
