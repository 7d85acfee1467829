// The rules the four game windows share, one table over the four: their bounds and help and
// stop buttons in every screen variant, every picture of a window's table being required, a new
// game on showing, the stop by Escape with its record, the stop not taken twice, playing again,
// help counting a hint, input on the window counting as activity, and no erase before a paint.
#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "gametest.h"
#include "grauzupelnianie.h"
#include "randomgenerator.h"
#include "soundplayer.h"
#include "tfmkoniecgry.h"
#include "tfmmemory.h"
#include "tfmpodpisywanie.h"
#include "tfmspadajace.h"
#include "tfmuzupelnianie.h"

#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>

namespace {

constexpr int IdleMs = 1000;
const QColor Paper{240, 200, 120};

struct WindowCase {
    const char* name;
    const char* title;
    int kind; // of the statistics record
    std::uint16_t gloski;
    std::uint16_t pozycja;
    std::function<std::unique_ptr<GameWindow>(const GameServices&)> make;
    std::function<QStringList(const CDisplay&)> pictures;
    // The game under way, to tell one game from the next.
    std::function<const void*(GameWindow&)> game;
    QPoint help[2]; // small and big screen variant
    QPoint stop[2];
};

template <class Window>
WindowCase windowCase(const char* name, const char* title, int kind, std::uint16_t gloski,
                      std::uint16_t pozycja, QPoint smallHelp, QPoint smallStop, QPoint bigHelp,
                      QPoint bigStop) {
    return {name,
            title,
            kind,
            gloski,
            pozycja,
            [](const GameServices& services) { return std::make_unique<Window>(services); },
            [](const CDisplay& display) { return Window::PictureFiles(display); },
            [](GameWindow& window) -> const void* { return dynamic_cast<Window&>(window).Game(); },
            {smallHelp, bigHelp},
            {smallStop, bigStop}};
}

// A flat picture for every file a window's table names, of the size its kind needs.
void writePictures(const QStringList& files, QSize screen) {
    for (const QString& file : files) {
        if (file.endsWith(QLatin1String("_M.png"))) {
            ASSERT_TRUE(saveFlat(file, QSize(64, 56), Qt::white, "PNG", 3, Qt::black));
        } else if (file.endsWith(QLatin1String(".png"))) {
            ASSERT_TRUE(saveFlat(file, QSize(64, 56), QColor(0, 150, 0), "PNG", 3));
        } else {
            const bool background = file.contains(QLatin1String("/mT_"));
            ASSERT_TRUE(saveFlat(file, background ? screen : QSize(300, 300), Paper,
                                 file.endsWith(QLatin1String(".xbi")) ? "BMP" : "JPEG"));
        }
    }
}

class GameWindowTest : public ::testing::TestWithParam<WindowCase> {
protected:
    static void SetUpTestSuite() { gameTestApp(); }

    void SetUp() override {
        for (const QSize screen : {QSize(800, 600), QSize(1024, 768)}) {
            const CDisplay variant(screen);
            writePictures(GetParam().pictures(variant) + TfmKoniecGry::PictureFiles(variant),
                          screen);
        }
        // What the games draw on besides their windows: card backs, masks and frames.
        for (const char* file :
             {"Data/Sio/blkcard0.xji", "Data/Sio/allred.xji", "Data/Sio/squest.xji",
              "Data/Bio/_matr_ms.xji", "Data/Bio/_matr_mb.xji", "Data/Bio/_matr_ups.xji",
              "Data/Bio/_matr_upb.xji"})
            ASSERT_TRUE(saveJpeg(file, QSize(76, 95), Qt::white));
        for (const bool small : {true, false})
            ASSERT_TRUE(saveJpeg(graUzupelnianie::FramePath(small), QSize(260, 280), Qt::white));
        settings.poziom = 1;
        settings.gloski = GetParam().gloski;
        settings.pozycja = GetParam().pozycja;
        // As the menu prepares the catalogue before it shows a window.
        catalogue.Filter(settings.pozycja,
                         static_cast<std::uint16_t>(settings.gloski | settings.gloski << 4));
    }
    void TearDown() override {
        window.reset();
        summary.reset();
    }

    void makeWindow(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        summary = std::make_unique<TfmKoniecGry>(*display, stats);
        window = GetParam().make(
            GameServices{*display, catalogue, stats, settings, player, random, *summary});
    }
    void showWindow() {
        makeWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_NE(game(), nullptr);
    }
    const void* game() const { return GetParam().game(*window); }
    int recordCount() const { return StatRecordView::Count(stats.FilePath()); }

    ProgramFolder folder;
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    CStatRec stats{1, folder.path(), SystemTime::Clock{}, IdleMs};
    SoundPlayer player;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<GameWindow> window;
    SummaryAnswerer answerer{[this] { return summary && summary->IsShowing(); }};
};

TEST_P(GameWindowTest, BoundsAndButtonsOfEveryScreenVariant) {
    const WindowCase& c = GetParam();
    const struct {
        QSize screen;
        QRect bounds;
        int variant;
    } variants[] = {{{800, 600}, {0, 0, 800, 600}, 0},
                    {{1024, 768}, {0, 0, 1024, 768}, 1},
                    {{1280, 1024}, {128, 128, 1024, 768}, 1}};
    for (const auto& v : variants) {
        makeWindow(v.screen);
        EXPECT_EQ(window->geometry(), v.bounds) << v.screen.width();
        EXPECT_EQ(window->HelpButton().Rect(), QRect(c.help[v.variant], QSize(70, 60)));
        EXPECT_EQ(window->StopButton().Rect(), QRect(c.stop[v.variant], QSize(70, 60)));
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
    }
}

// The table the start-up check reads is the one the window loads: without any one of its
// files the window cannot be made. Each file is left out of a folder of its own, as the
// picture library remembers what it found in a folder.
TEST_P(GameWindowTest, EveryPictureOfTheWindowsTableIsRequired) {
    const CDisplay variant(QSize(800, 600));
    const QStringList files = GetParam().pictures(variant);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& missing : files) {
        const ProgramFolder other;
        QStringList present = files + TfmKoniecGry::PictureFiles(variant);
        present.removeAll(missing);
        writePictures(present, QSize(80, 60));
        try {
            makeWindow();
            ADD_FAILURE() << "no error raised without " << missing;
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1) << missing;
        }
    }
}

TEST_P(GameWindowTest, ShowingTheWindowStartsANewGame) {
    showWindow();
    EXPECT_TRUE(stats.IsActive());
    EXPECT_EQ(stats.GameKind(), GetParam().kind);
}

TEST_P(GameWindowTest, EscapeWritesAnIncompleteRecordOfTheTabsSettingsAndCloses) {
    showWindow();
    const int before = recordCount();
    answerer.answer([this] { summary->A_Stop(); });
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    const StatRecordView r = StatRecordView::Last(stats.FilePath());
    EXPECT_EQ(r.kind, GetParam().kind);
    EXPECT_EQ(r.completed, 0);
    EXPECT_EQ(r.poziom, 1);
    EXPECT_EQ(r.gloski, GetParam().gloski);
    EXPECT_EQ(r.pozycja, GetParam().pozycja);
    EXPECT_FALSE(window->isVisible());
}

TEST_P(GameWindowTest, StopIsIgnoredWhileTheSummaryIsOpen) {
    showWindow();
    const int before = recordCount();
    answerer.answer([this] { summary->A_Stop(); }, [this] { window->A_Stop(); });
    window->A_Stop();
    EXPECT_TRUE(answerer.wasShowing);
    EXPECT_EQ(recordCount(), before + 1);
}

TEST_P(GameWindowTest, PlayingAgainStartsAFreshGameInTheOpenWindow) {
    showWindow();
    const void* first = game();
    answerer.answer([this] { summary->A_OdNowa(); });
    window->A_Stop();
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_NE(game(), nullptr);
    EXPECT_NE(game(), first);
    EXPECT_TRUE(stats.IsActive());
    EXPECT_TRUE(window->isVisible());
    QCoreApplication::processEvents();
    EXPECT_NE(game(), nullptr);
}

TEST_P(GameWindowTest, TheHelpButtonCountsAHint) {
    showWindow();
    QTest::mouseClick(&window->HelpButton().control(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(30, 30));
    EXPECT_EQ(stats.Hints(), 1);
}

TEST_P(GameWindowTest, InputOnTheWindowRestartsTheIdleTimer) {
    showWindow();
    // A corner of the window with no control on it.
    const QPoint bare(2, window->height() - 2);
    ASSERT_EQ(window->childAt(bare), nullptr);
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"key", [this] { QTest::keyClick(window.get(), Qt::Key_A); }},
        {"press",
         [&] {
             QTest::mousePress(window.get(), Qt::LeftButton, Qt::NoModifier, bare);
             QTest::mouseRelease(window.get(), Qt::LeftButton, Qt::NoModifier, bare);
         }},
        {"wheel", [&] {
             QWheelEvent wheel(bare, window->mapToGlobal(bare), QPoint(), QPoint(0, 120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QCoreApplication::sendEvent(window.get(), &wheel);
         }}};
    for (const auto& [name, act] : actions) {
        stats.Touch();
        QTest::qWait(300);
        ASSERT_LT(stats.IdleTimer().remainingTime(), IdleMs - 200) << name;
        act();
        EXPECT_TRUE(stats.IsActive()) << name;
        EXPECT_GT(stats.IdleTimer().remainingTime(), IdleMs - 150) << name;
    }
}

TEST_P(GameWindowTest, TheWindowIsNeverErasedBeforeItsPaint) {
    makeWindow();
    EXPECT_TRUE(window->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_TRUE(window->testAttribute(Qt::WA_NoSystemBackground));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, GameWindowTest,
    ::testing::Values(windowCase<TfmPodpisywanie>("Labelling", "Podpisywanie", 1, 0x0003, 0x3000,
                                                  {720, 85}, {724, 160}, {922, 109}, {926, 205}),
                      windowCase<TfmMemory>("Memory", "Memory", 2, 0x0003, 0x3000, {720, 460},
                                            {724, 534}, {922, 588}, {926, 683}),
                      windowCase<TfmUzupelnianie>("Completing", "Uzupełnianie", 3, 0x0003, 0x1000,
                                                  {720, 85}, {724, 160}, {922, 109}, {926, 205}),
                      windowCase<TfmSpadajace>("Falling", "Spadające", 4, 0x0001, 0x7000, {720, 85},
                                               {724, 160}, {922, 109}, {926, 205})),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
