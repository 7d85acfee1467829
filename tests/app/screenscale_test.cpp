// How much a large screen enlarges the program, and when it is asked not to.
#include "cdisplay.h"
#include "screenscale.h"

#include <QRect>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct ScreenCase {
    QSize screen;
    double factor;
};

// Up to 1024 x 768 in either direction nothing changes; above, 1024 x 768 just fills it.
TEST(ScreenScaleTest, LargeScreensAreFilledByTheBigVariant) {
    const ScreenCase cases[] = {
        {{800, 600}, 1.0},       {{1024, 768}, 1.0},     {{1000, 700}, 1.0},
        {{1280, 720}, 1.0},      {{1366, 768}, 1.0},     {{1024, 1200}, 1.0},
        {{1920, 1080}, 1.40625}, {{2560, 1440}, 1.875},  {{1280, 1024}, 1.25},
        {{3840, 2160}, 2.8125},  {{1600, 1200}, 1.5625}, {{0, 0}, 1.0},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width() << "x" << c.screen.height());
        EXPECT_DOUBLE_EQ(ScreenScale::FactorFor(c.screen), c.factor);
    }
}

// The program then sees the enlarged screen rounded to whole pixels, picks the big variant
// there and centres its play area: on the real screen that area is the largest 4:3 one,
// centred to within a pixel.
TEST(ScreenScaleTest, EnlargedPlayAreaIsTheLargestFourToThreeAreaCentred) {
    for (const QSize screen : {QSize(1920, 1080), QSize(2560, 1440), QSize(1280, 1024),
                               QSize(1680, 1050), QSize(3840, 2160), QSize(1920, 1200)}) {
        SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height());
        const double f = ScreenScale::FactorFor(screen);
        const QSize logical(static_cast<int>(std::lround(screen.width() / f)),
                            static_cast<int>(std::lround(screen.height() / f)));
        const CDisplay display(logical);
        EXPECT_EQ(display.ScreenVariant, CDisplay::Big);
        const double width = std::min(screen.width(), screen.height() * 4 / 3);
        const double height = width * 3 / 4;
        EXPECT_NEAR(display.DesignWidth * f, width, 1.0);
        EXPECT_NEAR(display.DesignHeight * f, height, 1.0);
        EXPECT_NEAR(display.OffsetX * f, (screen.width() - width) / 2, f + 0.5);
        EXPECT_NEAR(display.OffsetY * f, (screen.height() - height) / 2, f + 0.5);
    }
}

TEST(ScreenScaleTest, OptionOrVariableKeepsTheUnscaledLook) {
    struct Case {
        QStringList arguments;
        const char* variable; // null: not set
        bool wanted;
    };
    const Case cases[] = {
        {{"wiklotek"}, nullptr, true},
        {{"wiklotek", "--no-scale"}, nullptr, false},
        {{"wiklotek", "z", "--no-scale"}, nullptr, false},
        {{"--no-scale"}, nullptr, true}, // the program's own name is no option
        {{"wiklotek", "--no-scaling"}, nullptr, true},
        {{"wiklotek", "--", "--no-scale"}, nullptr, true},
        {{"wiklotek"}, "1", false},
        {{"wiklotek"}, "yes", false},
        {{"wiklotek"}, "0", true},
        {{"wiklotek"}, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.join(' ').toStdString() << " / "
                                        << (c.variable ? c.variable : "unset"));
        if (c.variable)
            qputenv(ScreenScale::NoScaleVariable, c.variable);
        else
            qunsetenv(ScreenScale::NoScaleVariable);
        EXPECT_EQ(ScreenScale::IsWanted(c.arguments), c.wanted);
    }
    qunsetenv(ScreenScale::NoScaleVariable);
}

// The screen is asked of the X server itself only when the toolkit will run on X, and of the
// display the toolkit will use.
TEST(ScreenScaleTest, XIsAskedWhenTheToolkitRunsOnX) {
    struct Case {
        QStringList arguments;
        const char* platform; // QT_QPA_PLATFORM; null: not set
        const char* session;  // XDG_SESSION_TYPE; null: not set
        bool onX;
        QByteArray display;
    };
    const Case cases[] = {
        {{"wiklotek"}, nullptr, nullptr, true, ""},
        {{"wiklotek"}, nullptr, "x11", true, ""},
        {{"wiklotek"}, nullptr, "wayland", false, ""},
        {{"wiklotek"}, "xcb", "wayland", true, ""},
        {{"wiklotek"}, "offscreen", nullptr, false, ""},
        {{"wiklotek"}, "wayland;xcb", nullptr, false, ""},
        {{"wiklotek", "-platform", "xcb"}, "offscreen", nullptr, true, ""},
        {{"wiklotek", "--platform", "offscreen"}, "xcb", nullptr, false, ""},
        {{"wiklotek", "-platform", "xcb:nograb"}, nullptr, nullptr, true, ""},
        {{"wiklotek", "-display", ":3"}, nullptr, nullptr, true, ":3"},
        {{"wiklotek", "z", "-display", "host:1.0"}, nullptr, nullptr, true, "host:1.0"},
        {{"wiklotek", "-display"}, nullptr, nullptr, true, ""},
        {{"wiklotek", "--", "-display", ":3"}, nullptr, nullptr, true, ""},
    };
    const auto setOrUnset = [](const char* name, const char* value) {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    };
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray session = qgetenv("XDG_SESSION_TYPE");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arguments.join(' ').toStdString() << " / "
                                        << (c.platform ? c.platform : "unset") << " / "
                                        << (c.session ? c.session : "unset"));
        setOrUnset("QT_QPA_PLATFORM", c.platform);
        setOrUnset("XDG_SESSION_TYPE", c.session);
        EXPECT_EQ(ScreenScale::RunsOnX(c.arguments), c.onX);
        EXPECT_EQ(ScreenScale::DisplayName(c.arguments), c.display);
    }
    setOrUnset("QT_QPA_PLATFORM", platform.isNull() ? nullptr : platform.constData());
    setOrUnset("XDG_SESSION_TYPE", session.isNull() ? nullptr : session.constData());
}

} // namespace
