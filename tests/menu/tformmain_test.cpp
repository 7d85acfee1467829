#include "menufixture.h"

#include "cblad.h"
#include "ccheckbut.h"
#include "cnagdata.h"
#include "cnagrywanie.h"
#include "cobiektgraficzny.h"
#include "cprzyciskp.h"
#include "cscrollbar.h"
#include "cslowa.h"
#include "form.h"
#include "hitarea.h"
#include "randomgenerator.h"
#include "settingsstore.h"
#include "tformmain.h"

#include <QLabel>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A game window that counts its modal shows and closes itself at once.
class FakeGame : public Form {
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent* event) override {
        Form::showEvent(event);
        ++shows;
        QTimer::singleShot(0, this, [this] { close(); });
    }
};

struct Counts {
    std::uint16_t positions;
    std::uint16_t sounds;
    int count;
};

class TFormMainTest : public MenuWindowTest {
protected:
    void SetUp() override {
        MenuWindowTest::SetUp();
        m_settings = std::make_unique<SettingsStore>(path("Data/data.ini"));
        ASSERT_TRUE(m_settings->LoadAll());
    }
    void TearDown() override {
        m_main.reset();
        MenuWindowTest::TearDown();
    }

    TFormMain& makeMain() {
        m_display = std::make_unique<CDisplay>(display());
        m_main = std::make_unique<TFormMain>(
            *m_display, *m_settings, m_catalogue, [this](int code) { notices.push_back(code); },
            m_recorder);
        for (int tab = 1; tab <= 4; ++tab)
            m_main->SetGameWindow(tab, &games[tab - 1]);
        return *m_main;
    }
    SettingsStore& settings() { return *m_settings; }
    // Closes the window and saves, then starts afresh from data.ini as a new run would.
    void restart() {
        m_main.reset();
        m_settings = std::make_unique<SettingsStore>(path("Data/data.ini"));
        ASSERT_TRUE(m_settings->LoadAll());
    }

    static void click(HitArea& control) {
        QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
    }
    // A real press on the tab strip, y from its top.
    void pressTab(int y) { QTest::mousePress(&m_main->TabStrip(), Qt::LeftButton, {}, {10, y}); }

    // Matching words for each choice of positions and sound groups, with or without the
    // contrast sounds.
    std::vector<Counts> catalogueCounts(bool partners) {
        std::vector<Counts> all;
        for (std::uint16_t pos = 1; pos <= 7; ++pos)
            for (std::uint16_t groups = 1; groups <= 15; ++groups) {
                const std::uint16_t p = static_cast<std::uint16_t>(pos << 12);
                const std::uint16_t s =
                    partners ? static_cast<std::uint16_t>(groups | groups << 4) : groups;
                m_catalogue.Filter(p, s);
                all.push_back({p, groups, m_catalogue.CandidateCount()});
            }
        return all;
    }

    std::vector<int> notices;
    FakeGame games[4];

private:
    RandomGenerator m_random;
    CSlowa m_catalogue{m_random};
    CNagrywanie m_recorder{{}, {}};
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<CDisplay> m_display;
    std::unique_ptr<TFormMain> m_main;
};

TEST_P(TFormMainTest, CoversTheScreenWithEveryControlAtItsPlace) {
    TFormMain& main = makeMain();
    const CDisplay d = display();
    EXPECT_EQ(main.geometry(), QRect(0, 0, d.ScreenWidth, d.ScreenHeight));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Wiklotek Cz.I"));
    const MenuLayout& l = main.Layout();
    const auto at = [](CPrzyciskP& b) { return QPoint(b.Left(), b.Top()); };
    EXPECT_EQ(at(main.AboutButton()), l.About());
    EXPECT_EQ(at(main.ExitButton()), l.Exit());
    EXPECT_EQ(at(main.StartButton()), l.Start());
    EXPECT_EQ(at(main.RecordButton()), l.RecRecord());
    EXPECT_EQ(at(main.PlayButton()), l.RecPlay());
    EXPECT_EQ(at(main.RecStopButton()), l.RecStop());
    // The recordings list moves the scroll buttons beside its rows, the thumb's track between
    // them, and the column captions above the names and the dates.
    const CNagData::MenuLayout list = CNagData::Menu(d);
    EXPECT_EQ(at(main.UpButton()), QPoint(list.buttonsX, l.ScrollUp().y()));
    EXPECT_EQ(at(main.DownButton()), QPoint(list.buttonsX, l.ScrollDown().y()));
    EXPECT_EQ(QPoint(main.ScrollBar().X(), main.ScrollBar().Y()),
              QPoint(list.buttonsX + 4, l.ScrollUp().y() + 30));
    EXPECT_EQ(main.NameColumnLabel().pos(), list.nazwisko);
    EXPECT_EQ(main.DateColumnLabel().pos(), list.data);
    EXPECT_EQ(main.NameColumnLabel().text(), QStringLiteral("Imię i Nazwisko"));
    EXPECT_EQ(main.DateColumnLabel().text(), QStringLiteral("Data"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(main.LevelButton(i).control().pos(), l.Level(i)) << i;
        EXPECT_EQ(main.PositionButton(i).control().pos(), l.Position(i)) << i;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(main.SoundButton(i).control().pos(), l.Sound(i)) << i;
    EXPECT_EQ(main.TabStrip().geometry(),
              QRect(l.TabStrip(), d.IsSmall() ? QSize(240, 440) : QSize(310, 575)));

    // Captions end at the middle of the play area; the fixture's sounds caption is 150 or
    // 190 wide, the position caption 210 or 270.
    const int middle = d.OffsetX + d.DesignWidth / 2 + (d.IsSmall() ? 5 : 0);
    const int wg = d.IsSmall() ? 150 : 190;
    const int wp = d.IsSmall() ? 210 : 270;
    EXPECT_EQ(main.TasksCaption().X(), middle - wg);
    EXPECT_EQ(main.SoundsCaption().X(), middle - wg);
    EXPECT_EQ(main.PositionCaption().X(), middle - wp);
    EXPECT_EQ(main.TasksCaption().Y(), d.OffsetY + d.DesignHeight / 4);
    EXPECT_EQ(main.SoundsCaption().Y(), d.OffsetY + d.DesignHeight / 2 - d.DesignHeight / 16);
    EXPECT_EQ(main.PositionCaption().Y(), d.OffsetY + d.DesignHeight / 2 + d.DesignHeight / 10);
}

TEST_P(TFormMainTest, ShowsTheMenuPictureCentredOnBlack) {
    TFormMain& main = makeMain();
    show(main);
    const CDisplay d = display();
    const QImage front = main.canvas().image();
    EXPECT_EQ(front.pixel(d.OffsetX + 5, d.OffsetY + 5) & 0xFFFFFF, 0xFFFFFFu);
    if (d.OffsetX > 0) {
        EXPECT_EQ(front.pixel(d.OffsetX - 1, d.OffsetY + 5) & 0xFFFFFF, 0u);
    }
    // The current tab's picture fills the strip; the start button shows its normal picture.
    const QPoint strip = main.Layout().TabStrip();
    EXPECT_EQ(front.pixel(strip + QPoint(100, 100)) & 0xFFFFFF, qRgb(40, 90, 200) & 0xFFFFFF);
    const QPoint start = main.Layout().Start() + QPoint(30, 30);
    EXPECT_EQ(front.pixel(start) & 0xFFFFFF, 0xC80000u);
}

TEST_P(TFormMainTest, TabPressesFollowTheBandsAndAnyPressOutsideChangesNothing) {
    TFormMain& main = makeMain();
    show(main);
    const bool small = display().IsSmall();
    // Inside the bands of Memory, falling, labelling; then a gap.
    pressTab(small ? 150 : 200);
    EXPECT_EQ(main.CurrentTab(), 2);
    EXPECT_EQ(settings().previousTab, 1);
    pressTab(small ? 345 : 450);
    EXPECT_EQ(main.CurrentTab(), 4);
    pressTab(small ? 6 : 12);
    EXPECT_EQ(main.CurrentTab(), 1);
    pressTab(small ? 107 : 145);
    EXPECT_EQ(main.CurrentTab(), 1);
    EXPECT_EQ(settings().previousTab, 1);
    // The tab's picture is drawn into the strip.
    pressTab(small ? 230 : 300);
    EXPECT_EQ(main.CurrentTab(), 3);
    const QPoint inside = main.Layout().TabStrip() + QPoint(100, 100);
    EXPECT_EQ(main.canvas().image().pixel(inside) & 0xFFFFFF, qRgb(120, 90, 200) & 0xFFFFFF);
}

TEST_P(TFormMainTest, RecordingsTabHidesTheGameControlsAndStart) {
    TFormMain& main = makeMain();
    show(main);
    const CDisplay d = display();
    main.SoundButton(0).SetOn(1);
    pressTab(d.IsSmall() ? 400 : 500);
    ASSERT_EQ(main.CurrentTab(), 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(main.SoundButton(i).IsVisible()) << i;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(main.LevelButton(i).IsVisible()) << i;
        EXPECT_FALSE(main.PositionButton(i).IsVisible()) << i;
    }
    EXPECT_FALSE(main.StartButton().IsVisible());
    EXPECT_TRUE(main.RecordButton().IsVisible());
    EXPECT_TRUE(main.PlayButton().IsVisible());
    EXPECT_FALSE(main.RecStopButton().IsVisible());
    // What the check buttons and captions drew is gone: the menu picture is back.
    const QImage front = main.canvas().image();
    const QPoint sz = main.Layout().Sound(0) + QPoint(10, 10);
    EXPECT_EQ(front.pixel(sz) & 0xFFFFFF, 0xFFFFFFu);
    const QPoint caption(main.SoundsCaption().X() + 5, main.SoundsCaption().Y() + 5);
    EXPECT_EQ(front.pixel(caption) & 0xFFFFFF, 0xFFFFFFu);

    // Back on a game tab everything returns, with that tab's settings.
    settings().memory.gloski = 0x0004;
    pressTab(d.IsSmall() ? 150 : 200);
    EXPECT_TRUE(main.StartButton().IsVisible());
    EXPECT_FALSE(main.RecordButton().IsVisible());
    EXPECT_EQ(main.SoundButton(2).IsOn(), 1);
    EXPECT_EQ(main.SoundButton(0).IsOn(), 0);
    EXPECT_EQ(main.canvas().image().pixel(main.Layout().Sound(2) + QPoint(10, 10)) & 0xFFFFFF,
              0xFF8000u);
}

TEST_P(TFormMainTest, RecordingButtonsAskForALineWhileNoneCanBeChosen) {
    TFormMain& main = makeMain();
    show(main);
    pressTab(display().IsSmall() ? 400 : 500);
    click(main.RecordButton().control());
    click(main.PlayButton().control());
    EXPECT_EQ(notices, (std::vector<int>{10, 20}));
}

TEST_P(TFormMainTest, TabStripIgnoresPressesWhileBusy) {
    TFormMain& main = makeMain();
    show(main);
    pressTab(display().IsSmall() ? 400 : 500);
    main.EnterBusyState();
    pressTab(display().IsSmall() ? 150 : 200);
    EXPECT_EQ(main.CurrentTab(), 5);
    EXPECT_TRUE(main.RecStopButton().IsVisible());
    EXPECT_FALSE(main.AboutButton().IsReady());
    EXPECT_FALSE(main.ExitButton().IsReady());
    click(main.RecStopButton().control());
    EXPECT_FALSE(main.IsBusy());
    EXPECT_TRUE(main.ExitButton().IsReady());
    EXPECT_FALSE(main.RecStopButton().IsVisible());
    pressTab(display().IsSmall() ? 150 : 200);
    EXPECT_EQ(main.CurrentTab(), 2);
}

struct Expected {
    std::int16_t poziom;
    std::uint16_t pozycja;
    std::uint16_t gloski;
};

// Each check button once, on each game tab: exactly the shown tab's record changes.
TEST_P(TFormMainTest, CheckButtonClicksChangeOnlyTheCurrentTabsRecord) {
    TFormMain& main = makeMain();
    show(main);
    const bool small = display().IsSmall();
    const int tabY[] = {small ? 50 : 50, small ? 150 : 200, small ? 230 : 300, small ? 300 : 400};
    struct Row {
        const char* what;
        std::function<CCheckBut&(TFormMain&)> button;
        Expected after;
    };
    const Row rows[] = {
        {"SZ", [](TFormMain& m) -> CCheckBut& { return m.SoundButton(0); }, {2, 0, 0x0001}},
        {"ZZ", [](TFormMain& m) -> CCheckBut& { return m.SoundButton(1); }, {2, 0, 0x0002}},
        {"CZ", [](TFormMain& m) -> CCheckBut& { return m.SoundButton(2); }, {2, 0, 0x0004}},
        {"DZZ", [](TFormMain& m) -> CCheckBut& { return m.SoundButton(3); }, {2, 0, 0x0008}},
        {"naglos", [](TFormMain& m) -> CCheckBut& { return m.PositionButton(0); }, {2, 0x1000, 0}},
        {"srodglos",
         [](TFormMain& m) -> CCheckBut& { return m.PositionButton(1); },
         {2, 0x2000, 0}},
        {"wyglos", [](TFormMain& m) -> CCheckBut& { return m.PositionButton(2); }, {2, 0x4000, 0}},
        {"malo", [](TFormMain& m) -> CCheckBut& { return m.LevelButton(0); }, {1, 0, 0}},
        {"duzo", [](TFormMain& m) -> CCheckBut& { return m.LevelButton(2); }, {3, 0, 0}},
    };
    CUstGry* records[] = {&settings().labelling, &settings().memory, &settings().completing,
                          &settings().falling};
    for (int tab = 1; tab <= 4; ++tab) {
        pressTab(tabY[tab - 1]);
        ASSERT_EQ(main.CurrentTab(), tab);
        for (const Row& row : rows) {
            for (CUstGry* r : records) {
                r->poziom = 2;
                r->pozycja = 0;
                r->gloski = 0;
            }
            main.A_Zakladka();
            click(row.button(main).control());
            for (int other = 1; other <= 4; ++other) {
                const CUstGry& r = *records[other - 1];
                const Expected want = other == tab ? row.after : Expected{2, 0, 0};
                EXPECT_EQ(r.poziom, want.poziom) << row.what << " tab " << tab << " rec " << other;
                EXPECT_EQ(r.pozycja, want.pozycja) << row.what << " tab " << tab;
                EXPECT_EQ(r.gloski, want.gloski) << row.what << " tab " << tab;
            }
            EXPECT_EQ(row.button(main).IsOn(), 1) << row.what;
        }
    }
    // Task counts are exclusive; sounds and positions toggle back.
    main.A_Malo();
    EXPECT_EQ(main.LevelButton(0).IsOn(), 1);
    EXPECT_EQ(main.LevelButton(2).IsOn(), 0);
    click(main.SoundButton(1).control());
    click(main.SoundButton(1).control());
    EXPECT_EQ(settings().falling.gloski, 0);
    EXPECT_EQ(main.SoundButton(1).IsOn(), 0);
}

TEST_P(TFormMainTest, StartRefusesWithoutSoundsOrPositionsOnEveryGameTab) {
    TFormMain& main = makeMain();
    for (int tab = 1; tab <= 4; ++tab) {
        settings().currentTab = static_cast<std::int16_t>(tab);
        CUstGry& record = main.CurrentSettings();
        record.poziom = 1;
        record.gloski = 0x000F;
        record.pozycja = 0;
        main.A_Start();
        record.gloski = 0;
        record.pozycja = 0x7000;
        main.A_Start();
        EXPECT_EQ(games[tab - 1].shows, 0) << tab;
    }
    EXPECT_EQ(notices, std::vector<int>(8, 3));
}

TEST_P(TFormMainTest, StartOpensTheGameWithEnoughMaterialAndMasksTheRecord) {
    TFormMain& main = makeMain();
    for (int tab = 1; tab <= 4; ++tab) {
        settings().currentTab = static_cast<std::int16_t>(tab);
        CUstGry& record = main.CurrentSettings();
        record.poziom = 3;
        record.gloski = 0xF00F;
        record.pozycja = 0xF000;
        main.A_Start();
        EXPECT_EQ(games[tab - 1].shows, 1) << tab;
        EXPECT_EQ(record.gloski, 0x000F) << tab;
        EXPECT_EQ(record.pozycja, 0x7000) << tab;
    }
    EXPECT_TRUE(notices.empty());
    // The recordings tab starts nothing.
    settings().currentTab = 5;
    main.A_Start();
    EXPECT_TRUE(notices.empty());
}

// Memory needs 4 words a task, the others 5: a choice that holds 8 to 11 words runs Memory
// at średnio but not at dużo, and one with 10 to 14 does the same for labelling.
TEST_P(TFormMainTest, StartCountsFourOrFiveWordsPerTask) {
    TFormMain& main = makeMain();
    const std::vector<Counts> counts = catalogueCounts(false);
    const auto find = [&](int low, int high) {
        for (const Counts& c : counts)
            if (c.count >= low && c.count <= high)
                return c;
        return Counts{0, 0, -1};
    };
    struct Row {
        int tab;
        Counts choice;
    };
    const Row rows[] = {{2, find(8, 11)}, {1, find(10, 14)}, {4, find(10, 14)}};
    for (const Row& row : rows) {
        ASSERT_GE(row.choice.count, 0) << "no choice with a fitting count for tab " << row.tab;
        settings().currentTab = static_cast<std::int16_t>(row.tab);
        CUstGry& record = main.CurrentSettings();
        record.pozycja = row.choice.positions;
        record.gloski = row.choice.sounds;
        record.poziom = 3;
        notices.clear();
        main.A_Start();
        EXPECT_EQ(notices, std::vector<int>{3}) << row.tab << ": " << row.choice.count;
        EXPECT_EQ(games[row.tab - 1].shows, 0);
        record.poziom = 2;
        notices.clear();
        main.A_Start();
        EXPECT_TRUE(notices.empty()) << row.tab << ": " << row.choice.count;
        EXPECT_EQ(games[row.tab - 1].shows, 1);
    }
}

// The completing game offers each sound beside its contrast, so those words count too.
TEST_P(TFormMainTest, CompletingCheckCountsTheContrastSounds) {
    TFormMain& main = makeMain();
    const std::vector<Counts> plain = catalogueCounts(false);
    const std::vector<Counts> withPartners = catalogueCounts(true);
    int found = -1;
    std::int16_t level = 0;
    for (size_t i = 0; i < plain.size() && found < 0; ++i)
        for (std::int16_t p = 1; p <= 3 && found < 0; ++p)
            if (plain[i].count < 5 * p && withPartners[i].count >= 5 * p) {
                found = static_cast<int>(i);
                level = p;
            }
    ASSERT_GE(found, 0);
    for (int tab : {1, 3}) {
        settings().currentTab = static_cast<std::int16_t>(tab);
        CUstGry& record = main.CurrentSettings();
        record.pozycja = plain[found].positions;
        record.gloski = plain[found].sounds;
        record.poziom = level;
        main.A_Start();
    }
    EXPECT_EQ(games[0].shows, 0);
    EXPECT_EQ(games[2].shows, 1);
    EXPECT_EQ(notices, std::vector<int>{3});
    // Only the group bits are stored: the working copy's contrast bits never reach the record.
    EXPECT_EQ(settings().completing.gloski, plain[found].sounds);
}

TEST_P(TFormMainTest, ChoicesSurviveARestartButTheRecordingsTabDoesNot) {
    {
        TFormMain& main = makeMain();
        show(main);
        const bool small = display().IsSmall();
        pressTab(small ? 150 : 200);
        click(main.SoundButton(3).control());
        click(main.PositionButton(1).control());
        click(main.LevelButton(0).control());
        pressTab(small ? 300 : 400);
        click(main.LevelButton(2).control());
    }
    restart();
    EXPECT_EQ(settings().currentTab, 4);
    EXPECT_EQ(settings().memory.gloski, 0x0008);
    EXPECT_EQ(settings().memory.pozycja, 0x2000);
    EXPECT_EQ(settings().memory.poziom, 1);
    EXPECT_EQ(settings().falling.poziom, 3);
    EXPECT_EQ(settings().labelling.poziom, 2);
    {
        TFormMain& main = makeMain();
        EXPECT_EQ(main.LevelButton(2).IsOn(), 1);
        EXPECT_EQ(main.LevelButton(1).IsOn(), 0);
        show(main);
        pressTab(display().IsSmall() ? 400 : 500);
        EXPECT_EQ(main.CurrentTab(), 5);
    }
    restart();
    EXPECT_EQ(settings().currentTab, 1);
}

TEST_P(TFormMainTest, EscapeAndExitCloseTheWindow) {
    TFormMain& main = makeMain();
    show(main);
    QTest::keyClick(&main, Qt::Key_Escape);
    EXPECT_FALSE(main.isVisible());
    show(main);
    click(main.ExitButton().control());
    EXPECT_FALSE(main.isVisible());
}

TEST_P(TFormMainTest, FirstShowHandsOverAfterTwoSecondsOnce) {
    TFormMain& main = makeMain();
    int calls = 0;
    main.SetOnFirstShown([&calls] { ++calls; });
    show(main);
    EXPECT_EQ(calls, 0);
    QTest::qWait(2300);
    EXPECT_EQ(calls, 1);
    main.hide();
    show(main);
    QTest::qWait(2300);
    EXPECT_EQ(calls, 1);
}

TEST_P(TFormMainTest, AboutButtonShowsTheAboutWindow) {
    TFormMain& main = makeMain();
    FakeGame about;
    main.SetAboutWindow(&about);
    show(main);
    click(main.AboutButton().control());
    EXPECT_EQ(about.shows, 1);
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormMainTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768), QSize(1280, 1024),
                                           QSize(900, 700)),
                         screenName);

// Each kind of picture the window reads: error 1 when it is missing.
class TFormMainMissingPicture : public TFormMainTest {};

TEST_P(TFormMainMissingPicture, RaisesErrorOne) {
    const char* const files[] = {"Data/Intf/Spec/mT_m0_b.xji",      "Data/Intf/Spec/mT_m3_b.xbi",
                                 "Data/Intf/Lib/nap_pozycja_b.png", "Data/Intf/Lib/b_CZ_A.png",
                                 "Data/Intf/Lib/rstop_M.png",       "Data/Intf/Lib/down_D.png"};
    for (const char* file : files) {
        const QString copy = path("saved");
        ASSERT_TRUE(QFile::copy(path(file), copy));
        removeFile(file);
        try {
            makeMain();
            ADD_FAILURE() << "no error without " << file;
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1) << file;
        }
        ASSERT_TRUE(QFile::rename(copy, path(file)));
    }
}

INSTANTIATE_TEST_SUITE_P(Big, TFormMainMissingPicture, ::testing::Values(QSize(1024, 768)),
                         screenName);

} // namespace
