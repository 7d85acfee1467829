#include "form.h" // the window fixture needs QWidget complete
#include "picturecheck.h"
#include "picturecheckcache.h"
#include "windowfixture.h"

namespace {

// How a file is made for a case.
enum class Content {
    JpegPicture,
    BmpPicture,
    BmpRowsCut,
    JpegBodyCut,
    PngBodyCut,
    PngPicture,
    Text,
    Empty,
    JpegHeaderOnly,
    Folder
};

struct CheckCase {
    const char* name;
    const char* file;
    Content content;
    bool readable;
};

class PictureCheckTest : public WindowTest, public testing::WithParamInterface<CheckCase> {
protected:
    void make(const QString& file, Content content) const {
        const QString full = path(file);
        const QImage picture = patterned(QSize(40, 30), 9);
        QFile out(full);
        switch (content) {
        case Content::JpegPicture:
            ASSERT_TRUE(picture.save(full, "JPEG"));
            return;
        case Content::BmpPicture:
            ASSERT_TRUE(picture.save(full, "BMP"));
            return;
        case Content::BmpRowsCut: {
            ASSERT_TRUE(picture.save(full, "BMP"));
            ASSERT_TRUE(out.open(QIODevice::ReadWrite));
            ASSERT_TRUE(out.resize(out.size() - 200));
            return;
        }
        case Content::JpegBodyCut:
        case Content::PngBodyCut: {
            const bool jpeg = content == Content::JpegBodyCut;
            ASSERT_TRUE(picture.save(full, jpeg ? "JPEG" : "PNG"));
            ASSERT_TRUE(out.open(QIODevice::ReadWrite));
            // Halfway through the picture data, after the whole header.
            const qint64 data = out.readAll().indexOf(jpeg ? "\xFF\xDA" : "IDAT");
            ASSERT_GT(data, 0);
            ASSERT_TRUE(out.resize((data + out.size()) / 2));
            return;
        }
        case Content::PngPicture:
            ASSERT_TRUE(picture.save(full, "PNG"));
            return;
        case Content::Folder:
            ASSERT_TRUE(QDir().mkpath(full));
            return;
        case Content::Text:
        case Content::Empty:
        case Content::JpegHeaderOnly:
            break;
        }
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        if (content == Content::Text)
            out.write("not a picture at all\n");
        if (content == Content::JpegHeaderOnly)
            out.write("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);
    }
};

TEST_P(PictureCheckTest, PassesOnlyFilesTheReaderDecodesWhole) {
    const CheckCase c = GetParam();
    const QString file = QStringLiteral("Data/Intf/Spec/") + c.file;
    make(file, c.content);
    EXPECT_EQ(PictureCheck::Readable(path(file)), c.readable);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureCheckTest,
    testing::Values(CheckCase{"Jpeg", "a.xji", Content::JpegPicture, true},
                    CheckCase{"Bmp", "a.xbi", Content::BmpPicture, true},
                    CheckCase{"Png", "a.png", Content::PngPicture, true},
                    // Its header is whole, but the window could not read it.
                    CheckCase{"BmpWithItsLastRowsCut", "a.xbi", Content::BmpRowsCut, false},
                    CheckCase{"JpegWithItsBodyCut", "a.xji", Content::JpegBodyCut, false},
                    CheckCase{"PngWithItsBodyCut", "a.png", Content::PngBodyCut, false},
                    CheckCase{"PngNamedJpeg", "a.xji", Content::PngPicture, false},
                    CheckCase{"JpegNamedBmp", "a.xbi", Content::JpegPicture, false},
                    CheckCase{"TextAsJpeg", "a.xji", Content::Text, false},
                    CheckCase{"TextAsPng", "a.png", Content::Text, false},
                    CheckCase{"EmptyBmp", "a.xbi", Content::Empty, false},
                    CheckCase{"JpegWithoutFrame", "a.xji", Content::JpegHeaderOnly, false},
                    CheckCase{"FolderOfThatName", "a.png", Content::Folder, false}),
    [](const testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, UnreadableListsMissingAndBrokenFilesInTheirOrder) {
    ASSERT_TRUE(patterned(QSize(8, 8), 1).save(path("Data/Intf/Spec/good.xji"), "JPEG"));
    writeBrokenFile("Data/Intf/Spec/broken.xji");
    const QStringList files{"Data/Intf/Spec/missing.xbi", "Data/Intf/Spec/good.xji",
                            "Data/Intf/Spec/broken.xji"};
    // Relative to the folder given, whatever the current folder is.
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(PictureCheck::Unreadable(path(""), files),
              (QStringList{"Data/Intf/Spec/missing.xbi", "Data/Intf/Spec/broken.xji"}));
    EXPECT_EQ(PictureCheck::Unreadable(path(""), {"Data/Intf/Spec/good.xji"}), QStringList());
}

TEST_F(WindowTest, AFileFoundWholeIsNotReadAgainUntilItChanges) {
    const QString good = path("Data/Intf/Spec/good.xji");
    ASSERT_TRUE(patterned(QSize(8, 8), 1).save(good, "JPEG"));
    const QStringList files{"Data/Intf/Spec/good.xji"};
    const QString cachePath = path("cache/whole-pictures");
    {
        PictureCheckCache cache(cachePath);
        cache.Load();
        EXPECT_EQ(PictureCheck::Unreadable(path(""), files, &cache), QStringList());
        ASSERT_TRUE(cache.Save());
    }
    PictureCheckCache next(cachePath);
    next.Load();
    EXPECT_TRUE(next.Known(good));
    // Cut after it was found whole: its size and change time tell, and the check reads it.
    QFile cut(good);
    ASSERT_TRUE(cut.open(QIODevice::ReadWrite));
    ASSERT_TRUE(cut.resize(cut.size() / 2));
    cut.close();
    EXPECT_FALSE(next.Known(good));
    EXPECT_EQ(PictureCheck::Unreadable(path(""), files, &next), files);
}

} // namespace
