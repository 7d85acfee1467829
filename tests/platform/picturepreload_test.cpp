// Pictures decoded ahead of time must be exactly what the loaders would read themselves, and a
// file that does not decode must still fail where it is loaded.
#include "canvas.h"
#include "imageloader.h"
#include "picturepreload.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QImage pattern() {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x ^ y) * 3));
    return image;
}

class PicturePreloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QImage picture = pattern();
        ASSERT_TRUE(picture.save(path("a.xji"), "JPEG", 90));
        ASSERT_TRUE(picture.save(path("b.xbi"), "BMP"));
        ASSERT_TRUE(picture.save(path("c.png"), "PNG"));
        ASSERT_TRUE(picture.convertToFormat(QImage::Format_Indexed8).save(path("d.png"), "PNG"));
        QFile broken(path("broken.xji"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8\xFF not a picture");
    }
    void TearDown() override { PicturePreload::Stop(); }

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
};

TEST_F(PicturePreloadTest, LoadersHandOutTheSamePicturesOnce) {
    struct Case {
        const char* file;
        std::function<QImage(const QString&)> load;
        std::function<QImage(const QString&)> decode;
    };
    const Case cases[] = {
        {"a.xji", loadJpegFile, ImageDecode::jpeg},
        {"b.xbi", loadBmpFile, ImageDecode::bmp},
        {"c.png", loadPngFile, ImageDecode::png},
    };
    PicturePreload::Start(
        {path("a.xji"), path("b.xbi"), path("c.png"), path("d.png"), path("missing.png")});
    PicturePreload::WaitUntilDone();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::optional<QImage> ahead = PicturePreload::Take(path(c.file));
        ASSERT_TRUE(ahead.has_value());
        EXPECT_EQ(*ahead, c.decode(path(c.file)));
        EXPECT_EQ(ahead->format(), QImage::Format_RGB32);
        // Taken once; the loader then reads the file itself, to the same picture.
        EXPECT_FALSE(PicturePreload::Take(path(c.file)).has_value());
        EXPECT_EQ(c.load(path(c.file)), *ahead);
    }
    EXPECT_FALSE(PicturePreload::Take(path("missing.png")).has_value());
    // A kind only Qt's reader takes (a palette PNG) is left to the loader, on its own thread.
    EXPECT_FALSE(PicturePreload::Take(path("d.png")).has_value());
    EXPECT_EQ(loadPngFile(path("d.png")), ImageDecode::png(path("d.png")));
}

TEST_F(PicturePreloadTest, BrokenFileStillFailsWhereItIsLoaded) {
    PicturePreload::Start({path("broken.xji")});
    PicturePreload::WaitUntilDone();
    EXPECT_THROW(loadJpegFile(path("broken.xji")), ImageLoadError);
    EXPECT_TRUE(loadPngFile(path("broken.xji")).isNull());
}

// A relative name given before and an absolute one later (or the other way) meet, also when
// a file is listed twice; after Stop nothing is handed out, and a new list is decoded again.
TEST_F(PicturePreloadTest, NamesMeetByFileAndStopDropsTheRest) {
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    PicturePreload::Start({QStringLiteral("a.xji"), QStringLiteral("c.png")});
    // Listed again under its other name: still decoded and handed out once.
    PicturePreload::Start({path("a.xji")});
    PicturePreload::WaitUntilDone();
    EXPECT_TRUE(PicturePreload::Take(path("a.xji")).has_value());
    EXPECT_FALSE(PicturePreload::Take(QStringLiteral("a.xji")).has_value());
    PicturePreload::Stop();
    EXPECT_FALSE(PicturePreload::Take(QStringLiteral("c.png")).has_value());
    PicturePreload::Start({path("c.png")});
    PicturePreload::WaitUntilDone();
    EXPECT_TRUE(PicturePreload::Take(QStringLiteral("c.png")).has_value());
    QDir::setCurrent(before);
}

// A caller never waits behind files whose turn has not come: it gets nothing and reads the
// file itself, to the same picture, and the file is not decoded twice.
TEST_F(PicturePreloadTest, AFileNotBegunIsLeftToTheCaller) {
    QStringList files;
    for (int i = 0; i < 40; ++i) {
        const QString copy = m_dir.filePath(QStringLiteral("copy%1.xji").arg(i));
        ASSERT_TRUE(QFile::copy(path("a.xji"), copy));
        files << copy;
    }
    PicturePreload::Start(files);
    const QString last = files.last();
    const std::optional<QImage> ahead = PicturePreload::Take(last);
    EXPECT_EQ(loadJpegFile(last), ImageDecode::jpeg(last));
    if (ahead) {
        EXPECT_EQ(*ahead, ImageDecode::jpeg(last));
    }
    PicturePreload::WaitUntilDone();
    EXPECT_FALSE(PicturePreload::Take(last).has_value()) << "dropped from the list";
    EXPECT_TRUE(PicturePreload::Take(files.at(20)).has_value());
}

// Buffers made ready are black and go each once to a taker of their size, such as the first
// canvas of that size, which fills it with its colour; a canvas of another size, or one
// without a buffer left, makes its own.
TEST_F(PicturePreloadTest, BuffersGoToTheFirstTakersOfTheirSize) {
    PicturePreload::Start({path("a.xji")});
    PicturePreload::PrepareBuffer(QSize(300, 200));
    PicturePreload::PrepareBuffer(QSize(300, 200));
    PicturePreload::WaitUntilDone();
    EXPECT_FALSE(PicturePreload::TakeBuffer(QSize(200, 300)).has_value());
    for (int i = 0; i < 2; ++i) {
        const std::optional<QImage> buffer = PicturePreload::TakeBuffer(QSize(300, 200));
        ASSERT_TRUE(buffer.has_value()) << i;
        EXPECT_EQ(buffer->size(), QSize(300, 200));
        EXPECT_EQ(buffer->format(), QImage::Format_RGB32);
        EXPECT_EQ(buffer->pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(buffer->pixel(299, 199), qRgb(0, 0, 0));
    }
    EXPECT_FALSE(PicturePreload::TakeBuffer(QSize(300, 200)).has_value());

    PicturePreload::PrepareBuffer(QSize(40, 30));
    PicturePreload::WaitUntilDone();
    Canvas other(30, 40, Qt::red);
    EXPECT_TRUE(PicturePreload::TakeBuffer(QSize(40, 30)).has_value()) << "not the canvas's size";
    PicturePreload::PrepareBuffer(QSize(40, 30));
    PicturePreload::WaitUntilDone();
    Canvas canvas(40, 30, Qt::red);
    EXPECT_FALSE(PicturePreload::TakeBuffer(QSize(40, 30)).has_value()) << "the canvas took it";
    EXPECT_EQ(canvas.image().size(), QSize(40, 30));
    EXPECT_EQ(canvas.image().pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.image().pixel(39, 29), qRgb(255, 0, 0));
    // The picture listed before the buffer is still handed out.
    EXPECT_TRUE(PicturePreload::Take(path("a.xji")).has_value());
}

} // namespace
