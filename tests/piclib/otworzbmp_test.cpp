#include "otworzbmp.h"
#include "picturelibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Each test works in its own program folder: a fresh temporary directory made current for the
// test's duration, as the program makes its own folder current at start-up.
class OtworzBmpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(dir_.filePath("Data/Intf/Lib")));
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }

    QString libFile(const QString& name) const {
        return dir_.filePath("Data/Intf/Lib/" + name + ".png");
    }
    void writePicture(const QString& file, QSize size, QColor colour) const {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(file, "PNG"));
    }
    void writeBytes(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(OtworzBmpTest, LoadsTheNamedPictureWithItsSizeAsRgb32) {
    writePicture(libFile("stop_D"), QSize(70, 60), QColor(10, 200, 30));
    QImage bitmap;
    OtworzBMP("stop_D", bitmap);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), QSize(70, 60));
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.pixel(35, 30), qRgb(10, 200, 30));
}

TEST_F(OtworzBmpTest, NamesAreCaseSensitive) {
    writePicture(libFile("b_SZ_A"), QSize(4, 4), Qt::red);
    QImage bitmap;
    OtworzBMP("b_sz_A", bitmap);
    EXPECT_TRUE(bitmap.isNull());
    OtworzBMP("b_SZ_A", bitmap);
    EXPECT_FALSE(bitmap.isNull());
}

TEST_F(OtworzBmpTest, UnknownNameEmptiesTheBitmap) {
    QImage bitmap(8, 8, QImage::Format_RGB32);
    bitmap.fill(Qt::blue);
    OtworzBMP("nosuchpicture_s", bitmap);
    EXPECT_TRUE(bitmap.isNull());
}

TEST_F(OtworzBmpTest, UndecodableFilesGiveAnEmptyBitmap) {
    writeBytes(libFile("garbage"), "this is not a picture");
    writeBytes(libFile("empty"), "");
    // A real PNG cut short after its header.
    writePicture(libFile("whole"), QSize(40, 40), Qt::green);
    QFile whole(libFile("whole"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    writeBytes(libFile("truncated"), whole.read(40));

    for (const char* name : {"garbage", "empty", "truncated"}) {
        QImage bitmap(8, 8, QImage::Format_RGB32);
        OtworzBMP(name, bitmap);
        EXPECT_TRUE(bitmap.isNull()) << name;
    }
}

TEST_F(OtworzBmpTest, NamesThatAreNotPlainNamesNeverLeaveTheLibraryFolder) {
    writePicture(dir_.filePath("Data/Intf/outside.png"), QSize(4, 4), Qt::red);
    writePicture(dir_.filePath("Data/Intf/Lib/inner.png.png"), QSize(4, 4), Qt::red);
    for (const char* name : {"../outside", "..\\outside", "/etc/passwd", "inner.png", "", "a b"}) {
        QImage bitmap;
        OtworzBMP(name, bitmap);
        EXPECT_TRUE(bitmap.isNull()) << name;
    }
}

TEST_F(OtworzBmpTest, ALookupIsRememberedForTheProgramsLife) {
    writePicture(libFile("pomoc_A"), QSize(70, 60), Qt::yellow);
    QImage first;
    OtworzBMP("pomoc_A", first);
    ASSERT_FALSE(first.isNull());

    // The file changes and then disappears; the program keeps showing what it loaded.
    writePicture(libFile("pomoc_A"), QSize(10, 10), Qt::black);
    QImage second;
    OtworzBMP("pomoc_A", second);
    EXPECT_EQ(second.size(), QSize(70, 60));
    EXPECT_EQ(second.pixel(0, 0), first.pixel(0, 0));

    ASSERT_TRUE(QFile::remove(libFile("pomoc_A")));
    QImage third;
    OtworzBMP("pomoc_A", third);
    EXPECT_EQ(third.size(), QSize(70, 60));
}

TEST_F(OtworzBmpTest, AnotherProgramFolderHasItsOwnPictures) {
    writePicture(libFile("nast_D"), QSize(70, 60), Qt::red);
    QImage here;
    OtworzBMP("nast_D", here);
    ASSERT_EQ(here.size(), QSize(70, 60));

    QTemporaryDir other;
    ASSERT_TRUE(QDir().mkpath(other.filePath("Data/Intf/Lib")));
    QImage small(5, 6, QImage::Format_RGB32);
    small.fill(Qt::white);
    ASSERT_TRUE(small.save(other.filePath("Data/Intf/Lib/nast_D.png"), "PNG"));
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    QImage there;
    OtworzBMP("nast_D", there);
    EXPECT_EQ(there.size(), QSize(5, 6));
}

TEST(PictureLibraryNames, OnlyPlainAsciiNamesAreValid) {
    struct Row {
        const char* name;
        bool valid;
    };
    const Row rows[] = {{"stop_D", true},    {"s_DZZ_A", true}, {"dzzz_red_b", true},
                        {"S_CHBUT_D", true}, {"a-b", true},     {"", false},
                        {"..", false},       {"a/b", false},    {"a\\b", false},
                        {"c:x", false},      {"x.png", false},  {"ż_s", false}};
    for (const Row& row : rows)
        EXPECT_EQ(PictureLibrary::isValidName(QString::fromUtf8(row.name)), row.valid) << row.name;
}

} // namespace
