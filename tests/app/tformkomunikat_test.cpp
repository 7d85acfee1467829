#include "cblad.h"
#include "cprzyciskp.h"
#include "tformkomunikat.h"
#include "windowfixture.h"

#include <QLabel>
#include <QTest>

namespace {

class NoticeTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        picture = writeSpecPicture("mKom_kp.xji", patterned(QSize(420, 250), 60));
        writeButton("stop", QSize(70, 60));
    }

    QImage picture;
};

struct NoticeCase {
    int code;
    const char* text;
};

class NoticeTexts : public NoticeTest, public testing::WithParamInterface<NoticeCase> {};

TEST_P(NoticeTexts, EachCodeShowsItsAdvice) {
    const NoticeCase c = GetParam();
    EXPECT_EQ(TFormKomunikat::NoticeText(c.code), QString::fromUtf8(c.text));
    TFormKomunikat notice(display);
    notice.SetNotice(c.code);
    EXPECT_EQ(notice.Text(), QString::fromUtf8(c.text));
    EXPECT_EQ(notice.vL_Komunikat()->text(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, NoticeTexts,
    testing::Values(NoticeCase{3, "Proszę wybrać większą liczbę głosek lub pozycji."},
                    NoticeCase{10, "Proszę wybrać pozycję i wprowadzić nazwę nagrania."},
                    NoticeCase{11, "Proszę wprowadzić nazwę dla nagrania."},
                    NoticeCase{20, "Proszę wybrać pozycję do odtworzenia."},
                    NoticeCase{21, "Brak nagrania dla wybranej pozycji."}, NoticeCase{7, "Błąd."},
                    NoticeCase{0, "Błąd."}, NoticeCase{-3, "Błąd."}));

TEST_F(NoticeTest, LaysOutThePictureTheTextAndTheStopButton) {
    TFormKomunikat notice(display);
    EXPECT_EQ(notice.size(), QSize(420, 250));
    EXPECT_EQ(notice.vL_Komunikat()->geometry(), QRect(18, 51, 385, 134));
    EXPECT_TRUE(notice.vL_Komunikat()->wordWrap());
    EXPECT_EQ(notice.vL_Komunikat()->alignment(), Qt::AlignCenter);
    EXPECT_EQ(notice.StopButton().DestinationRect(), QRect(180, 150, 70, 60));
    EXPECT_EQ(pixelAt(notice.canvas().image(), 5, 5), pixelAt(picture, 5, 5));
    EXPECT_EQ(pixelAt(notice.canvas().image(), 400, 240), pixelAt(picture, 400, 240));

    // Rounded corners of 25 x 25 ellipses cut from the window.
    const QRegion region = notice.mask();
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 420, 250));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(419, 249)));
    EXPECT_TRUE(region.contains(QPoint(12, 1)));
    EXPECT_TRUE(region.contains(QPoint(210, 125)));
}

// What the constructor needs: a missing picture of the window or of its button is error 1.
class NoticeResources : public NoticeTest, public testing::WithParamInterface<const char*> {};

TEST_P(NoticeResources, AMissingOrBrokenPictureIsErrorOne) {
    const std::string what = GetParam();
    if (what == "window picture missing") {
        QFile::remove(path("Data/Intf/Spec/mKom_kp.xji"));
    } else if (what == "window picture broken") {
        writeBrokenFile("Data/Intf/Spec/mKom_kp.xji");
    } else {
        QFile::remove(path("Data/Intf/Lib/stop_M.png"));
    }
    try {
        TFormKomunikat notice(display);
        ADD_FAILURE() << "no error for: " << what;
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, NoticeResources,
                         testing::Values("window picture missing", "window picture broken",
                                         "button mask missing"));

TEST_F(NoticeTest, ShowsCentredModallyUntilStopIsClicked) {
    TFormKomunikat notice(display);
    bool wasModal = false;
    QPoint shownAt;
    QString shownText;
    Rgb buttonPixel{0};
    whileShowing([&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
        wasModal = notice.isModal();
        shownAt = notice.pos();
        shownText = notice.Text();
        buttonPixel = pixelAt(notice.canvas().image(), 215, 180);
        QTest::mouseClick(&notice.StopButton().control(), Qt::LeftButton, {}, QPoint(35, 30));
        closeIfStillShowing(notice);
    });
    notice.ShowNotice(21);

    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(shownAt, QPoint(302, 259));
    EXPECT_EQ(shownText, "Brak nagrania dla wybranej pozycji.");
    // The button draws itself over the picture once the window paints.
    EXPECT_EQ(buttonPixel, Rgb{kButtonNormal}) << pixelAt(picture, 215, 180);
}

TEST_F(NoticeTest, EscapeClosesItAsStopDoes) {
    TFormKomunikat notice(display);
    whileShowing([&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
        QTest::keyClick(&notice, Qt::Key_Escape);
        closeIfStillShowing(notice);
    });
    notice.ShowNotice(3);
    EXPECT_FALSE(notice.isVisible());
    // Another key does not close it.
    whileShowing([&] {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
        QTest::keyClick(&notice, Qt::Key_A);
        EXPECT_TRUE(notice.isVisible());
        notice.A_Stop();
    });
    notice.ShowNotice(3);
    EXPECT_FALSE(notice.isVisible());
}

TEST_F(NoticeTest, DraggingByTheTextMovesTheWholeWindow) {
    TFormKomunikat notice(display);
    notice.SetNotice(3);
    notice.move(100, 80);
    notice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    const QPoint start = notice.pos();
    QLabel& text = *notice.vL_Komunikat();
    const QPoint grab = text.mapToGlobal(QPoint(150, 60));

    sendMouse(text, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(notice.isDragging());
    sendMouse(notice, QEvent::MouseMove, grab + QPoint(40, -30), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(notice.pos(), start + QPoint(40, -30));
    sendMouse(notice, QEvent::MouseButtonRelease, grab + QPoint(40, -30), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_FALSE(notice.isDragging());

    // The right button does not drag.
    sendMouse(text, QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(notice.isDragging());
}

} // namespace
