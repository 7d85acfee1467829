#include "cblad.h"
#include "cdisplay.h"
#include "cokrag.h"
#include "widgetfixture.h"

#include <QFile>
#include <QPainter>
#include <cstdlib>
#include <memory>

namespace {

constexpr QRgb kRing = 0xFF2040C0u;
constexpr QRgb kPicture = 0xFFE0A020u;
constexpr QRgb kBackdrop = 0xFF60B060u;

// JPEG keeps solid areas but blurs edges a little: compare colours with a tolerance and only
// well away from edges.
::testing::AssertionResult near(const QImage& image, int x, int y, QRgb expected) {
    const QRgb got = image.pixel(x, y);
    const int diff = std::abs(qRed(got) - qRed(expected)) +
                     std::abs(qGreen(got) - qGreen(expected)) +
                     std::abs(qBlue(got) - qBlue(expected));
    if (diff <= 24)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "at " << x << "," << y << " got " << Rgb{got} << ", expected " << Rgb{expected};
}

// An ellipse of `inside` colour over `outside`, filling the picture's rectangle less `inset`.
QImage ellipsePicture(QSize size, int inset, QRgb inside, QRgb outside) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(outside);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(inside));
    p.drawEllipse(QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset));
    return image;
}

class COkragTest : public WidgetTest {
protected:
    void writeJpeg(const QString& relative, const QImage& image) {
        savePicture(image, path(relative), "JPEG");
    }
    // A ring of `ring` size whose band is the outer 40 pixels, and a picture mask that is a
    // white ellipse.
    void writeRingFiles(const QString& variant, QSize ring, QSize pictureMask) {
        QImage mask = ellipsePicture(ring, 0, kWhite, kBlack);
        {
            QPainter p(&mask);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawEllipse(QRect(QPoint(0, 0), ring).adjusted(40, 40, -40, -40));
        }
        QImage picture = ellipsePicture(ring, 0, kRing, kWhite);
        {
            QPainter p(&picture);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(QPoint(0, 0), ring).adjusted(40, 40, -40, -40));
        }
        writeJpeg("Data/Intf/Spec/Ring" + variant + ".xji", picture);
        writeJpeg("Data/Intf/Spec/RingM" + variant + ".xji", mask);
        writeJpeg("Data/Bio/_matr_m" + variant.mid(1) + ".xji",
                  ellipsePicture(pictureMask, 0, kWhite, kBlack));
    }
};

struct PlaceCase {
    const char* name;
    QSize screen;
    QSize ring;
    QSize pictureMask;
    QPoint ringAt;
    QPoint pictureAt;
};

class COkragPlaceTest : public COkragTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(COkragPlaceTest, CentresRingAndPictureInThePlayArea) {
    const CDisplay display(GetParam().screen);
    writeRingFiles(display.Suffix(), GetParam().ring, GetParam().pictureMask);
    Canvas canvas(display.DesignWidth, display.DesignHeight);
    COkrag ring(display, canvas);
    EXPECT_EQ(QPoint(ring.RingX(), ring.RingY()), GetParam().ringAt);
    EXPECT_EQ(QPoint(ring.PictureX(), ring.PictureY()), GetParam().pictureAt);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, COkragPlaceTest,
    ::testing::Values(PlaceCase{"Small", QSize(800, 600), QSize(300, 300), QSize(200, 250),
                                QPoint(250, 150), QPoint(300, 175)},
                      PlaceCase{"Big", QSize(1280, 1024), QSize(380, 380), QSize(260, 320),
                                QPoint(322, 194), QPoint(382, 224)},
                      // Halves are truncated before the subtraction.
                      PlaceCase{"OddSizes", QSize(800, 600), QSize(301, 299), QSize(201, 251),
                                QPoint(250, 151), QPoint(300, 175)}),
    [](const auto& info) { return std::string(info.param.name); });

class COkragDrawTest : public COkragTest {
protected:
    void SetUp() override {
        COkragTest::SetUp();
        writeRingFiles("_s", QSize(300, 300), QSize(200, 250));
        canvas.setBrushColor(QColor::fromRgb(kBackdrop));
        canvas.fillRect(canvas.rect());
        ring = std::make_unique<COkrag>(display, canvas);
    }
    CDisplay display{QSize(800, 600)};
    Canvas canvas{800, 600};
    std::unique_ptr<COkrag> ring;
};

TEST_F(COkragDrawTest, TheRingBlendsIntoTheCanvas) {
    ring->DrawRing();
    const QImage& image = canvas.image();
    EXPECT_TRUE(near(image, 400, 150 + 20, kRing)); // top of the band
    EXPECT_TRUE(near(image, 250 + 20, 300, kRing)); // left of the band
    EXPECT_TRUE(near(image, 400, 300, kBackdrop));  // the hole
    EXPECT_TRUE(near(image, 255, 155, kBackdrop));  // the ring's corner, outside the circle
    EXPECT_TRUE(near(image, 100, 100, kBackdrop));  // far away
    EXPECT_EQ(canvas.copyMode(), CopyMode::SrcCopy);
}

TEST_F(COkragDrawTest, APictureSmallerThanTheMaskLeavesTheRestOfTheMaskWhite) {
    // A 100 x 100 picture (a disc, white around it) in the top-left corner of the mask at
    // (300, 175), whose ellipse spans 200 x 250.
    ring->DrawPicture(ellipsePicture(QSize(100, 100), 0, kPicture, kWhite));
    const QImage& image = canvas.image();
    EXPECT_TRUE(near(image, 400, 150 + 20, kRing)); // the ring is drawn first
    EXPECT_TRUE(near(image, 350, 225, kPicture));   // the disc, inside the mask
    EXPECT_TRUE(near(image, 400, 350, kWhite));     // mask beyond the picture
    EXPECT_TRUE(near(image, 305, 180, kBackdrop));  // outside both the disc and the mask
    EXPECT_EQ(canvas.copyMode(), CopyMode::SrcCopy);
}

class COkragMissingTest : public COkragTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(COkragMissingTest, AMissingOrBrokenPictureIsErrorOne) {
    writeRingFiles("_b", QSize(40, 40), QSize(20, 20));
    const QString file = path(GetParam());
    if (QString(GetParam()).contains("RingM")) {
        QFile broken(file); // present, but no JPEG
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a picture");
    } else {
        ASSERT_TRUE(QFile::remove(file));
    }
    const CDisplay display(QSize(1024, 768));
    Canvas canvas(display.DesignWidth, display.DesignHeight);
    try {
        COkrag ring(display, canvas);
        FAIL() << "constructed without " << GetParam();
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, COkragMissingTest,
                         ::testing::Values("Data/Bio/_matr_mb.xji", "Data/Intf/Spec/Ring_b.xji",
                                           "Data/Intf/Spec/RingM_b.xji"),
                         [](const auto& info) {
                             const QString file = QFileInfo(info.param).baseName();
                             return file.mid(file.startsWith('_') ? 1 : 0).toStdString();
                         });

} // namespace
