#include "cblad.h"
#include "cobiektgraficzny.h"
#include "widgetfixture.h"

namespace {

// The caption "nap_gloski_s": a 40 x 20 picture in the hover colour, drawn over a 200 x 100
// canvas holding the position-coded background.
class CObiektGraficznyTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        writeLibraryPicture("nap_gloski_s", shapePicture(QSize(40, 20), 0, kHover, kWhite));
    }
    Canvas canvas{makeBackground(200, 100)};
};

TEST_F(CObiektGraficznyTest, StartsAtTheOriginWithThePicturesSize) {
    CObiektGraficzny caption("nap_gloski_s");
    EXPECT_EQ(caption.X(), 0);
    EXPECT_EQ(caption.Y(), 0);
    EXPECT_EQ(caption.Width(), 40);
    EXPECT_EQ(caption.Height(), 20);
    EXPECT_FALSE(caption.HasSavedBackground());
}

TEST_F(CObiektGraficznyTest, AMissingPictureIsErrorOne) {
    try {
        CObiektGraficzny caption("nap_pozycja_s");
        FAIL() << "constructed without a picture";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
}

TEST_F(CObiektGraficznyTest, RestoreAfterSaveAndDrawGivesBackTheCanvas) {
    CObiektGraficzny caption("nap_gloski_s");
    caption.SetPosition(30, 40);
    const QImage before = canvas.image().copy();
    caption.SaveBackground(canvas);
    caption.Draw(canvas);
    EXPECT_EQ(pixelAt(canvas, 30, 40), Rgb{kHover});
    EXPECT_EQ(pixelAt(canvas, 69, 59), Rgb{kHover});
    EXPECT_EQ(pixelAt(canvas, 70, 60), Rgb{backgroundColour(70, 60)});
    caption.Restore(canvas);
    EXPECT_EQ(canvas.image(), before);
}

TEST_F(CObiektGraficznyTest, MovingWithoutSavingRestoresTheOldBackgroundAtTheNewPlace) {
    CObiektGraficzny caption("nap_gloski_s");
    caption.SetPosition(10, 10);
    caption.SaveBackground(canvas.image());
    caption.SetPosition(100, 50);
    caption.Restore(canvas);
    EXPECT_EQ(pixelAt(canvas, 100, 50), Rgb{backgroundColour(10, 10)});
    EXPECT_EQ(pixelAt(canvas, 139, 69), Rgb{backgroundColour(49, 29)});
    EXPECT_EQ(pixelAt(canvas, 140, 70), Rgb{backgroundColour(140, 70)});
}

TEST_F(CObiektGraficznyTest, ANewSaveReplacesTheOldOne) {
    CObiektGraficzny caption("nap_gloski_s");
    caption.SaveBackground(canvas);
    caption.SetPosition(150, 70);
    caption.SaveBackground(canvas);
    caption.SetPosition(0, 0);
    caption.Restore(canvas);
    EXPECT_EQ(pixelAt(canvas, 0, 0), Rgb{backgroundColour(150, 70)});
}

TEST_F(CObiektGraficznyTest, RestoreBeforeAnySaveDrawsNothing) {
    CObiektGraficzny caption("nap_gloski_s");
    caption.SetPosition(30, 40);
    const QImage before = canvas.image().copy();
    caption.Restore(canvas);
    EXPECT_EQ(canvas.image(), before);
}

TEST_F(CObiektGraficznyTest, APartBeyondTheSourcesEdgeIsSavedBlack) {
    CObiektGraficzny caption("nap_gloski_s");
    caption.SetPosition(180, 90); // 20 x 10 of the 40 x 20 lie inside
    caption.SaveBackground(canvas);
    caption.SetPosition(0, 0);
    caption.Restore(canvas);
    EXPECT_EQ(pixelAt(canvas, 19, 9), Rgb{backgroundColour(199, 99)});
    EXPECT_EQ(pixelAt(canvas, 20, 9), Rgb{kBlack});
    EXPECT_EQ(pixelAt(canvas, 19, 10), Rgb{kBlack});
}

} // namespace
