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
#include "inifile.h"
#include "randomgenerator.h"
#include "recordingfile.h"
#include "settingsstore.h"
#include "tformmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

// A game window that counts its modal shows and closes itself at once.
class FakeGame : public Form {
public:
    int shows = 0;
    std::function<void()> onShow;

protected:
    void showEvent(QShowEvent* event) override {
        Form::showEvent(event);
        ++shows;
        if (onShow)
            onShow();
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
        m_main->SetMessageShower([this](const QString& text) { messages.push_back(text); });
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
    QStringList messages;
    FakeGame games[4];
    CNagrywanie& recorder() { return m_recorder; }

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
    EXPECT_EQ(at(main.ProgressButton()), l.Progress());
    EXPECT_EQ(at(main.ExitButton()), l.Exit());
    EXPECT_EQ(at(main.StartButton()), l.Start());
    EXPECT_EQ(at(main.RecordButton()), l.RecRecord());
    EXPECT_EQ(at(main.PlayButton()), l.RecPlay());
    EXPECT_EQ(at(main.RecStopButton()), l.RecStop());
    // The recordings list, once made, moves the scroll buttons beside its rows, the thumb's
    // track between them, and the column captions above the names and the dates.
    main.MakeRecordingsList();
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
    EXPECT_FALSE(main.ProgressButton().IsReady());
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

// A kill or a crash must not lose what was chosen: choices reach data.ini shortly after they
// are made, and are there before a game starts.
TEST_P(TFormMainTest, ChoicesReachTheFileShortlyAfterwardsAndBeforeAGameStarts) {
    TFormMain& main = makeMain();
    show(main);
    const auto stored = [this](const char* section, const char* key) {
        IniFile ini(path("Data/data.ini"));
        EXPECT_TRUE(ini.load());
        return ini.readInteger(section, key, -1);
    };
    const auto settle = [] { QTest::qWait(SettingsStore::SaveDelayMs + 300); };
    const bool small = display().IsSmall();

    click(main.SoundButton(2).control());
    click(main.PositionButton(1).control());
    click(main.LevelButton(2).control());
    settle();
    EXPECT_EQ(stored("Podpisywanie", "Gloski"), 0x0004);
    EXPECT_EQ(stored("Podpisywanie", "Pozycja"), 0x2000);
    EXPECT_EQ(stored("Podpisywanie", "Poziom"), 3);
    pressTab(small ? 150 : 200);
    settle();
    EXPECT_EQ(stored("DaneProgramu", "Zakladka"), 2);

    // Enough material for Memory, the last choice made just before the start.
    CUstGry& record = main.CurrentSettings();
    record.gloski = 0x000E;
    record.pozycja = 0x7000;
    click(main.SoundButton(0).control());
    int seenGloski = -1;
    games[1].onShow = [&] { seenGloski = stored("Memory", "Gloski"); };
    click(main.StartButton().control());
    EXPECT_EQ(games[1].shows, 1);
    EXPECT_EQ(seenGloski, 0x000F);
    EXPECT_FALSE(settings().SavePending());
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

TEST_P(TFormMainTest, ProgressButtonShowsTheProgressWindow) {
    TFormMain& main = makeMain();
    FakeGame progress;
    main.SetProgressWindow(&progress);
    show(main);
    click(main.ProgressButton().control());
    EXPECT_EQ(progress.shows, 1);
    // It covers none of the other buttons of the bottom row.
    for (CPrzyciskP* other : {&main.AboutButton(), &main.ExitButton(), &main.StartButton()})
        EXPECT_FALSE(main.ProgressButton().DestinationRect().intersects(other->DestinationRect()));
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormMainTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768), QSize(1280, 1024),
                                           QSize(900, 700)),
                         screenName);

// The recordings tab: the list, the notices, recording and playing with the busy state, the
// wheel, and the music rule. The test environment's audio driver is SDL's silent "dummy".
class RecordingsPanelTest : public TFormMainTest {
protected:
    // The dummy driver's microphone gives only digital silence, which the recorder takes for
    // no microphone: SDL's disk driver stands in, giving a tone (and playing into a file).
    void SetUp() override {
        TFormMainTest::SetUp();
        QByteArray tone;
        for (int i = 0; i < 22050 * 120; ++i) {
            const auto v = qint16(6000 * std::sin(2 * M_PI * 440 * i / 22050.0));
            tone.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
        }
        QFile in(path("microphone.raw"));
        ASSERT_TRUE(in.open(QIODevice::WriteOnly));
        in.write(tone);
        in.close();
        m_driver = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(path("microphone.raw")));
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path("speaker.raw")));
    }
    void TearDown() override {
        TFormMainTest::TearDown();
        qputenv("SDL_AUDIODRIVER", m_driver);
        qunsetenv("SDL_DISKAUDIOFILEIN");
        qunsetenv("SDL_DISKAUDIOFILE");
    }
    QByteArray m_driver;

    TFormMain& openPanel() {
        TFormMain& main = makeMain();
        show(main);
        pressTab(display().IsSmall() ? 400 : 500);
        EXPECT_EQ(main.CurrentTab(), 5);
        return main;
    }
    void selectRow(TFormMain& main, int row) {
        if (main.RecordingsList().SelectedRow() != row)
            click(main.RecordingsList().CheckButton(row).control());
        ASSERT_EQ(main.RecordingsList().SelectedRow(), row);
    }
    void typeName(TFormMain& main, int row, const QString& name) {
        QLineEdit& edit = main.RecordingsList().NameEdit(row);
        QTest::mouseClick(&edit, Qt::LeftButton);
        edit.selectAll();
        // Key events carrying the text, as a Polish keyboard sends them (QTest's own typing
        // knows only ASCII).
        for (const QChar ch : name) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(&edit, &press);
        }
        if (name.isEmpty())
            edit.del();
    }
    void wheel(TFormMain& main, int delta) {
        const QPointF at(main.width() / 2.0, main.height() / 2.0);
        QWheelEvent event(at, main.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&main, &event);
    }
    // A recording of the place: its samples in Nagrane and its entry in the catalogue.
    void writeRecording(int place, const QString& name, int samples) {
        ASSERT_TRUE(QDir().mkpath(path("Nagrane")));
        RecordingFile file;
        ASSERT_TRUE(file.Begin(path(QStringLiteral("Nagrane/Nagranie%1.wav").arg(place))));
        const std::vector<short> tone(std::size_t(samples), 4000);
        ASSERT_TRUE(file.Append(tone.data(), tone.size()));
        file.Finish();
        IniFile ini(path("Nagrane/record.xtr"));
        ASSERT_TRUE(ini.load());
        const QString section = QStringLiteral("Nagranie%1").arg(place);
        for (int n = 0; n < 30; ++n)
            ini.writeString(QStringLiteral("Nagranie%1").arg(n), "Nazwa", "");
        ini.writeString(section, "Nazwa", name);
        ini.writeString(section, "Plik", QStringLiteral("Nagranie%1").arg(place));
        ini.writeString(section, "Data", "02-05-2024");
        ASSERT_TRUE(ini.save());
    }
    QString catalogueValue(const QString& section, const char* key) const {
        IniFile ini(path("Nagrane/record.xtr"));
        EXPECT_TRUE(ini.load());
        return ini.readString(section, key, QString());
    }
    static bool noLineHasFocus(TFormMain& main) {
        QWidget* focused = QApplication::focusWidget();
        return focused == nullptr || focused == &main;
    }
    static bool panelIsIdle(TFormMain& main) {
        return !main.IsBusy() && main.RecordButton().IsVisible() && main.PlayButton().IsVisible() &&
               !main.RecStopButton().IsVisible() && main.AboutButton().IsReady() &&
               main.ExitButton().IsReady() && main.UpButton().IsReady() &&
               main.DownButton().IsReady();
    }
};

TEST_P(RecordingsPanelTest, ListAndItsControlsShowOnTheRecordingsTabOnly) {
    TFormMain& main = makeMain();
    show(main);
    auto panelShown = [&main](bool shown) {
        EXPECT_EQ(main.RecordingsList().RowsVisible(), shown);
        EXPECT_EQ(main.RecordingsList().NameEdit(7).isVisible(), shown);
        EXPECT_EQ(main.RecordingsList().CheckButton(0).IsVisible(), shown);
        EXPECT_EQ(main.NameColumnLabel().isVisible(), shown);
        EXPECT_EQ(main.DateColumnLabel().isVisible(), shown);
        EXPECT_EQ(main.UpButton().IsVisible(), shown);
        EXPECT_EQ(main.DownButton().IsVisible(), shown);
        EXPECT_EQ(main.ScrollBar().IsVisible(), shown);
    };
    panelShown(false);
    pressTab(display().IsSmall() ? 400 : 500);
    panelShown(true);
    // Nothing has the keyboard, also once the window is activated (as the first click on the
    // tab strip does): typing must not go into a line nobody chose.
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&main);
    EXPECT_TRUE(noLineHasFocus(main));
    // The first line's check button: no game control lies under it.
    const QPoint check(main.RecordingsList().CheckButton(0).X() + 5,
                       main.RecordingsList().CheckButton(0).Y() + 5);
    EXPECT_EQ(main.canvas().image().pixel(check) & 0xFFFFFF, 0x808080u);
    // A whole repaint keeps the rows' check buttons and the selection.
    selectRow(main, 0);
    main.repaint();
    EXPECT_EQ(main.RecordingsList().SelectedRow(), 0);
    EXPECT_EQ(main.canvas().image().pixel(check) & 0xFFFFFF, 0xFF8000u);

    pressTab(display().IsSmall() ? 150 : 200);
    panelShown(false);
    // The menu picture is back where the check buttons were.
    EXPECT_EQ(main.canvas().image().pixel(check) & 0xFFFFFF, 0xFFFFFFu);
    // Coming back shows every line unselected.
    pressTab(display().IsSmall() ? 400 : 500);
    EXPECT_EQ(main.RecordingsList().SelectedRow(), -1);
}

struct NoticeCase {
    const char* what;
    int row;          // selected row, -1 for none
    const char* name; // typed into the selected row
    bool recorded;    // the place has a recording on disk
    int recordNotice; // notice of "rrec", 0 when it records
    int playNotice;   // notice of "rodtworz", 0 when it plays
};

TEST_P(RecordingsPanelTest, NoticesTellWhatIsMissing) {
    const NoticeCase cases[] = {
        {"no line", -1, "", false, 10, 20},
        {"no line, recorded place", -1, "", true, 10, 20},
        {"empty name", 2, "", false, 11, 21},
        {"blank name", 2, "   ", false, 11, 21},
        {"blank name, recorded place", 0, " ", true, 11, 21},
        {"named, never recorded", 2, "Ala", false, 0, 21},
        {"named and recorded", 0, "Ala", true, 0, 0},
    };
    for (const NoticeCase& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path("Nagrane/record.xtr"));
        QFile::remove(path("Nagrane/Nagranie0.wav"));
        QFile::remove(path("Nagrane/Nagranie2.wav"));
        if (c.recorded)
            writeRecording(0, "Ala", 200);
        for (bool record : {false, true}) { // playing first: recording makes a recording
            TFormMain& main = openPanel();
            if (c.row >= 0) {
                typeName(main, c.row, QString::fromUtf8(c.name));
                selectRow(main, c.row);
            }
            notices.clear();
            click(record ? main.RecordButton().control() : main.PlayButton().control());
            const int want = record ? c.recordNotice : c.playNotice;
            if (want != 0) {
                EXPECT_EQ(notices, std::vector<int>{want}) << (record ? "record" : "play");
                EXPECT_TRUE(panelIsIdle(main));
                EXPECT_TRUE(noLineHasFocus(main));
            } else {
                EXPECT_TRUE(notices.empty()) << (record ? "record" : "play");
                EXPECT_TRUE(main.IsBusy());
                click(main.RecStopButton().control());
                EXPECT_TRUE(panelIsIdle(main));
            }
            // A recording that never happened must not leave a catalogue entry behind.
            if (record && c.recordNotice != 0 && !c.recorded) {
                EXPECT_FALSE(QFile::exists(path("Nagrane/Nagranie2.wav")));
            }
        }
    }
}

TEST_P(RecordingsPanelTest, RecordingStoresTheLineAndIgnoresEverythingButStop) {
    TFormMain& main = openPanel();
    FakeGame about;
    main.SetAboutWindow(&about);
    main.RecordingsList().ScrollDown();
    const QString name = QString::fromUtf8("Żaneta Ćwik = [x]; \"y\"");
    typeName(main, 4, name);
    EXPECT_EQ(main.RecordingsList().SelectedRow(), 4);
    click(main.RecordButton().control());
    ASSERT_TRUE(main.IsBusy());
    EXPECT_TRUE(recorder().IsRecording());
    EXPECT_TRUE(main.RecStopButton().IsVisible());
    EXPECT_FALSE(main.RecordButton().IsVisible());
    EXPECT_FALSE(main.PlayButton().IsVisible());

    // While recording: the tab strip, "oprogramie", the scroll buttons and the wheel do
    // nothing, and repainting the window does not end the recording.
    pressTab(display().IsSmall() ? 150 : 200);
    click(main.AboutButton().control());
    click(main.UpButton().control());
    click(main.DownButton().control());
    wheel(main, 120);
    main.repaint();
    EXPECT_EQ(main.CurrentTab(), 5);
    EXPECT_EQ(about.shows, 0);
    EXPECT_EQ(main.RecordingsList().Top(), 1);
    EXPECT_TRUE(recorder().IsRecording());
    click(main.ExitButton().control());
    EXPECT_TRUE(main.isVisible());

    // The place is named in the catalogue once the first sound is in its file.
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return !catalogueValue("Nagranie5", "Plik").isEmpty(); }, 5000));
    click(main.RecStopButton().control());
    EXPECT_TRUE(panelIsIdle(main));
    EXPECT_FALSE(recorder().IsOpen());
    EXPECT_TRUE(messages.isEmpty());
    // Place 5 (row 4 after one line down) holds the name, the file and today's date.
    EXPECT_EQ(RecordingCatalogue::DecodeName(catalogueValue("Nagranie5", "Nazwa")), name);
    EXPECT_EQ(catalogueValue("Nagranie5", "Plik"), QStringLiteral("Nagranie5"));
    EXPECT_EQ(catalogueValue("Nagranie5", "Data"),
              QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")));
    EXPECT_EQ(main.RecordingsList().DateLabel(4).text(),
              QDate::currentDate().toString(QStringLiteral("dd-MM-yyyy")));
    QFile wav(path("Nagrane/Nagranie5.wav"));
    ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
    EXPECT_EQ(wav.read(4), QByteArray("RIFF"));
    EXPECT_EQ(catalogueValue("Nagranie4", "Plik"), QString());
}

// Without sound devices, or with an empty recording, the panel says why and is ready again;
// nothing is kept of a recording that never was.
TEST_P(RecordingsPanelTest, MissingDevicesAndEmptyRecordingsAreToldAndLeaveNothingBehind) {
    writeRecording(1, "Ola", 0);
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no-such-driver");
    TFormMain& main = openPanel();
    struct Case {
        int row;
        bool record; // else play
        QString message;
    };
    for (const Case& c : {Case{2, true, RecordingsPanel::NoMicrophoneText()},
                          Case{1, false, RecordingsPanel::EmptyRecordingText()}}) {
        SCOPED_TRACE(c.message.toStdString());
        messages.clear();
        if (c.record)
            typeName(main, c.row, QStringLiteral("Ala"));
        selectRow(main, c.row);
        click(c.record ? main.RecordButton().control() : main.PlayButton().control());
        EXPECT_EQ(messages, QStringList{c.message});
        EXPECT_TRUE(panelIsIdle(main));
        EXPECT_TRUE(noLineHasFocus(main));
    }
    qputenv("SDL_AUDIODRIVER", driver);
    EXPECT_EQ(catalogueValue("Nagranie2", "Plik"), QString());
    EXPECT_FALSE(QFile::exists(path("Nagrane/Nagranie2.wav")));
}

TEST_P(RecordingsPanelTest, PlaybackThatEndsByItselfReturnsThePanelToNormal) {
    writeRecording(1, "Ola", 2205); // a tenth of a second
    TFormMain& main = openPanel();
    selectRow(main, 1);
    click(main.PlayButton().control());
    ASSERT_TRUE(main.IsBusy());
    EXPECT_TRUE(recorder().IsPlaying());
    EXPECT_TRUE(QTest::qWaitFor([&main] { return !main.IsBusy(); }, 10000));
    EXPECT_TRUE(panelIsIdle(main));
    EXPECT_FALSE(recorder().IsOpen());
    // The name was only taken for the playback: the file is unchanged.
    EXPECT_EQ(catalogueValue("Nagranie1", "Data"), QStringLiteral("02-05-2024"));
}

TEST_P(RecordingsPanelTest, WheelAndScrollButtonsMoveTheListWithinItsEnds) {
    TFormMain& main = openPanel();
    CNagData& list = main.RecordingsList();
    wheel(main, 120);
    EXPECT_EQ(list.Top(), 0);
    wheel(main, -120);
    EXPECT_EQ(list.Top(), 1);
    wheel(main, -60); // half a notch waits for the other half
    EXPECT_EQ(list.Top(), 1);
    wheel(main, -60);
    EXPECT_EQ(list.Top(), 2);
    wheel(main, -360);
    EXPECT_EQ(list.Top(), 5);
    const int thumbAt5 = main.ScrollBar().Thumb().Top();
    click(main.UpButton().control());
    EXPECT_EQ(list.Top(), 4);
    EXPECT_LT(main.ScrollBar().Thumb().Top(), thumbAt5);
    for (int i = 0; i < 40; ++i)
        click(main.DownButton().control());
    EXPECT_EQ(list.Top(), CNagData::MaxTop);
    wheel(main, -120 * 5);
    EXPECT_EQ(list.Top(), CNagData::MaxTop);
    EXPECT_EQ(list.NumberLabel(7).text(), QStringLiteral("30."));
    wheel(main, 120 * 40);
    EXPECT_EQ(list.Top(), 0);
    // A selected line is let go by a scroll, and its name field lets go of the keyboard.
    typeName(main, 2, "Ala");
    wheel(main, -120);
    EXPECT_EQ(list.SelectedRow(), -1);
    EXPECT_TRUE(noLineHasFocus(main));
    // On a game tab the wheel leaves the hidden list alone.
    pressTab(display().IsSmall() ? 150 : 200);
    wheel(main, -120);
    EXPECT_EQ(list.Top(), 1);
}

TEST_P(RecordingsPanelTest, MusicPlaysOnGameTabsAndEndsOnTheRecordingsTab) {
    ASSERT_TRUE(QDir().mkpath(path("Data/Intf/Smd")));
    RecordingFile music;
    ASSERT_TRUE(music.Begin(path("Data/Intf/Smd/music.wav")));
    const std::vector<short> samples(22050 * 5, 1000);
    ASSERT_TRUE(music.Append(samples.data(), samples.size()));
    music.Finish();
    TFormMain& main = makeMain();
    show(main);
    recorder().AllowMusic();
    main.repaint();
    EXPECT_TRUE(recorder().IsPlaying());
    pressTab(display().IsSmall() ? 400 : 500);
    main.repaint();
    EXPECT_FALSE(recorder().IsPlaying());
    EXPECT_FALSE(recorder().IsOpen());
    pressTab(display().IsSmall() ? 150 : 200);
    main.repaint();
    EXPECT_TRUE(recorder().IsPlaying());
}

// The speaker and the M key switch the menu music off and on; the choice outlives the run,
// and neither touches a playback of the recordings tab.
TEST_P(RecordingsPanelTest, SpeakerAndMKeySwitchTheMusicForThisAndLaterRuns) {
    ASSERT_TRUE(QDir().mkpath(path("Data/Intf/Smd")));
    RecordingFile music;
    ASSERT_TRUE(music.Begin(path("Data/Intf/Smd/music.wav")));
    const std::vector<short> samples(22050 * 5, 1000);
    ASSERT_TRUE(music.Append(samples.data(), samples.size()));
    music.Finish();
    const auto press = [](TFormMain& main, QChar ch) {
        QTest::sendKeyEvent(QTest::Click, &main, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    };
    struct Step {
        const char* what;
        std::function<void(TFormMain&)> act;
        bool musicOn;
    };
    const Step steps[] = {
        {"speaker", [](TFormMain& m) { click(m.MusicOnButton().control()); }, false},
        {"speaker again", [](TFormMain& m) { click(m.MusicOffButton().control()); }, true},
        {"m", [&](TFormMain& m) { press(m, 'm'); }, false},
        {"M", [&](TFormMain& m) { press(m, 'M'); }, true},
        {"m before a restart", [&](TFormMain& m) { press(m, 'm'); }, false},
    };
    TFormMain* main = &makeMain();
    show(*main);
    recorder().AllowMusic();
    main->repaint();
    ASSERT_TRUE(recorder().IsPlaying());
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act(*main);
        main->repaint();
        EXPECT_EQ(main->MusicOn(), step.musicOn);
        EXPECT_EQ(recorder().IsPlaying(), step.musicOn);
        EXPECT_EQ(main->MusicOnButton().IsVisible(), step.musicOn);
        EXPECT_EQ(main->MusicOffButton().IsVisible(), !step.musicOn);
        EXPECT_EQ(main->MusicOnButton().control().pos(), main->Layout().Music());
    }
    restart();
    main = &makeMain();
    show(*main);
    recorder().AllowMusic();
    main->repaint();
    EXPECT_FALSE(main->MusicOn());
    EXPECT_FALSE(recorder().IsPlaying());
    EXPECT_TRUE(main->MusicOffButton().IsVisible());
    // Switched back on during a playback of the recordings tab: the playback goes on alone.
    pressTab(display().IsSmall() ? 400 : 500);
    main->EnterBusyState();
    ASSERT_TRUE(recorder().OpenFile(path("Data/Intf/Smd/music.wav")));
    recorder().StartPlayback();
    press(*main, 'm');
    EXPECT_TRUE(main->MusicOn());
    press(*main, 'm');
    EXPECT_TRUE(recorder().IsOpen());
}

INSTANTIATE_TEST_SUITE_P(Screens, RecordingsPanelTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768)), screenName);

// Each kind of picture the window reads: error 1 when it is missing, for the recordings list
// when the list is made. Every picture the list needs is among those the start-up checks
// before the menu shows, since the list is made after it.
class TFormMainMissingPicture : public TFormMainTest {
protected:
    // A folder of its own for each missing picture: the picture library remembers every file
    // it looked for by its full path, found or not.
    QString freshProgramFolder(const QString& name) {
        const QString folder = path("cases/" + name);
        QDirIterator it(path("Data"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString from = it.next();
            const QString to = folder + "/Data/" + QDir(path("Data")).relativeFilePath(from);
            EXPECT_TRUE(QDir().mkpath(QFileInfo(to).path()));
            EXPECT_TRUE(QFile::copy(from, to)) << to.toStdString();
        }
        return folder;
    }
};

TEST_P(TFormMainMissingPicture, RaisesErrorOne) {
    QStringList files{"Data/Intf/Spec/mT_m0_b.xji",      "Data/Intf/Spec/mT_m3_b.xbi",
                      "Data/Intf/Lib/nap_pozycja_b.png", "Data/Intf/Lib/b_CZ_A.png",
                      "Data/Intf/Lib/rstop_M.png",       "Data/Intf/Lib/down_D.png",
                      "Data/Intf/Lib/scroll_M.png"};
    files << CNagData::PictureFiles();
    EXPECT_TRUE(files.contains("Data/Intf/Lib/S_CHBUT_A.png"));
    // The buttons' hover and pressed pictures are read when first shown: the start-up check
    // looks at them before the menu is made.
    for (const char* later : {"Data/Intf/Lib/start_A.png", "Data/Intf/Lib/start_.png",
                              "Data/Intf/Lib/down_A.png", "Data/Intf/Lib/muzykawyl_.png"})
        EXPECT_TRUE(TFormMain::LaterPictureFiles().contains(QLatin1String(later))) << later;
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        const QString folder = freshProgramFolder(QString::number(i));
        ASSERT_TRUE(QFile::remove(folder + '/' + file));
        ASSERT_TRUE(QDir::setCurrent(folder));
        bool menuMade = false;
        try {
            TFormMain& menu = makeMain();
            menuMade = true;
            menu.MakeRecordingsList();
            ADD_FAILURE() << "no error without " << file.toStdString();
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1) << file.toStdString();
        }
        EXPECT_EQ(menuMade, TFormMain::LaterPictureFiles().contains(file)) << file.toStdString();
        // One the menu cannot be made without is one it lists (a tab's among the strip's).
        EXPECT_EQ(!menuMade,
                  (TFormMain::PictureFiles(display()) + TFormMain::TabPictureFiles(display()))
                      .contains(file))
            << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Big, TFormMainMissingPicture, ::testing::Values(QSize(1024, 768)),
                         screenName);

} // namespace
