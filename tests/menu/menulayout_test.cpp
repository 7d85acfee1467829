#include "menulayout.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <ostream>
#include <string>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& p, std::ostream* os) {
    *os << "(" << p.x() << ", " << p.y() << ")";
}
QT_END_NAMESPACE

namespace {

// Positions worked out by hand from the menu's layout table, for a small play area shifted
// to (50, 40) and for a big one at the screen's corner.
const MenuLayout Small(50, 40, 800, 600, true);
const MenuLayout Big(0, 0, 1024, 768, false);

struct PlaceRow {
    std::string what;
    QPoint small;
    QPoint big;
    QPoint (*get)(const MenuLayout&);
};

class MenuLayoutPlaces : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(MenuLayoutPlaces, MatchesTheTableInBothVariants) {
    const PlaceRow& row = GetParam();
    EXPECT_EQ(row.get(Small), row.small);
    EXPECT_EQ(row.get(Big), row.big);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MenuLayoutPlaces,
    ::testing::Values(
        PlaceRow{"strip", {601, 114}, {705, 95}, [](const MenuLayout& l) { return l.TabStrip(); }},
        // H - H/7: 600 - 85, 768 - 109
        PlaceRow{"about", {295, 555}, {357, 659}, [](const MenuLayout& l) { return l.About(); }},
        PlaceRow{
            "progress", {195, 555}, {257, 659}, [](const MenuLayout& l) { return l.Progress(); }},
        PlaceRow{"exit", {395, 555}, {457, 659}, [](const MenuLayout& l) { return l.Exit(); }},
        PlaceRow{"start", {485, 555}, {547, 659}, [](const MenuLayout& l) { return l.Start(); }},
        // H*10/14: 428 (small), 548 (big, not 10 * (H/14) = 540)
        PlaceRow{"play", {355, 468}, {417, 548}, [](const MenuLayout& l) { return l.RecPlay(); }},
        PlaceRow{"rstop", {395, 468}, {457, 548}, [](const MenuLayout& l) { return l.RecStop(); }},
        PlaceRow{"rrec", {435, 468}, {497, 548}, [](const MenuLayout& l) { return l.RecRecord(); }},
        // (H/70)*22: 8*22 = 176 (small), 10*22 = 220 (big)
        PlaceRow{"up", {290, 184}, {240, 188}, [](const MenuLayout& l) { return l.ScrollUp(); }},
        PlaceRow{
            "down", {290, 472}, {240, 476}, [](const MenuLayout& l) { return l.ScrollDown(); }},
        PlaceRow{"malo", {210, 240}, {204, 256}, [](const MenuLayout& l) { return l.Level(0); }},
        PlaceRow{"srednio", {343, 240}, {374, 256}, [](const MenuLayout& l) { return l.Level(1); }},
        PlaceRow{"duzo", {476, 240}, {545, 256}, [](const MenuLayout& l) { return l.Level(2); }},
        PlaceRow{"SZ", {216, 340}, {213, 384}, [](const MenuLayout& l) { return l.Sound(0); }},
        PlaceRow{"ZZ", {316, 340}, {341, 384}, [](const MenuLayout& l) { return l.Sound(1); }},
        PlaceRow{"CZ", {416, 340}, {469, 384}, [](const MenuLayout& l) { return l.Sound(2); }},
        PlaceRow{"DZZ", {516, 340}, {597, 384}, [](const MenuLayout& l) { return l.Sound(3); }},
        PlaceRow{
            "naglos", {210, 440}, {204, 512}, [](const MenuLayout& l) { return l.Position(0); }},
        PlaceRow{
            "srodglos", {343, 440}, {374, 512}, [](const MenuLayout& l) { return l.Position(1); }},
        PlaceRow{
            "wyglos", {476, 440}, {545, 512}, [](const MenuLayout& l) { return l.Position(2); }},
        // Captions end at the middle; +5 in the small variant only. Widths 100 and 120.
        PlaceRow{"tasks",
                 {355, 190},
                 {412, 192},
                 [](const MenuLayout& l) { return l.TasksCaption(100); }},
        PlaceRow{"sounds",
                 {355, 303},
                 {412, 336},
                 [](const MenuLayout& l) { return l.SoundsCaption(100); }},
        PlaceRow{"position",
                 {335, 400},
                 {392, 460},
                 [](const MenuLayout& l) { return l.PositionCaption(120); }}),
    [](const ::testing::TestParamInfo<PlaceRow>& info) { return info.param.what; });

struct BandRow {
    int y;
    int small;
    int big;
};

class MenuLayoutBands : public ::testing::TestWithParam<BandRow> {};

TEST_P(MenuLayoutBands, MapsThePressToTheTabOrToNone) {
    const BandRow& row = GetParam();
    EXPECT_EQ(Small.TabAt(row.y), row.small) << "small, y " << row.y;
    EXPECT_EQ(Big.TabAt(row.y), row.big) << "big, y " << row.y;
}

// Both edges of every band are inside it; the gaps between bands belong to no tab.
INSTANTIATE_TEST_SUITE_P(
    Edges, MenuLayoutBands,
    ::testing::Values(BandRow{-1, 0, 0}, BandRow{5, 0, 0}, BandRow{6, 1, 0}, BandRow{11, 1, 0},
                      BandRow{12, 1, 1}, BandRow{105, 1, 1}, BandRow{106, 0, 1}, BandRow{110, 2, 1},
                      BandRow{140, 2, 1}, BandRow{145, 2, 0}, BandRow{150, 2, 2},
                      BandRow{190, 2, 2}, BandRow{195, 0, 2}, BandRow{200, 3, 2},
                      BandRow{255, 3, 0}, BandRow{260, 3, 3}, BandRow{270, 3, 3},
                      BandRow{275, 0, 3}, BandRow{280, 4, 3}, BandRow{345, 4, 3},
                      BandRow{350, 0, 3}, BandRow{355, 0, 0}, BandRow{360, 5, 4},
                      BandRow{435, 5, 4}, BandRow{436, 0, 4}, BandRow{455, 0, 0},
                      BandRow{460, 0, 5}, BandRow{570, 0, 5}, BandRow{571, 0, 0}));

} // namespace
