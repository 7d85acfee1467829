// The voice recorder and player over SDL's disk driver: samples fed to the capture device are
// read from a raw file, and everything the playback device plays lands in another raw file.
#include "cnagrywanie.h"
#include "recordingfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Samples = std::vector<short>;

// Never zero, so that it stands out from silence; `seed` tells two sounds apart.
Samples pattern(int count, int seed = 1) {
    Samples v;
    for (int i = 0; i < count; ++i) {
        const int magnitude = 1 + (i * 7919 + seed * 104729) % 30000;
        v.push_back(short(i % 2 ? -magnitude : magnitude));
    }
    return v;
}

QByteArray rawBytes(const Samples& samples) {
    QByteArray b(qsizetype(samples.size() * 2), '\0');
    for (std::size_t i = 0; i < samples.size(); ++i) {
        qToLittleEndian<qint16>(samples[i], b.data() + i * 2);
    }
    return b;
}

Samples fromRaw(const QByteArray& bytes) {
    Samples v(std::size_t(bytes.size() / 2));
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = qFromLittleEndian<qint16>(bytes.constData() + i * 2);
    }
    return v;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(bytes.size(), f.write(bytes));
}

QByteArray recordingOf(const Samples& samples) {
    QByteArray wave = RecordingFile::EmptyWave();
    qToLittleEndian<quint32>(quint32(38 + samples.size() * 2), wave.data() + 4);
    qToLittleEndian<quint32>(quint32(samples.size() * 2), wave.data() + 42);
    return wave + rawBytes(samples);
}

// The samples of a recording, after checking that its header holds together with its length.
Samples recordedSamples(const QString& path) {
    const QByteArray bytes = readAll(path);
    if (bytes.size() < 46) {
        ADD_FAILURE() << "no recording file " << path.toStdString();
        return {};
    }
    EXPECT_EQ(RecordingFile::EmptyWave().mid(8, 34), bytes.mid(8, 34)) << "format changed";
    const quint32 data = qFromLittleEndian<quint32>(bytes.constData() + 42);
    EXPECT_EQ(38 + data, qFromLittleEndian<quint32>(bytes.constData() + 4));
    EXPECT_EQ(qsizetype(46 + data), bytes.size());
    return fromRaw(bytes.mid(46));
}

Samples withoutSilence(const Samples& samples) {
    Samples heard;
    for (short v : samples) {
        if (v != 0) {
            heard.push_back(v);
        }
    }
    return heard;
}

bool startsWith(const Samples& whole, const Samples& prefix) {
    return whole.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), whole.begin());
}

// Runs the event loop until the condition holds; the bound only keeps a broken build from
// hanging.
bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

void runEvents(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

class CNagrywanieTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(played()));
        qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(dir.filePath("capture.raw")));
        // 1 ms for every 46 ms buffer: fast, yet the played file stays small.
        qputenv("SDL_DISKAUDIODELAY", "1");
    }
    void TearDown() override {
        recorder.reset();
        qunsetenv("SDL_DISKAUDIOFILE");
        qunsetenv("SDL_DISKAUDIOFILEIN");
        qunsetenv("SDL_DISKAUDIODELAY");
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    // The handlers do what the recordings panel does with them: stop and close, on the GUI
    // thread.
    void makeRecorder() {
        auto stopAndClose = [this](int& count) {
            EXPECT_EQ(QCoreApplication::instance()->thread(), QThread::currentThread());
            ++count;
            recorder->Stop();
            recorder->CloseDevice();
        };
        recorder = std::make_unique<CNagrywanie>([=, this] { stopAndClose(playbackEnds); },
                                                 [=, this] { stopAndClose(recordingEnds); });
    }
    void feedCapture(const Samples& samples) {
        writeFile(dir.filePath("capture.raw"), rawBytes(samples));
    }
    // Closing the last user of the playback device completes the played file.
    Samples playedSamples() {
        recorder.reset();
        return fromRaw(readAll(played()));
    }
    QString played() const { return dir.filePath("played.raw"); }
    QString place(int n) const { return dir.filePath(QStringLiteral("Nagranie%1.wav").arg(n)); }

    QTemporaryDir dir;
    std::unique_ptr<CNagrywanie> recorder;
    int playbackEnds = 0;
    int recordingEnds = 0;
};

TEST_F(CNagrywanieTest, RecordingUpToTheLimitSavesTheCapturedSamplesExactly) {
    const Samples voice = pattern(30000);
    feedCapture(voice);
    qputenv("SDL_DISKAUDIODELAY", "0"); // capture as fast as the disk goes
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(7)));
    EXPECT_EQ(RecordingFile::EmptyWave(), readAll(place(7))) << "a new place starts empty";
    ASSERT_TRUE(recorder->StartRecording(2000));
    EXPECT_TRUE(recorder->IsRecording());
    EXPECT_TRUE(recorder->IsBusyOrSilent());

    ASSERT_TRUE(waitFor([this] { return recordingEnds > 0; }));
    EXPECT_FALSE(recorder->IsRecording());
    EXPECT_FALSE(recorder->IsOpen());
    runEvents(100);
    EXPECT_EQ(1, recordingEnds);
    EXPECT_EQ(0, playbackEnds);

    // 2000 ms are 44100 samples: the fed sound, then the silence after the end of the feed.
    const Samples saved = recordedSamples(place(7));
    ASSERT_EQ(44100u, saved.size());
    EXPECT_TRUE(startsWith(saved, voice)) << "captured samples differ";
    EXPECT_TRUE(withoutSilence(saved) == voice) << "something besides silence follows";
}

TEST_F(CNagrywanieTest, StopDuringARecordingKeepsWhatWasRecorded) {
    // Default delay: the capture runs in real time, far from its limit of a minute.
    qunsetenv("SDL_DISKAUDIODELAY");
    const Samples voice = pattern(22050 * 10);
    feedCapture(voice);
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(0)));
    ASSERT_TRUE(recorder->StartRecording(60000));
    EXPECT_TRUE(recorder->StartRecording(60000)) << "a running recording is left alone";

    // The file grows while recording, valid at every moment.
    ASSERT_TRUE(waitFor([this] { return readAll(place(0)).size() > 46 + 2 * 4000; }));
    const Samples sofar = recordedSamples(place(0));
    EXPECT_TRUE(startsWith(voice, sofar));

    // Samples captured while the event loop is held up still wait in memory; stop saves them.
    QThread::msleep(300);
    const std::size_t written = recordedSamples(place(0)).size();
    recorder->Stop();
    EXPECT_FALSE(recorder->IsRecording());
    EXPECT_TRUE(recorder->IsOpen());
    const Samples saved = recordedSamples(place(0));
    EXPECT_GT(saved.size(), written) << "stop lost the samples not yet written";
    EXPECT_LT(saved.size(), voice.size());
    EXPECT_TRUE(startsWith(voice, saved)) << "saved samples differ from the captured ones";

    runEvents(200);
    EXPECT_EQ(saved.size(), recordedSamples(place(0)).size()) << "file changed after stop";
    EXPECT_EQ(0, recordingEnds) << "a stopped recording did not end by itself";
}

TEST_F(CNagrywanieTest, RecordingAgainReplacesTheEarlierSound) {
    qputenv("SDL_DISKAUDIODELAY", "0");
    feedCapture(pattern(20000, 1));
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(29)));
    ASSERT_TRUE(recorder->StartRecording(500));
    ASSERT_TRUE(waitFor([this] { return recordingEnds == 1; }));
    EXPECT_EQ(11025u, recordedSamples(place(29)).size());

    const Samples second = pattern(3000, 2);
    feedCapture(second);
    ASSERT_TRUE(recorder->OpenFile(place(29)));
    ASSERT_TRUE(recorder->StartRecording(200));
    ASSERT_TRUE(waitFor([this] { return recordingEnds == 2; }));
    const Samples saved = recordedSamples(place(29));
    ASSERT_EQ(4410u, saved.size());
    EXPECT_TRUE(withoutSilence(saved) == second) << "the first recording is still there";
}

TEST_F(CNagrywanieTest, PlaybackPlaysTheFileAndRunsItsHandler) {
    const Samples voice = pattern(15000, 3);
    writeFile(place(4), recordingOf(voice));
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(4)));
    recorder->StartPlayback();
    EXPECT_TRUE(recorder->IsPlaying());
    EXPECT_TRUE(recorder->IsBusyOrSilent());
    recorder->StartPlayback(); // already playing: must not start a second copy

    ASSERT_TRUE(waitFor([this] { return playbackEnds > 0; }));
    EXPECT_FALSE(recorder->IsPlaying());
    runEvents(100);
    EXPECT_EQ(1, playbackEnds);
    EXPECT_EQ(0, recordingEnds);
    EXPECT_TRUE(withoutSilence(playedSamples()) == voice) << "played samples differ";
}

TEST_F(CNagrywanieTest, StoppedPlaybackIsSilencedAndRunsNoHandler) {
    qunsetenv("SDL_DISKAUDIODELAY"); // real time, so that stop comes in the middle
    const Samples voice = pattern(22050 * 5, 4);
    writeFile(place(1), recordingOf(voice));
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(1)));
    recorder->StartPlayback();
    runEvents(300);
    recorder->Stop();
    recorder->CloseDevice();
    EXPECT_FALSE(recorder->IsPlaying());
    runEvents(300);
    EXPECT_EQ(0, playbackEnds);

    const Samples heard = withoutSilence(playedSamples());
    EXPECT_GT(heard.size(), 0u);
    EXPECT_LT(heard.size(), voice.size() / 2);
    EXPECT_TRUE(startsWith(voice, heard));
}

TEST_F(CNagrywanieTest, UnreadableRecordingEndsItsPlaybackAtOnce) {
    writeFile(place(2), "RIFF not a sound at all");
    makeRecorder();
    ASSERT_TRUE(recorder->OpenFile(place(2)));
    recorder->StartPlayback();
    ASSERT_TRUE(waitFor([this] { return playbackEnds == 1; }));
    EXPECT_FALSE(recorder->IsBusyOrSilent() && recorder->IsPlaying());
}

TEST_F(CNagrywanieTest, OperationsNeedAnOpenDevice) {
    makeRecorder();
    EXPECT_FALSE(recorder->StartRecording(60000));
    recorder->StartPlayback();
    EXPECT_FALSE(recorder->IsPlaying());
    recorder->Stop();
    recorder->CloseDevice();
    EXPECT_FALSE(recorder->OpenFile(dir.filePath("Brak/Nagranie0.wav")));
    EXPECT_FALSE(recorder->OpenFile(dir.path()));
    EXPECT_FALSE(recorder->OpenFile(QString()));
    EXPECT_FALSE(recorder->IsOpen());
    EXPECT_FALSE(recorder->StartRecording(60000));
    EXPECT_FALSE(QFile::exists(dir.filePath("Brak/Nagranie0.wav")));
}

class MusicTest : public CNagrywanieTest {
protected:
    void SetUp() override {
        CNagrywanieTest::SetUp();
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override {
        CNagrywanieTest::TearDown();
        QDir::setCurrent(previous);
    }
    QString previous;
};

TEST_F(MusicTest, MusicPlaysOnceAndKeepsTheRecorderBusyUntilClosed) {
    const Samples music = pattern(5000, 5);
    writeFile(dir.filePath("Data/Intf/Smd/music.wav"), recordingOf(music));
    makeRecorder();
    EXPECT_TRUE(recorder->IsBusyOrSilent()) << "music is not allowed before it is";
    recorder->StartMusic();
    EXPECT_FALSE(recorder->IsPlaying());

    recorder->AllowMusic();
    EXPECT_FALSE(recorder->IsBusyOrSilent());
    recorder->StartMusic();
    EXPECT_TRUE(recorder->IsPlaying());
    recorder->StartMusic(); // already playing
    runEvents(500);         // long enough for the music to end
    EXPECT_TRUE(recorder->IsBusyOrSilent()) << "ended music must keep the recorder busy";
    EXPECT_EQ(0, playbackEnds);

    recorder->CloseDevice();
    EXPECT_FALSE(recorder->IsBusyOrSilent());
    recorder->ForbidMusic();
    EXPECT_TRUE(recorder->IsBusyOrSilent());
    recorder->StartMusic();
    EXPECT_FALSE(recorder->IsPlaying());
    EXPECT_TRUE(withoutSilence(playedSamples()) == music) << "music not played exactly once";
}

TEST_F(MusicTest, PlaybackStopsTheMusicFirst) {
    qunsetenv("SDL_DISKAUDIODELAY"); // real time, so that the music is still playing
    const Samples music = pattern(22050 * 5, 6);
    const Samples voice = pattern(4000, 7);
    writeFile(dir.filePath("Data/Intf/Smd/music.wav"), recordingOf(music));
    writeFile(place(3), recordingOf(voice));
    makeRecorder();
    recorder->AllowMusic();
    recorder->StartMusic();
    runEvents(300);
    ASSERT_TRUE(recorder->OpenFile(place(3)));
    EXPECT_FALSE(recorder->IsPlaying());
    recorder->StartPlayback();
    ASSERT_TRUE(waitFor([this] { return playbackEnds == 1; }));

    const Samples heard = withoutSilence(playedSamples());
    ASSERT_GT(heard.size(), voice.size());
    const Samples musicPart(heard.begin(), heard.end() - std::ptrdiff_t(voice.size()));
    EXPECT_LT(musicPart.size(), music.size());
    EXPECT_TRUE(startsWith(music, musicPart)) << "music and recording overlapped";
    EXPECT_TRUE(Samples(heard.end() - std::ptrdiff_t(voice.size()), heard.end()) == voice);
}

// The music file is read after the repaint that started it; a close or another file opened
// before that leaves the music unplayed.
TEST_F(MusicTest, MusicOvertakenBeforeItLoadsIsNeverHeard) {
    writeFile(dir.filePath("Data/Intf/Smd/music.wav"), recordingOf(pattern(5000, 9)));
    writeFile(place(2), recordingOf(pattern(100, 3)));
    for (int overtaker = 0; overtaker < 2; ++overtaker) {
        SCOPED_TRACE(overtaker == 0 ? "closed" : "a recording opened");
        makeRecorder();
        recorder->AllowMusic();
        recorder->StartMusic();
        EXPECT_TRUE(recorder->IsPlaying()) << "counts as playing before it loads";
        if (overtaker == 0)
            recorder->CloseDevice();
        else
            ASSERT_TRUE(recorder->OpenFile(place(2)));
        runEvents(300);
        EXPECT_FALSE(recorder->IsPlaying());
        EXPECT_TRUE(withoutSilence(playedSamples()).empty());
    }
}

TEST_F(MusicTest, MissingMusicLeavesTheMusicOff) {
    makeRecorder();
    recorder->AllowMusic();
    recorder->StartMusic();
    EXPECT_FALSE(recorder->IsPlaying());
    EXPECT_FALSE(recorder->IsBusyOrSilent());
}

TEST_F(CNagrywanieTest, WithoutAudioDevicesNothingStartsAndNothingIsLost) {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    const Samples earlier = pattern(1000, 8);
    writeFile(place(5), recordingOf(earlier));
    makeRecorder();

    EXPECT_TRUE(recorder->OpenFile(place(6)));
    EXPECT_EQ(RecordingFile::EmptyWave(), readAll(place(6)));
    EXPECT_FALSE(recorder->StartRecording(60000));
    EXPECT_FALSE(recorder->IsOpen());

    ASSERT_TRUE(recorder->OpenFile(place(5)));
    EXPECT_FALSE(recorder->StartRecording(60000));
    EXPECT_TRUE(recordedSamples(place(5)) == earlier)
        << "a recording that never started wiped the place";

    ASSERT_TRUE(recorder->OpenFile(place(5)));
    recorder->StartPlayback();
    EXPECT_FALSE(recorder->IsPlaying());
    recorder->Stop();
    recorder->CloseDevice();
    runEvents(100);
    EXPECT_EQ(0, playbackEnds + recordingEnds);
}

// A capture device that opens but sends nothing (a muted or busy microphone): the recording
// ends by itself as heard nothing, and the place keeps its earlier sound.
TEST_F(CNagrywanieTest, ACaptureDeviceThatSendsNothingEndsTheRecordingAndKeepsTheFile) {
    qputenv("SDL_DISKAUDIODELAY", "1500"); // the first buffer comes far too late
    const Samples earlier = pattern(1000, 8);
    writeFile(place(5), recordingOf(earlier));
    feedCapture(pattern(100));
    makeRecorder();
    recorder->SetNoSoundTimeout(100);
    ASSERT_TRUE(recorder->OpenFile(place(5)));
    ASSERT_TRUE(recorder->StartRecording(60000));
    EXPECT_TRUE(waitFor([this] { return recordingEnds > 0; }));
    EXPECT_EQ(1, recordingEnds);
    EXPECT_TRUE(recorder->HeardNothing());
    EXPECT_TRUE(recordedSamples(place(5)) == earlier) << "a recording of nothing wiped the place";
}

// A device that sends only digital silence is no microphone either; sound after silence is
// kept whole, the silence before it included.
TEST_F(CNagrywanieTest, DigitalSilenceIsNoSoundUntilSoundFollowsIt) {
    const Samples earlier = pattern(1000, 8);
    const Samples silence(11025, 1); // half a second, as the limit is in milliseconds
    const struct {
        const char* name;
        Samples fed;
        bool heardNothing;
    } cases[] = {{"silence only", silence, true},
                 {"silence, then sound",
                  [&] {
                      Samples s = silence;
                      const Samples sound = pattern(11025);
                      s.insert(s.end(), sound.begin(), sound.end());
                      return s;
                  }(),
                  false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(place(5), recordingOf(earlier));
        feedCapture(c.fed);
        makeRecorder();
        recorder->SetNoSoundTimeout(300);
        ASSERT_TRUE(recorder->OpenFile(place(5)));
        ASSERT_TRUE(recorder->StartRecording(int(c.fed.size() * 1000 / 22050)));
        EXPECT_TRUE(waitFor([this] { return recordingEnds > 0; }));
        EXPECT_EQ(recorder->HeardNothing(), c.heardNothing);
        EXPECT_TRUE(recordedSamples(place(5)) == (c.heardNothing ? earlier : c.fed));
        recorder.reset();
        recordingEnds = 0;
    }
}

TEST_F(MusicTest, MusicWithoutADeviceIsSilentUntilClosed) {
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    writeFile(dir.filePath("Data/Intf/Smd/music.wav"), recordingOf(pattern(100)));
    makeRecorder();
    recorder->AllowMusic();
    recorder->StartMusic();
    EXPECT_TRUE(recorder->IsBusyOrSilent()) << "would be tried again on every repaint";
    // The recordings panel must still be able to play afterwards.
    writeFile(place(0), recordingOf(pattern(100)));
    ASSERT_TRUE(recorder->OpenFile(place(0)));
    EXPECT_FALSE(recorder->IsBusyOrSilent());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
