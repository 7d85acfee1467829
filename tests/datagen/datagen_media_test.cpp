// Sound and picture files the generator writes: WAV reading, trimming and normalising, the
// music, spoken words, masks and the JPEG guarantees the masking scheme relies on.

#include "jpegwriter.h"
#include "maskshape.h"
#include "musicsynth.h"
#include "packlayout.h"
#include "speechsynth.h"
#include "wavefile.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QImage readJpeg(const QString& path) {
    QImageReader reader(path, "jpeg");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

WaveFile tone(int silenceBefore, int soundLength, int silenceAfter, int amplitude) {
    WaveFile w;
    w.samples.assign(std::size_t(silenceBefore), 0);
    for (int i = 0; i < soundLength; ++i)
        w.samples.push_back(std::int16_t(i % 2 ? amplitude : -amplitude));
    w.samples.insert(w.samples.end(), std::size_t(silenceAfter), 0);
    return w;
}

} // namespace

TEST(WaveFile, WritesCanonicalHeaderAndReadsItBack) {
    QTemporaryDir dir;
    WaveFile w = tone(0, 1000, 0, 12000);
    ASSERT_TRUE(w.write(dir.filePath("a.pw")));

    QFile file(dir.filePath("a.pw"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 44 + 2000);
    EXPECT_EQ(bytes.left(4), QByteArray("RIFF"));
    EXPECT_EQ(bytes.mid(8, 8), QByteArray("WAVEfmt "));

    WaveFile back;
    ASSERT_TRUE(back.read(dir.filePath("a.pw")));
    EXPECT_EQ(back.sampleRate, 22050);
    EXPECT_EQ(back.samples, w.samples);
}

TEST(WaveFile, ReadsDataWhenTheHeaderClaimsMoreThanThereIs) {
    // A streamed WAV header may give a huge data size; the samples that exist still count.
    QTemporaryDir dir;
    WaveFile w = tone(0, 100, 0, 5000);
    ASSERT_TRUE(w.write(dir.filePath("s.wav")));
    QFile file(dir.filePath("s.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    bytes.replace(40, 4, QByteArray("\xff\xff\xff\x7f", 4));
    file.seek(0);
    file.write(bytes);
    file.close();

    WaveFile back;
    ASSERT_TRUE(back.read(dir.filePath("s.wav")));
    EXPECT_EQ(back.samples.size(), 100u);
}

TEST(WaveFile, RejectsWhatIsNotMono16BitPcm) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    WaveFile good = tone(0, 10, 0, 100);
    ASSERT_TRUE(good.write(dir.filePath("good.wav")));
    QFile goodFile(dir.filePath("good.wav"));
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray valid = goodFile.readAll();
    QByteArray stereo = valid;
    stereo[22] = 2;
    QByteArray eightBit = valid;
    eightBit[34] = 8;
    const Case cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("hello, this is not a sound file at all")},
        {"stereo", stereo},
        {"8-bit", eightBit},
        {"no data chunk", valid.left(36)},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString(c.name) + ".wav");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        WaveFile w;
        QString error;
        EXPECT_FALSE(w.read(path, &error)) << c.name;
        EXPECT_FALSE(error.isEmpty()) << c.name;
    }
}

TEST(WaveFile, TrimKeepsTheSoundAndTheGivenPadding) {
    WaveFile w = tone(5000, 2205, 7000, 10000);
    w.trimSilence(0.01, 10); // 10 ms = 220 samples each side
    EXPECT_EQ(w.samples.size(), std::size_t(220 + 2205 + 220));
    EXPECT_EQ(w.peak(), tone(0, 2205, 0, 10000).peak());
}

TEST(WaveFile, TrimNeverReachesOutsideTheSound) {
    WaveFile w = tone(10, 500, 10, 10000);
    w.trimSilence(0.01, 100);
    EXPECT_EQ(w.samples.size(), 520u);
}

TEST(WaveFile, TrimOfSilenceLeavesNothing) {
    WaveFile w = tone(3000, 0, 0, 0);
    w.trimSilence(0.01, 40);
    EXPECT_TRUE(w.samples.empty());
}

TEST(WaveFile, NormaliseBringsThePeakToTheTarget) {
    WaveFile w = tone(0, 4000, 0, 3000);
    w.normalise(0.891);
    EXPECT_NEAR(w.peak(), 0.891 * 32767, 2);
    WaveFile quiet = tone(100, 0, 0, 0);
    quiet.normalise(0.891);
    EXPECT_EQ(quiet.peak(), 0);
}

TEST(MusicSynth, TuneIsShortQuietAndAudible) {
    const WaveFile tune = MusicSynth::tune(0.3);
    EXPECT_EQ(tune.sampleRate, 22050);
    EXPECT_GT(tune.durationSeconds(), 5.0);
    EXPECT_LT(tune.durationSeconds(), 30.0);
    EXPECT_NEAR(tune.peak(), 0.3 * 32767, 2);
    // Audible through most of its length: no second-long gaps.
    const int second = 22050;
    for (std::size_t start = 0; start + second < tune.samples.size(); start += second) {
        int loudest = 0;
        for (std::size_t i = start; i < start + second; ++i)
            loudest = std::max(loudest, std::abs(int(tune.samples[i])));
        EXPECT_GT(loudest, 1000) << "silent second at " << start / second;
    }
}

TEST(MusicSynth, MelodyAndBassLastTheSameNumberOfBeats) {
    double melody = 0, bass = 0;
    for (const auto& n : MusicSynth::melody())
        melody += n.beats;
    for (const auto& n : MusicSynth::bass())
        bass += n.beats;
    EXPECT_EQ(melody, bass);
}

class SpeechSynthTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("espeak-ng").isEmpty())
            GTEST_SKIP() << "espeak-ng is not installed";
    }
    QTemporaryDir dir;
};

TEST_F(SpeechSynthTest, SpeaksPolishAsTrimmedNormalisedMono16Bit) {
    SpeechSynth voice;
    QString error;
    ASSERT_TRUE(voice.speak("Świetnie!", dir.filePath("g01.pw"), &error)) << qPrintable(error);
    WaveFile w;
    ASSERT_TRUE(w.read(dir.filePath("g01.pw"), &error)) << qPrintable(error);
    EXPECT_EQ(w.sampleRate, 22050);
    EXPECT_NEAR(w.peak(), 0.891 * 32767, 2);
    EXPECT_GT(w.durationSeconds(), 0.3);
    EXPECT_LT(w.durationSeconds(), 3.0);
    // Trimmed: sound begins within the lead-in padding.
    const int limit = int(0.01 * 32767);
    std::size_t first = 0;
    while (first < w.samples.size() && std::abs(int(w.samples[first])) <= limit)
        ++first;
    EXPECT_LE(first, std::size_t(22050 * 45 / 1000));
}

TEST_F(SpeechSynthTest, TextThatLooksLikeAnOptionIsSpokenNotObeyed) {
    SpeechSynth voice;
    QString error;
    EXPECT_TRUE(voice.speak("--help", dir.filePath("x.pw"), &error)) << qPrintable(error);
    WaveFile w;
    EXPECT_TRUE(w.read(dir.filePath("x.pw")));
}

TEST_F(SpeechSynthTest, MissingProgramIsReported) {
    SpeechSynth voice(SpeechSynth::defaultVoice(), "no-such-speech-program-here");
    QString error;
    EXPECT_FALSE(voice.speak("Brawo!", dir.filePath("y.pw"), &error));
    EXPECT_TRUE(error.contains("no-such-speech-program-here")) << qPrintable(error);
    EXPECT_FALSE(QFile::exists(dir.filePath("y.pw")));
}

TEST(MaskShape, EveryKindFollowsItsSmoothOutlineToThePixel) {
    // Each row of a mask is one white run as long as the outline's chord through the row's
    // middle, to within a pixel, and centred: no steps of whole blocks. The rounded
    // rectangle's chord is the full width between its corners.
    for (const auto& kind : PackLayout::bigKinds()) {
        const MaskShape shape = PackLayout::maskFor(kind);
        const QImage& m = shape.mask();
        EXPECT_EQ(m.size(), kind.size) << qPrintable(kind.suffix);
        const double a = kind.size.width() / 2.0, b = kind.size.height() / 2.0;
        for (int y = 0; y < m.height(); ++y) {
            int first = -1, last = -1, white = 0;
            for (int x = 0; x < m.width(); ++x) {
                const int v = m.pixelColor(x, y).red();
                ASSERT_TRUE(v == 0 || v == 255) << qPrintable(kind.suffix);
                if (v == 255) {
                    first = first < 0 ? x : first;
                    last = x;
                    ++white;
                }
            }
            const double dy = std::abs(y + 0.5 - b);
            double chord;
            if (kind.shape == MaskShape::Kind::Oval) {
                chord = 2 * a * std::sqrt(std::max(0.0, 1 - dy * dy / (b * b)));
            } else {
                const double r = kind.radius, over = std::max(0.0, dy - (b - r));
                chord = 2 * (a - r) + 2 * std::sqrt(std::max(0.0, r * r - over * over));
            }
            if (white == 0) {
                EXPECT_LT(chord, 2) << qPrintable(kind.suffix) << " row " << y;
                continue;
            }
            EXPECT_EQ(last - first + 1, white) << qPrintable(kind.suffix) << " row " << y;
            EXPECT_NEAR(white, chord, 1.0) << qPrintable(kind.suffix) << " row " << y;
            EXPECT_NEAR(first + white / 2.0, a, 0.5) << qPrintable(kind.suffix) << " row " << y;
        }
        EXPECT_FALSE(shape.inside(0, 0));
        EXPECT_FALSE(shape.inside(m.width() - 1, m.height() - 1));
        EXPECT_TRUE(shape.inside(m.width() / 2, m.height() / 2));
    }
}

TEST(MaskShape, MemoryOvalFitsInsideTheRing) {
    // The falling game shows the Memory picture centred in a 300 x 300 (380 x 380) ring.
    const struct {
        const char* suffix;
        double ringRadius;
    } rings[] = {{"_ms", 150}, {"_mb", 190}};
    for (const auto& ring : rings) {
        for (const auto& kind : PackLayout::bigKinds()) {
            if (kind.suffix != ring.suffix)
                continue;
            const MaskShape shape = PackLayout::maskFor(kind);
            double farthest = 0;
            for (int y = 0; y < kind.size.height(); ++y)
                for (int x = 0; x < kind.size.width(); ++x)
                    if (shape.inside(x, y))
                        farthest =
                            std::max(farthest, std::hypot(x + 0.5 - kind.size.width() / 2.0,
                                                          y + 0.5 - kind.size.height() / 2.0));
            EXPECT_LT(farthest, ring.ringRadius - 15) << ring.suffix;
        }
    }
}

TEST(MaskShape, ContentRectLiesInsideTheShape) {
    for (const auto& kind : PackLayout::bigKinds()) {
        const MaskShape shape = PackLayout::maskFor(kind);
        const QRect r = shape.contentRect(4);
        ASSERT_FALSE(r.isEmpty());
        for (const QPoint p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            EXPECT_TRUE(shape.inside(p.x(), p.y())) << qPrintable(kind.suffix);
        EXPECT_GT(r.width(), kind.size.width() / 2) << qPrintable(kind.suffix);
    }
}

TEST(JpegWriter, MaskSurvivesCompressionPureBlackAndWhite) {
    QTemporaryDir dir;
    for (const auto& kind : PackLayout::bigKinds()) {
        const MaskShape shape = PackLayout::maskFor(kind);
        const QString path = dir.filePath("_matr" + kind.suffix + ".xji");
        QString error;
        ASSERT_TRUE(shape.write(path, &error)) << qPrintable(error);
        const QImage back = readJpeg(path);
        ASSERT_EQ(back.size(), kind.size);
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x) {
                const QRgb p = back.pixel(x, y);
                const QRgb want = shape.inside(x, y) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                ASSERT_EQ(p, want) << qPrintable(kind.suffix) << " at " << x << "," << y;
            }
    }
}

TEST(JpegWriter, PictureStaysExactlyWhiteOutsideItsMask) {
    // A busy, colourful picture reaching the mask's edge: after whitening and compression every
    // pixel under the mask's black stays (255, 255, 255), so the OR-then-AND draw leaves the
    // background untouched.
    QTemporaryDir dir;
    for (const auto& kind : PackLayout::bigKinds()) {
        const MaskShape shape = PackLayout::maskFor(kind);
        QImage picture(kind.size, QImage::Format_RGB32);
        QPainter painter(&picture);
        for (int i = 0; i < kind.size.width(); i += 6)
            painter.fillRect(i, 0, 3, kind.size.height(), QColor::fromHsv(i % 360, 255, 200));
        painter.end();
        shape.whitenOutside(picture);
        const QString path = dir.filePath("p" + kind.suffix + ".xji");
        ASSERT_TRUE(JpegWriter::writeColour(picture, path, JpegWriter::PictureQuality));
        const QImage back = readJpeg(path);
        for (int y = 0; y < back.height(); ++y) {
            for (int x = 0; x < back.width(); ++x) {
                if (!shape.inside(x, y)) {
                    ASSERT_EQ(back.pixel(x, y), qRgb(255, 255, 255))
                        << qPrintable(kind.suffix) << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(JpegWriter, ReportsAFileThatCannotBeWritten) {
    QTemporaryDir dir;
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    QString error;
    EXPECT_FALSE(JpegWriter::writeColour(image, dir.filePath("missing/folder/x.xji"), 90, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(JpegWriter::writeColour(QImage(), dir.filePath("y.xji"), 90, &error));
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
