#include "tformsplashscreen.h"
#include "windowfixture.h"

#include <QLabel>

namespace {

class SplashTest : public WindowTest {};

TEST_F(SplashTest, TakesThePicturesSizeAndShowsOnlyThePicture) {
    const QImage picture = writeSpecPicture("mT_Splh.xji", patterned(QSize(560, 320), 90));
    TFormSplashScreen splash(display);

    EXPECT_EQ(splash.windowTitle(), "Wiklotek Cz.I Splash");
    EXPECT_TRUE(splash.PictureLoaded());
    EXPECT_EQ(splash.size(), QSize(560, 320));
    EXPECT_EQ(splash.pos(), QPoint((1024 - 560) / 2, (768 - 320) / 2));
    EXPECT_EQ(splash.lbBladTekst(), nullptr);
    EXPECT_EQ(splash.lbTytul(), nullptr);
    for (const QPoint p : {QPoint(0, 0), QPoint(559, 319), QPoint(300, 40), QPoint(17, 250)})
        EXPECT_EQ(pixelAt(splash.canvas().image(), p.x(), p.y()), pixelAt(picture, p.x(), p.y()))
            << p.x() << "," << p.y();
}

// A picture that is missing or cannot be read: the start goes on with the design size and
// the two labels on lime.
class SplashWithoutPicture : public SplashTest, public testing::WithParamInterface<const char*> {};

TEST_P(SplashWithoutPicture, KeepsTheDesignSizeAndShowsBothLabels) {
    const std::string how = GetParam();
    if (how == "broken") {
        writeBrokenFile("Data/Intf/Spec/mT_Splh.xji");
    } else if (how == "folder") {
        ASSERT_TRUE(QDir().mkpath(path("Data/Intf/Spec/mT_Splh.xji")));
    }

    TFormSplashScreen splash(display);
    splash.show();

    EXPECT_FALSE(splash.PictureLoaded());
    EXPECT_EQ(splash.windowTitle(), "Wiklotek Cz.I Splash");
    EXPECT_EQ(splash.size(), QSize(600, 348));
    EXPECT_EQ(splash.pos(), QPoint(212, 210));
    EXPECT_TRUE(splash.lbBladTekst()->isVisible());
    EXPECT_TRUE(splash.lbTytul()->isVisible());
    EXPECT_EQ(splash.lbBladTekst()->text(), "Brak zasobów!");
    EXPECT_EQ(splash.lbBladTekst()->geometry(), QRect(8, 8, 102, 16));
    EXPECT_EQ(splash.lbTytul()->text(), "Wiklotek Cz.I");
    EXPECT_EQ(splash.lbTytul()->geometry(), QRect(0, 32, 601, 41));
    EXPECT_EQ(pixelAt(splash.canvas().image(), 300, 300), Rgb{qRgb(0, 255, 0)});
}

INSTANTIATE_TEST_SUITE_P(Pictures, SplashWithoutPicture,
                         testing::Values("missing", "broken", "folder"));

TEST_F(SplashTest, CentresOnTheMeasuredScreenTruncatingTowardZero) {
    writeSpecPicture("mT_Splh.xji", patterned(QSize(601, 349), 10));
    // A screen narrower than the picture puts it at a negative place, halves cut toward 0.
    const CDisplay small(QSize(600, 500));
    TFormSplashScreen splash(small);
    EXPECT_EQ(splash.pos(), QPoint(0, 75));
    const CDisplay odd(QSize(1000, 700));
    TFormSplashScreen second(odd);
    EXPECT_EQ(second.pos(), QPoint(199, 175));
}

} // namespace
