#include "cblad.h"
#include "cdisplay.h"
#include "formbordersize.h"
#include "mediafiles.h"
#include "randomgenerator.h"
#include "soundplayer.h"
#include "textformat.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ScreenCase {
    int width, height;
    int variant, offsetX, offsetY, designWidth, designHeight;
    bool tooSmall;
};

class ScreenVariants : public testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenVariants, ClassifyAndCentre) {
    const ScreenCase c = GetParam();
    const CDisplay display(QSize(c.width, c.height));
    EXPECT_EQ(display.ScreenVariant, c.variant);
    EXPECT_EQ(display.OffsetX, c.offsetX);
    EXPECT_EQ(display.OffsetY, c.offsetY);
    EXPECT_EQ(display.DesignWidth, c.designWidth);
    EXPECT_EQ(display.DesignHeight, c.designHeight);
    EXPECT_EQ(display.ScreenTooSmall(), c.tooSmall);
    EXPECT_EQ(display.Suffix(), c.variant == CDisplay::Small ? "_s" : "_b");
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ScreenVariants,
    testing::Values(ScreenCase{800, 600, 2, 0, 0, 800, 600, false},
                    ScreenCase{1024, 768, 4, 0, 0, 1024, 768, false},
                    ScreenCase{1280, 1024, 4, 128, 128, 1024, 768, false},
                    ScreenCase{1023, 900, 2, 111, 150, 800, 600, false},
                    ScreenCase{1000, 700, 2, 100, 50, 800, 600, false},
                    ScreenCase{1280, 720, 2, 240, 60, 800, 600, false},
                    ScreenCase{799, 1200, 2, 0, 300, 800, 600, true},
                    // Below the design size the offset goes negative (truncated toward zero).
                    ScreenCase{640, 480, 2, -80, -60, 800, 600, true}));

TEST(ScreenCheck, MeasuresTheScreenAnewAtEachCall) {
    QSize now(1024, 768);
    const CDisplay display(now, [&now] { return now; });
    EXPECT_FALSE(display.ScreenTooSmall());
    now = QSize(640, 480);
    EXPECT_TRUE(display.ScreenTooSmall());
    EXPECT_EQ(display.ScreenVariant, CDisplay::Big); // the variant never changes
}

TEST(PaintBackground, BlackScreenWithThePictureAtTheDesignOffset) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bg.xji");
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(QColor(255, 255, 255));
    ASSERT_TRUE(picture.save(path, "JPEG", 95));

    const CDisplay display(QSize(1000, 700));
    QImage bitmap(5, 5, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    display.PaintBackground(bitmap, path);
    ASSERT_EQ(bitmap.size(), QSize(1000, 700));
    EXPECT_EQ(bitmap.pixel(99, 49), qRgb(0, 0, 0));
    EXPECT_EQ(bitmap.pixel(0, 699), qRgb(0, 0, 0));
    EXPECT_GT(qRed(bitmap.pixel(100, 50)), 240);
    EXPECT_GT(qRed(bitmap.pixel(899, 649)), 240);
    EXPECT_EQ(bitmap.pixel(900, 650), qRgb(0, 0, 0));

    // A missing or broken file leaves the whole bitmap black.
    display.PaintBackground(bitmap, dir.filePath("missing.xji"));
    EXPECT_EQ(bitmap.pixel(500, 350), qRgb(0, 0, 0));
    QFile broken(dir.filePath("broken.xji"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();
    display.PaintBackground(bitmap, broken.fileName());
    EXPECT_EQ(bitmap.pixel(500, 350), qRgb(0, 0, 0));
}

TEST(ErrorMessages, ExactTexts) {
    EXPECT_EQ(CBlad::Message(1),
              QString::fromUtf8("          Brak zasobów !\n\nProszę przeinstalować program."));
    EXPECT_EQ(CBlad::Message(2),
              QString::fromUtf8("Proszę zmienić rozdzielczość ekranu na 800 x 600 lub wyższą."));
    EXPECT_EQ(CBlad::Message(3),
              QString::fromUtf8("Plik statystyk nie został poprawnie stworzony."));
    EXPECT_EQ(CBlad::Message(4), QString::fromUtf8("Brak dostępu do pliku konfiguracyjnego "
                                                   "programu. Program zakończy działanie."));
    EXPECT_EQ(CBlad::Message(0), QString());
    EXPECT_EQ(CBlad::Message(5), QString());
    const CBlad error(3);
    EXPECT_STREQ(error.what(), "Blad");
    EXPECT_EQ(error.ErrorCode, 3);
}

struct ErrorLineCase {
    short code;
    const char* line;
};

class FatalErrorLines : public testing::TestWithParam<ErrorLineCase> {};

// A terminal or a log gets the box's message on one line, with the code.
TEST_P(FatalErrorLines, OneLineWithTheCode) {
    EXPECT_EQ(CBlad::ErrorLine(GetParam().code), QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FatalErrorLines,
    testing::Values(ErrorLineCase{1, "błąd 1: Brak zasobów ! Proszę przeinstalować program."},
                    ErrorLineCase{
                        4, "błąd 4: Brak dostępu do pliku konfiguracyjnego programu. Program "
                           "zakończy działanie."},
                    ErrorLineCase{9, "błąd 9"}));

// Error 4 names what the user must mend, in the box and on its one line.
TEST(ErrorDetail, FollowsTheMessageInTheBoxAndOnTheLine) {
    const CBlad error(4, QStringLiteral("Plik: /home/ala/.local/share/wiklotek/data.ini"));
    EXPECT_EQ(error.Text(),
              CBlad::Message(4) +
                  QStringLiteral("\n\nPlik: /home/ala/.local/share/wiklotek/data.ini"));
    EXPECT_EQ(error.Line(), CBlad::ErrorLine(4) +
                                QStringLiteral(" Plik: /home/ala/.local/share/wiklotek/data.ini"));
    EXPECT_EQ(CBlad(1).Text(), CBlad::Message(1));
}

TEST(LetterTokens, PolishGraphemesMapToAscii) {
    const std::pair<const char*, const char*> rows[] = {
        {"dż", "dzz"}, {"dź", "dzzz"}, {"ż", "zz"},    {"ź", "zzz"}, {"ó", "oo"},
        {"ł", "ll"},   {"ć", "cc"},    {"ś", "ss"},    {"ń", "nn"},  {"ę", "ee"},
        {"ą", "aa"},   {"s", "s"},     {"rz", "rz"},   {"sz", "sz"}, {"cz", "cz"},
        {"dz", "dz"},  {"Ż", "Ż"},     {"dzi", "dzi"}, {"", ""},
    };
    for (const auto& [grapheme, token] : rows)
        EXPECT_EQ(LetterToken(QString::fromUtf8(grapheme)), QString::fromUtf8(token)) << grapheme;
}

TEST(Durations, MinutesAndSeconds) {
    EXPECT_EQ(FormatDuration(125), "2 min 5 s");
    EXPECT_EQ(FormatDuration(60), "1 min 0 s");
    EXPECT_EQ(FormatDuration(59), "0 min 59 s");
    EXPECT_EQ(FormatDuration(0), "0 min 0 s");
    EXPECT_EQ(FormatDuration(3600), "60 min 0 s");
}

TEST(Random, SameClockSecondGivesTheSameSequence) {
    std::int64_t now = 1000;
    RandomGenerator a([&now] { return now; });
    RandomGenerator b([&now] { return now; });
    a.seedFromClock();
    b.seedFromClock();
    for (int i = 0; i < 20; ++i) {
        const int value = a.next();
        EXPECT_GE(value, 0);
        EXPECT_EQ(value, b.next());
    }
    EXPECT_EQ(a.below(0), 0);
    EXPECT_EQ(a.below(-3), 0);
    for (int i = 0; i < 100; ++i) {
        const int n = a.below(7);
        EXPECT_GE(n, 0);
        EXPECT_LT(n, 7);
    }
}

// Feedback and word sounds: which file is chosen and what happens when it is missing.
class SoundFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir().mkpath("Data/Intf/Smd");
        QDir().mkpath("Data/Smd");
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
    static void writeWave(const QString& path) {
        // 10 ms of silence, 22050 Hz mono 16-bit.
        const quint32 samples = 220, dataBytes = samples * 2;
        QByteArray wav;
        auto u32 = [&wav](quint32 v) {
            for (int i = 0; i < 4; ++i)
                wav.append(char((v >> (8 * i)) & 0xFF));
        };
        auto u16 = [&wav](quint16 v) {
            wav.append(char(v & 0xFF));
            wav.append(char(v >> 8));
        };
        wav.append("RIFF");
        u32(36 + dataBytes);
        wav.append("WAVEfmt ");
        u32(16);
        u16(1);
        u16(1);
        u32(22050);
        u32(44100);
        u16(2);
        u16(16);
        wav.append("data");
        u32(dataBytes);
        wav.append(QByteArray(int(dataBytes), '\0'));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(wav);
    }
    QTemporaryDir m_dir;
    QString m_previous;
};

TEST_F(SoundFiles, FeedbackPathsHaveTwoDigits) {
    EXPECT_EQ(FeedbackSoundPath(FeedbackPraise, 7), "Data/Intf/Smd/g07.pw");
    EXPECT_EQ(FeedbackSoundPath(FeedbackPraise, 46), "Data/Intf/Smd/g46.pw");
    EXPECT_EQ(FeedbackSoundPath(FeedbackError, 0), "Data/Intf/Smd/b00.pw");
}

TEST_F(SoundFiles, FeedbackPlaysTheFileTheGeneratorPicks) {
    SoundPlayer player;
    std::int64_t now = 42;
    RandomGenerator random([&now] { return now; });
    random.seedFromClock();
    RandomGenerator twin([&now] { return now; });
    twin.seedFromClock();
    const int expected = twin.below(47);

    EXPECT_FALSE(PlayFeedbackSound(player, random, FeedbackPraise)); // nothing there yet
    random.seedFromClock();
    writeWave(FeedbackSoundPath(FeedbackPraise, expected));
    EXPECT_TRUE(PlayFeedbackSound(player, random, FeedbackPraise));
    EXPECT_FALSE(PlayFeedbackSound(player, random, 2));
    EXPECT_FALSE(PlayFeedbackSound(player, random, -1));
}

TEST_F(SoundFiles, WordSoundNeedsItsFile) {
    SoundPlayer player;
    EXPECT_FALSE(PlayWordSound(player, "abecadlo"));
    writeWave("Data/Smd/abecadlo.pw");
    EXPECT_TRUE(PlayWordSound(player, "abecadlo"));
}

TEST(Borders, FramelessWindowsHaveNoBorder) {
    EXPECT_EQ(BorderWidth(BorderStyle::None), 0);
    EXPECT_EQ(BorderHeight(BorderStyle::None), 0);
    EXPECT_GT(BorderHeight(BorderStyle::Single), BorderWidth(BorderStyle::Single));
    EXPECT_LT(BorderHeight(BorderStyle::ToolWindow), BorderHeight(BorderStyle::Sizeable) + 1);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
