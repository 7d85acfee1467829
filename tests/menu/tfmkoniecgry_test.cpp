#include "cblad.h"
#include "cprzyciskp.h"
#include "cstatrec.h"
#include "custgry.h"
#include "form.h"
#include "tfmkoniecgry.h"
#include "windowfixture.h"

#include <QLabel>
#include <QTest>
#include <chrono>
#include <memory>

namespace {

using namespace std::chrono_literals;

class SummaryTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        bad = writeSpecPicture("mStatsB.xji", patterned(QSize(600, 450), 20));
        middle = writeSpecPicture("mStatsM.xji", patterned(QSize(600, 450), 120));
        good = writeSpecPicture("mStatsG.xji", patterned(QSize(600, 450), 220));
        writeButton("start", QSize(84, 72));
        writeButton("stop", QSize(70, 60));
        stats = std::make_unique<CStatRec>(1, path("."), [this] { return now; });
    }

    // One game run as a game window plays it.
    void play(int correct, int wrong, int hints, std::chrono::seconds length) {
        stats->BeginGame(CStatRec::Memory, settings);
        for (int i = 0; i < correct; ++i)
            stats->AddCorrect();
        for (int i = 0; i < wrong; ++i)
            stats->AddWrong();
        for (int i = 0; i < hints; ++i)
            stats->AddHint();
        now += length;
        stats->EndGame();
        stats->WriteGame(true);
    }

    // Shows the summary, runs `during` once it is up, and returns ShowSummary's result.
    int show(TfmKoniecGry& summary, std::function<void(TfmKoniecGry&)> during) {
        whileShowing([&summary, during] {
            if (!QTest::qWaitForWindowExposed(&summary))
                ADD_FAILURE() << "the summary did not show";
            during(summary);
            closeIfStillShowing(summary);
        });
        return summary.ShowSummary();
    }

    static void clickButton(CPrzyciskP& button) {
        QTest::mouseClick(&button.control(), Qt::LeftButton, {}, QPoint(20, 20));
    }

    // Places the labels and buttons leave free.
    static constexpr QPoint kFree[] = {{30, 30}, {300, 120}, {560, 420}, {100, 330}};

    QImage bad, middle, good;
    std::chrono::system_clock::time_point now{std::chrono::sys_days{2024y / 3 / 5} + 9h};
    CUstGry settings{QStringLiteral("Memory")};
    std::unique_ptr<CStatRec> stats;
};

TEST_F(SummaryTest, ShowsTheLastGamesValues) {
    TfmKoniecGry summary(display, *stats);
    for (QLabel* value :
         {summary.lab_Czas(), summary.lab_Dobre(), summary.lab_Zle(), summary.lab_Pomoc()})
        EXPECT_EQ(value->text(), "0");

    play(5, 2, 3, 125s);
    QStringList shown;
    show(summary, [&](TfmKoniecGry& s) {
        shown = {s.lab_Czas()->text(), s.lab_Dobre()->text(), s.lab_Zle()->text(),
                 s.lab_Pomoc()->text()};
        s.A_Stop();
    });
    EXPECT_EQ(shown, QStringList({"2 min 5 s", "5", "2", "3"}));
}

TEST_F(SummaryTest, ShowingTwiceKeepsOnlyTheSecondGamesValues) {
    TfmKoniecGry summary(display, *stats);
    play(7, 1, 4, 61s);
    show(summary, [](TfmKoniecGry& s) { s.A_OdNowa(); });
    play(0, 0, 0, 0s); // stopped at once
    QStringList shown;
    QImage background;
    show(summary, [&](TfmKoniecGry& s) {
        shown = {s.lab_Czas()->text(), s.lab_Dobre()->text(), s.lab_Zle()->text(),
                 s.lab_Pomoc()->text()};
        background = s.canvas().image();
        s.A_Stop();
    });
    EXPECT_EQ(shown, QStringList({"0 min 0 s", "0", "0", "0"}));
    for (const QPoint p : kFree)
        EXPECT_EQ(pixelAt(background, p.x(), p.y()), pixelAt(bad, p.x(), p.y()));
}

struct GradeCase {
    int correct, wrong;
    char picture; // 'B', 'M' or 'G'
};

class SummaryGrades : public SummaryTest, public testing::WithParamInterface<GradeCase> {};

TEST_P(SummaryGrades, ShowsThePictureOfTheGrade) {
    const GradeCase c = GetParam();
    const QImage& expected = c.picture == 'B' ? bad : c.picture == 'M' ? middle : good;
    TfmKoniecGry summary(display, *stats);
    play(c.correct, c.wrong, 0, 30s);
    QImage onWindow;
    show(summary, [&](TfmKoniecGry& s) {
        onWindow = s.canvas().image();
        s.A_Stop();
    });
    EXPECT_EQ(summary.Background(), expected);
    for (const QPoint p : kFree)
        EXPECT_EQ(pixelAt(onWindow, p.x(), p.y()), pixelAt(expected, p.x(), p.y()))
            << p.x() << "," << p.y();
    // The buttons draw themselves over the new picture.
    EXPECT_EQ(pixelAt(onWindow, 235 + 40, 340 + 30), Rgb{kButtonNormal});
    EXPECT_EQ(pixelAt(onWindow, 325 + 35, 340 + 30), Rgb{kButtonNormal});
    // Outside a button's shape its margin shows the grade picture.
    EXPECT_EQ(pixelAt(onWindow, 236, 341), pixelAt(expected, 236, 341));
}

INSTANTIATE_TEST_SUITE_P(Answers, SummaryGrades,
                         testing::Values(GradeCase{5, 2, 'G'}, GradeCase{5, 4, 'M'},
                                         GradeCase{2, 5, 'B'}, GradeCase{0, 0, 'B'},
                                         GradeCase{10, 0, 'G'}, GradeCase{2, 4, 'M'}));

TEST_F(SummaryTest, BeforeAnyShowingTheMiddlePictureIsTheBackground) {
    TfmKoniecGry summary(display, *stats);
    EXPECT_EQ(summary.Background(), middle);
    EXPECT_EQ(pixelAt(summary.canvas().image(), 30, 30), pixelAt(middle, 30, 30));
}

struct CloseCase {
    const char* how;
    int result;
};

class SummaryClosing : public SummaryTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(SummaryClosing, ResultOfEachWayOut) {
    const std::string how = GetParam().how;
    TfmKoniecGry summary(display, *stats);
    play(1, 1, 0, 5s);
    const int result = show(summary, [&](TfmKoniecGry& s) {
        EXPECT_TRUE(s.IsShowing());
        if (how == "start")
            clickButton(s.StartButton());
        else if (how == "stop")
            clickButton(s.StopButton());
        else if (how == "escape")
            QTest::keyClick(&s, Qt::Key_Escape);
        else
            s.close();
    });
    EXPECT_EQ(result, GetParam().result);
    EXPECT_FALSE(summary.IsShowing());
}

INSTANTIATE_TEST_SUITE_P(Ways, SummaryClosing,
                         testing::Values(CloseCase{"start", TfmKoniecGry::PlayAgain},
                                         CloseCase{"stop", TfmKoniecGry::Close},
                                         CloseCase{"escape", TfmKoniecGry::Close},
                                         CloseCase{"closed", TfmKoniecGry::Close}));

TEST_F(SummaryTest, LaysOutTheButtonsAndTheRoundedShape) {
    TfmKoniecGry summary(display, *stats);
    EXPECT_EQ(summary.size(), QSize(600, 450));
    EXPECT_EQ(summary.StartButton().DestinationRect(), QRect(235, 340, 84, 72));
    EXPECT_EQ(summary.StopButton().DestinationRect(), QRect(325, 340, 70, 60));
    // Value labels are right-aligned and keep the left edge their first "0" had.
    const struct {
        QLabel* label;
        int left, top;
    } values[] = {{summary.lab_Czas(), 344, 177},
                  {summary.lab_Dobre(), 408, 206},
                  {summary.lab_Zle(), 408, 237},
                  {summary.lab_Pomoc(), 408, 270}};
    for (const auto& v : values) {
        QLabel zero(QStringLiteral("0"));
        zero.setFont(v.label->font());
        zero.adjustSize();
        EXPECT_EQ(v.label->x() + v.label->width() - zero.width(), v.left);
        EXPECT_EQ(v.label->y(), v.top);
        EXPECT_TRUE(v.label->alignment() & Qt::AlignRight);
    }

    // The shape starts 5 pixels in and has 50 x 50 corner ellipses.
    const QRegion region = summary.mask();
    EXPECT_EQ(region.boundingRect(), QRect(5, 5, 595, 445));
    EXPECT_FALSE(region.contains(QPoint(4, 225)));
    EXPECT_TRUE(region.contains(QPoint(5, 225)));
    EXPECT_FALSE(region.contains(QPoint(300, 4)));
    EXPECT_TRUE(region.contains(QPoint(300, 5)));
    EXPECT_FALSE(region.contains(QPoint(7, 7)));
    EXPECT_TRUE(region.contains(QPoint(599, 225)));
    EXPECT_FALSE(region.contains(QPoint(600, 225)));
}

TEST_F(SummaryTest, CentresOverTheMainWindowWhileItShowsElseOverTheScreen) {
    TfmKoniecGry summary(display, *stats);
    Form main;
    main.setClientSize(800, 600);
    main.move(100, 50);
    summary.SetMainWindow(&main);

    QPoint shownAt;
    auto record = [&](TfmKoniecGry& s) {
        shownAt = s.pos();
        s.A_Stop();
    };
    show(summary, record);
    EXPECT_EQ(shownAt, QPoint(212, 159)); // the main window is hidden: the screen

    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const QRect over = main.frameGeometry();
    show(summary, record);
    EXPECT_EQ(shownAt,
              QPoint(over.x() + (over.width() - 600) / 2, over.y() + (over.height() - 450) / 2));
}

class SummaryResources : public SummaryTest, public testing::WithParamInterface<const char*> {};

TEST_P(SummaryResources, AMissingPictureIsErrorOne) {
    QFile::remove(path(GetParam()));
    try {
        TfmKoniecGry summary(display, *stats);
        ADD_FAILURE() << "no error without " << GetParam();
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, SummaryResources,
                         testing::Values("Data/Intf/Spec/mStatsB.xji", "Data/Intf/Spec/mStatsM.xji",
                                         "Data/Intf/Spec/mStatsG.xji", "Data/Intf/Lib/start_D.png",
                                         "Data/Intf/Lib/stop_M.png"));

TEST_F(SummaryTest, ABrokenGradePictureIsErrorOneToo) {
    writeBrokenFile("Data/Intf/Spec/mStatsG.xji");
    EXPECT_THROW(TfmKoniecGry(display, *stats), CBlad);
}

} // namespace
