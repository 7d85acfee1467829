// The generated pack in the build folder has every file the program asks for, in a form the
// program can use. Skipped when the pack has not been generated.

#include "cslowa.h"
#include "imageloader.h"
#include "packlayout.h"
#include "randomgenerator.h"
#include "resourcereport.h"
#include "wavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString kProgramDir = QStringLiteral(WK_BINARY_DIR);

bool isWhite(QRgb p) {
    return p == qRgb(255, 255, 255);
}

// Near white counts as background: JPEG leaves a few levels of noise around objects.
bool isBackground(QRgb p) {
    return qRed(p) > 232 && qGreen(p) > 232 && qBlue(p) > 232;
}

bool isNear(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b)) <=
           tolerance;
}

// Every picture of a word: the small one and the big one of each kind.
QStringList picturePaths(const WordEntry& word) {
    QStringList paths{"Data/Sio/s" + word.Key + ".xji"};
    for (const auto& kind : PackLayout::bigKinds())
        paths << CSlowa::BigPicturePath(word.Key, kind.suffix + ".xji");
    return paths;
}

} // namespace

class DataPack : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDir(kProgramDir + "/Data").exists())
            GTEST_SKIP() << "no generated pack in " << qPrintable(kProgramDir);
        // The program's paths are relative to its folder.
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(kProgramDir));
    }
    void TearDown() override {
        if (!previous.isEmpty())
            QDir::setCurrent(previous);
    }
    QString previous;
    RandomGenerator random;
};

TEST_F(DataPack, CheckResourcesFindsNothingMissing) {
    CSlowa catalogue(random);
    QStringList missing;
    EXPECT_TRUE(catalogue.CheckResources(&missing));
    EXPECT_EQ(missing, QStringList());
}

TEST_F(DataPack, ReportModeSaysAllWordResourcesExist) {
    CSlowa catalogue(random);
    const ResourceReport::Result result = ResourceReport::Run(catalogue, kProgramDir);
    EXPECT_EQ(result.outcome, ResourceReport::Outcome::AllPresent);
    EXPECT_EQ(result.message, QString("Wszystkie zasoby słów istnieją."));
}

TEST_F(DataPack, EveryWordFileDecodesInItsFormat) {
    CSlowa catalogue(random);
    for (const WordEntry& word : catalogue.Words()) {
        const QStringList paths = CSlowa::ResourcePaths(word.Key);
        ASSERT_EQ(paths.size(), 6);
        for (const QString& path : paths) {
            SCOPED_TRACE(qPrintable(path));
            if (path.endsWith(".pw")) {
                WaveFile wave;
                QString error;
                ASSERT_TRUE(wave.read(path, &error)) << qPrintable(error);
                EXPECT_EQ(wave.sampleRate, 22050);
                EXPECT_GT(wave.peak(), 8000);
                EXPECT_GT(wave.durationSeconds(), 0.2);
                continue;
            }
            QImage image;
            ASSERT_NO_THROW(image = loadJpegFile(path));
            ASSERT_FALSE(image.isNull());
        }
        EXPECT_EQ(loadJpegFile(CSlowa::SmallPicturePath(word.Key)).size(), PackLayout::smallSize());
    }
}

TEST_F(DataPack, MasksArePureBlackAndWhiteAndBigPicturesWhiteOutsideThem) {
    CSlowa catalogue(random);
    for (const auto& kind : PackLayout::bigKinds()) {
        SCOPED_TRACE(qPrintable(kind.suffix));
        const QImage mask = loadJpegFile("Data/Bio/_matr" + kind.suffix + ".xji");
        ASSERT_EQ(mask.size(), kind.size);
        int white = 0;
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const QRgb p = mask.pixel(x, y);
                ASSERT_TRUE(p == qRgb(0, 0, 0) || isWhite(p)) << x << "," << y;
                white += isWhite(p);
            }
        EXPECT_GT(white, mask.width() * mask.height() / 2);

        for (const WordEntry& word : catalogue.Words()) {
            const QImage picture =
                loadJpegFile(CSlowa::BigPicturePath(word.Key, kind.suffix + ".xji"));
            ASSERT_EQ(picture.size(), mask.size()) << qPrintable(word.Key);
            int object = 0;
            for (int y = 0; y < mask.height(); ++y)
                for (int x = 0; x < mask.width(); ++x) {
                    if (!isWhite(mask.pixel(x, y))) {
                        ASSERT_TRUE(isWhite(picture.pixel(x, y)))
                            << qPrintable(word.Key) << " at " << x << "," << y;
                    } else {
                        object += !isWhite(picture.pixel(x, y));
                    }
                }
            EXPECT_GT(object, white / 25) << qPrintable(word.Key) << " shows almost nothing";
        }
    }
}

TEST_F(DataPack, NoWordPictureIsANearlyBlackBlob) {
    // Black shapes on white hide everything that would make a picture recognisable; a dark
    // object needs light parts that show its form.
    CSlowa catalogue(random);
    for (const WordEntry& word : catalogue.Words())
        for (const QString& path : picturePaths(word)) {
            const QImage picture = loadJpegFile(path);
            int object = 0, dark = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x) {
                    const QRgb p = picture.pixel(x, y);
                    if (isBackground(p))
                        continue;
                    ++object;
                    dark += std::max({qRed(p), qGreen(p), qBlue(p)}) < 70;
                }
            EXPECT_LT(dark, object * 4 / 5) << qPrintable(path);
        }
}

TEST_F(DataPack, BuildingsStandOnTheirGround) {
    // A building's lowest rows are one band across it (its ground or its base); a building
    // that ends in its windows and walls looks cut off.
    for (const char* key : {"szpital", "studnia", "zamek"})
        for (const auto& kind : PackLayout::bigKinds()) {
            const QString path = CSlowa::BigPicturePath(key, kind.suffix + ".xji");
            const QImage picture = loadJpegFile(path);
            int bottom = -1, left = picture.width(), right = -1;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (!isBackground(picture.pixel(x, y))) {
                        bottom = y;
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
            ASSERT_GE(bottom, 2) << qPrintable(path);
            const int y = bottom - 2;
            int band = 0;
            for (int sample = left; sample <= right; sample += 4) {
                const QRgb colour = picture.pixel(sample, y);
                if (isBackground(colour))
                    continue;
                int same = 0;
                for (int x = left; x <= right; ++x)
                    same += isNear(picture.pixel(x, y), colour, 40);
                band = std::max(band, same);
            }
            EXPECT_GE(band, (right - left + 1) * 7 / 10) << qPrintable(path);
        }
}

TEST_F(DataPack, CardAndSlotPicturesAndFeedbackSoundsExist) {
    for (const char* path :
         {"Data/Sio/blkcard0.xji", "Data/Sio/squest.xji", "Data/Sio/allred.xji"}) {
        QImage image;
        ASSERT_NO_THROW(image = loadJpegFile(path)) << path;
        EXPECT_EQ(image.size(), PackLayout::smallSize()) << path;
    }
    QStringList sounds{"Data/" + PackLayout::musicPath()};
    for (int i = 0; i < PackLayout::PraiseCount; ++i)
        sounds << "Data/" + PackLayout::praisePath(i);
    for (int i = 0; i < PackLayout::RetryCount; ++i)
        sounds << "Data/" + PackLayout::retryPath(i);
    EXPECT_TRUE(sounds.contains("Data/Intf/Smd/g07.pw"));
    EXPECT_TRUE(sounds.contains("Data/Intf/Smd/b39.pw"));
    for (const QString& path : sounds) {
        WaveFile wave;
        QString error;
        ASSERT_TRUE(wave.read(path, &error)) << qPrintable(error);
        EXPECT_EQ(wave.sampleRate, 22050) << qPrintable(path);
        EXPECT_GT(wave.peak(), 3000) << qPrintable(path);
        EXPECT_LT(wave.durationSeconds(), 30.0) << qPrintable(path);
    }
}

TEST_F(DataPack, AnimalPicturesAreListedSquarePngsOnRoundBackdrops) {
    QFile list("Data/Dzieci/zwierzeta.txt");
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(list.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 12);
    QSet<QRgb> backdrops;
    for (int n = 1; n <= 12; ++n) {
        const QString number = QString("%1").arg(n, 2, 10, QChar('0'));
        EXPECT_EQ(lines[n - 1].section('\t', 0, 0), number);
        EXPECT_FALSE(lines[n - 1].section('\t', 1).isEmpty()) << n;
        QImageReader reader("Data/Dzieci/zwierze" + number + ".png");
        reader.setDecideFormatFromContent(true);
        ASSERT_EQ(reader.format(), "png") << n;
        const QImage image = reader.read();
        ASSERT_EQ(image.size(), QSize(256, 256)) << n;
        // Clear beyond the disc, its own colour just inside the rim.
        EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0) << n;
        backdrops.insert(image.pixel(128, 18));
    }
    EXPECT_EQ(backdrops.size(), 12);
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
