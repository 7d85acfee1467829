#include "displaycheck.h"

#include <gtest/gtest.h>

namespace {

struct DisplayCase {
    const char* name;
    const char* platformOption;
    const char* platformVariable;
    const char* sessionType;
    const char* xDisplay;
    bool xAnswers;
    const char* waylandSocket; // the one socket that exists; "" for none
    bool pluginsInstalled;
    const char* problemHas; // "" when a window can be shown
};

class DisplayChecks : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayChecks, AWindowSystemThatCanShowTheProgramOrWhyNot) {
    const DisplayCase& c = GetParam();
    DisplayCheck::Inputs inputs;
    inputs.platformOption = QString::fromUtf8(c.platformOption);
    inputs.platformVariable = QString::fromUtf8(c.platformVariable);
    inputs.sessionType = QString::fromUtf8(c.sessionType);
    inputs.xDisplay = QString::fromUtf8(c.xDisplay);
    inputs.runtimeFolder = QStringLiteral("/run/user/1000");
    int xAsked = 0;
    inputs.xServerAnswers = [&] {
        ++xAsked;
        return c.xAnswers;
    };
    inputs.socketExists = [&](const QString& path) {
        return path == QString::fromUtf8(c.waylandSocket);
    };
    inputs.pluginExists = [&](const QString&) { return c.pluginsInstalled; };
    const QString problem = DisplayCheck::Problem(inputs);
    if (*c.problemHas == '\0') {
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    } else {
        EXPECT_TRUE(problem.startsWith(QStringLiteral("brak ekranu: "))) << problem.toStdString();
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problemHas))) << problem.toStdString();
        EXPECT_FALSE(problem.contains(u'\n'));
    }
    // The X server is asked at most once, and only when X is tried with a display named.
    EXPECT_LE(xAsked, 1);
}

constexpr const char* wayland0 = "/run/user/1000/wayland-0";

INSTANTIATE_TEST_SUITE_P(
    Environments, DisplayChecks,
    testing::Values(
        DisplayCase{"XServerAnswers", "", "", "", ":0", true, "", true, ""},
        DisplayCase{"NoDisplayVariable", "", "", "", "", true, "", true, "DISPLAY"},
        DisplayCase{"XServerGone", "", "", "x11", ":99", false, "", true, "\":99\""},
        DisplayCase{"OffscreenWithOptions", "", "offscreen:configfile=/x.json", "", "", false, "",
                    true, ""},
        DisplayCase{"UnknownPlugin", "", "nosuch", "", ":0", true, "", false, "\"nosuch\""},
        DisplayCase{"OptionBeforeVariable", "offscreen", "xcb", "", "", false, "", true, ""},
        DisplayCase{"WaylandSessionWithCompositor", "", "", "wayland", "", false, wayland0, true,
                    ""},
        DisplayCase{"WaylandSessionFallsBackToX", "", "", "wayland", ":0", true, "", true, ""},
        DisplayCase{"WaylandSessionWithNeither", "", "", "wayland", "", false, "", true, "Wayland"},
        DisplayCase{"FallbackListSecondWorks", "", "wayland;offscreen", "", "", false, "", true,
                    ""},
        DisplayCase{"EmptyList", "", ";", "", ":0", true, "", true, "nie wybrano"}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return info.param.name; });

} // namespace
