// The completing window offscreen: its own buttons in both screen variants, new games
// spread over the prepared candidate list, the buttons shown per word, the first-word notice,
// the stop with its statistics record and summary, the double-click, and a whole game played
// with the arrow keys.
#include "cblad.h"
#include "completingfixture.h"
#include "cprzyciskc.h"
#include "tfmkoniecgry.h"
#include "tfmuzupelnianie.h"

#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

using Record = StatRecordView;

// The program folder of a completing game: window and summary pictures on top of the tiles,
// the settings of the completing tab with groups S and Z in nagłos, the candidate list the
// menu prepares for them, and the window under test.
class TfmUzupelnianieTest : public CompletingGameTest {
protected:
    static inline const QColor Background{240, 200, 120};
    static inline const QColor HelpColour{0, 160, 0};

    void SetUp() override {
        CompletingGameTest::SetUp();
        writeFlatPicture("Data/Intf/Spec/mT_Uzu_s.xji", QSize(800, 600), Background, "JPEG");
        writeFlatPicture("Data/Intf/Spec/mT_Uzu_b.xji", QSize(1024, 768), Background, "JPEG");
        for (const char* name : {"mStatsB.xji", "mStatsM.xji", "mStatsG.xji"})
            writeFlatPicture(QString("Data/Intf/Spec/") + name, QSize(600, 450), Qt::gray, "JPEG");
        writeButton("pomoc", HelpColour);
        writeButton("stop", QColor(200, 0, 0));
        writeButton("nast", QColor(0, 0, 200));
        writeButton("pop", QColor(200, 200, 0));
        writeButton("start", QColor(0, 200, 200));
        settings.poziom = 1;
        settings.gloski = 0x0003;
        settings.pozycja = 0x1000;
        catalogue.Filter(0x1000, 0x0033);
    }
    void TearDown() override {
        completing.reset();
        summary.reset();
        CompletingGameTest::TearDown();
    }

    void makeWindow(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        summary = std::make_unique<TfmKoniecGry>(*display, stats);
        completing = std::make_unique<TfmUzupelnianie>(
            GameServices{*display, catalogue, stats, settings, player, random, *summary});
    }

    // A new game with word pictures on disk for whatever the draw chose (draws within the
    // same second choose the same words).
    void newGame() {
        completing->A_NowaGra();
        folder.writeBigPictures(catalogue);
        completing->A_NowaGra();
        completing->A_EkranPaint();
    }
    void showWindow() {
        newGame();
        completing->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(completing.get()));
    }

    void answerSummary(std::function<void()> action) { answerer.answer(std::move(action)); }
    int recordCount() const { return Record::Count(stats.FilePath()); }
    Record lastRecord() const { return Record::Last(stats.FilePath()); }
    int candidateIndex(const QString& key) const {
        for (int i = 0; i < catalogue.CandidateCount(); ++i)
            if (catalogue.Entry(CSlowa::Candidates, i).Key == key)
                return i;
        return -1;
    }
    graUzupelnianie& theGame() const { return *completing->Game(); }
    // The arrow key on the side of the right sound button.
    Qt::Key rightKey() const {
        const graUzupelnianie& g = theGame();
        const CGloska* other =
            g.FirstButton()->Sound() == g.TargetSound() ? g.SecondButton() : g.FirstButton();
        const CGloska* right = other == g.FirstButton() ? g.SecondButton() : g.FirstButton();
        return right->X() < other->X() ? Qt::Key_Left : Qt::Key_Right;
    }
    QColor shownAt(QPoint p) const { return QColor(completing->canvas().image().pixel(p)); }

    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<TfmUzupelnianie> completing;
    SummaryAnswerer answerer{[this] { return summary && summary->IsShowing(); }};
};

struct VariantCase {
    const char* name;
    QSize screen;
    QPoint next;
    QPoint previous;
    QPoint picture;
};

class TfmUzupelnianieVariantTest : public TfmUzupelnianieTest,
                                   public ::testing::WithParamInterface<VariantCase> {};

TEST_P(TfmUzupelnianieVariantTest, NextPreviousAndPictureOfTheScreenVariant) {
    const VariantCase& c = GetParam();
    makeWindow(c.screen);
    EXPECT_EQ(completing->NextButton().Rect(), QRect(c.next, QSize(70, 60)));
    EXPECT_EQ(completing->PreviousButton().Rect(), QRect(c.previous, QSize(70, 60)));
    newGame();
    EXPECT_EQ(theGame().PicturePosition(), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, TfmUzupelnianieVariantTest,
    ::testing::Values(VariantCase{"Small", {800, 600}, {720, 235}, {720, 310}, {266, 310}},
                      VariantCase{"BigCentred", {1280, 1024}, {922, 301}, {922, 397}, {338, 388}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmUzupelnianieTest, ANewGameTakesFiveWordsPerTaskCountFromThePreparedList) {
    makeWindow();
    for (int poziom : {1, 2, 3}) {
        settings.poziom = static_cast<std::int16_t>(poziom);
        newGame();
        EXPECT_EQ(catalogue.CandidateCount(), 82) << "the menu's list stays";
        EXPECT_EQ(catalogue.SelectionCount(), 5 * poziom);
        EXPECT_EQ(theGame().LastIndex(), 5 * poziom - 1);
        EXPECT_FALSE(theGame().AllSolved());
        EXPECT_TRUE(stats.IsActive());
        EXPECT_EQ(stats.GameKind(), CStatRec::Uzupelnianie);
        for (const WordEntry& word : catalogue.SelectionList())
            EXPECT_FALSE(word.BigPicture.isNull()) << word.Key;
    }
}

TEST_F(TfmUzupelnianieTest, WordsComeInTurnFromSlicesOfTheListAndAgainAfterTheSummary) {
    catalogue.Filter(0x1000, 0x0002); // 20 candidates; groups S and Z give four slices of five
    makeWindow();
    newGame();
    const auto expectSpread = [this] {
        ASSERT_EQ(catalogue.SelectionCount(), 5);
        for (int i = 0; i < 5; ++i) {
            const int index = candidateIndex(catalogue.Entry(CSlowa::Selection, i).Key);
            EXPECT_GE(index, 5 * (i % 4)) << i;
            EXPECT_LE(index, 5 * (i % 4) + 4) << i;
        }
    };
    expectSpread();
    answerSummary([this] { summary->A_OdNowa(); });
    completing->A_Stop();
    EXPECT_TRUE(answerer.wasShowing);
    EXPECT_EQ(catalogue.CandidateCount(), 20);
    expectSpread();
}

TEST_F(TfmUzupelnianieTest, TheButtonsShownFollowTheWordAndItsPlace) {
    makeWindow();
    newGame();
    struct Expect {
        bool next, previous, help;
    };
    const auto check = [this](Expect e, const char* where) {
        EXPECT_EQ(completing->NextButton().IsVisible(), e.next) << where;
        EXPECT_EQ(completing->PreviousButton().IsVisible(), e.previous) << where;
        EXPECT_EQ(completing->HelpButton().IsVisible(), e.help) << where;
        EXPECT_TRUE(completing->StopButton().IsVisible()) << where;
    };
    check({true, false, true}, "first word");
    completing->A_Nastepny();
    check({true, true, true}, "second word");
    QTest::keyClick(completing.get(), rightKey());
    EXPECT_EQ(stats.Correct(), 1);
    check({true, true, false}, "solved");
    // The hidden help button leaves the screen at once, not at the next composition.
    const QPoint help = completing->HelpButton().Rect().center();
    EXPECT_NE(shownAt(help), HelpColour);
    while (!theGame().IsLast())
        completing->A_Nastepny();
    check({false, true, true}, "last word");
}

TEST_F(TfmUzupelnianieTest, PreviousAtTheFirstWordSaysSo) {
    makeWindow();
    showWindow();
    QString text;
    QString caption;
    QTimer::singleShot(50, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            caption = box->windowTitle();
            box->accept();
        }
    });
    completing->A_Poprzedni();
    EXPECT_EQ(text, QString("Pierwsze słowo"));
    EXPECT_EQ(caption, QString("Info"));
    EXPECT_EQ(theGame().CurrentIndex(), 0);
}

struct EndCase {
    const char* name;
    std::function<void(TfmUzupelnianie&)> end;
};

class TfmUzupelnianieEndTest : public TfmUzupelnianieTest,
                               public ::testing::WithParamInterface<EndCase> {};

TEST_P(TfmUzupelnianieEndTest, EndingEarlyWritesAnIncompleteRecordAndCloses) {
    makeWindow();
    showWindow();
    while (!theGame().IsLast())
        completing->A_Nastepny();
    const int before = recordCount();
    answerSummary([this] { summary->A_Stop(); });
    GetParam().end(*completing);
    EXPECT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    const Record r = lastRecord();
    EXPECT_EQ(r.kind, 3);
    EXPECT_EQ(r.completed, 0);
    EXPECT_EQ(r.poziom, 1);
    EXPECT_EQ(r.gloski, 0x0003);
    EXPECT_EQ(r.pozycja, 0x1000);
    EXPECT_FALSE(completing->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Ends, TfmUzupelnianieEndTest,
    ::testing::Values(EndCase{"Escape",
                              [](TfmUzupelnianie& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
                      EndCase{"NextAtTheLastWord", [](TfmUzupelnianie& w) { w.A_Nastepny(); }},
                      EndCase{"StopButton",
                              [](TfmUzupelnianie& w) {
                                  QTest::mouseClick(&w.StopButton().control(), Qt::LeftButton, {},
                                                    QPoint(30, 30));
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TfmUzupelnianieTest, ADoubleClickRetriesOnlyASolvedWordOnItsPicture) {
    makeWindow();
    showWindow();
    const QPoint picture = theGame().PicturePosition() + QPoint(100, 100);
    QTest::mouseDClick(completing.get(), Qt::LeftButton, {}, picture);
    EXPECT_FALSE(theGame().IsSolved());
    EXPECT_EQ(stats.Correct(), 0);

    QTest::keyClick(completing.get(), rightKey());
    ASSERT_TRUE(theGame().IsSolved());
    ASSERT_FALSE(completing->HelpButton().IsVisible());
    QTest::mouseDClick(completing.get(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(theGame().IsSolved());

    QTest::mouseDClick(completing.get(), Qt::LeftButton, {}, picture);
    EXPECT_FALSE(theGame().IsSolved());
    EXPECT_TRUE(completing->HelpButton().IsVisible());
    EXPECT_EQ(shownAt(completing->HelpButton().Rect().center()), HelpColour);
}

// The round pads belong to the sound buttons: drawn while they wait, gone with them once the
// word is solved.
TEST_F(TfmUzupelnianieTest, ASolvedWordLeavesNoPadWhereItsButtonsWere) {
    QImage picture(800, 600, QImage::Format_RGB32);
    picture.fill(Background);
    QList<QPoint> centres;
    for (int x : {800 / 4 - 40, 3 * 800 / 4})
        centres << QPoint(x + 22, 300 + 22);
    ASSERT_TRUE(picture.save("Data/Intf/Spec/mT_Uzu_s.xji", "JPEG", 100));
    makeWindow();
    showWindow();
    const auto bare = [this](QPoint p) {
        const QColor got = shownAt(p);
        return std::abs(got.red() - Background.red()) + std::abs(got.green() - Background.green()) +
                   std::abs(got.blue() - Background.blue()) <=
               12;
    };
    for (const QPoint& c : centres)
        EXPECT_FALSE(bare(c + QPoint(0, 32))) << "a waiting button stands on its pad";
    QTest::keyClick(completing.get(), rightKey());
    ASSERT_TRUE(theGame().IsSolved());
    for (const QPoint& c : centres) {
        for (QPoint probe : {QPoint(41, 0), QPoint(-41, 0), QPoint(0, 41), QPoint(0, 32), QPoint()})
            EXPECT_TRUE(bare(c + probe)) << c.x() << " " << probe.x() << "," << probe.y();
    }
}

// Every word answered from the keyboard, one wrong answer first; the end timer then ends the
// game by itself with a complete record.
TEST_F(TfmUzupelnianieTest, AGamePlayedWithTheArrowKeysEndsWithACompleteRecord) {
    makeWindow();
    showWindow();
    const int before = recordCount();
    QTest::keyClick(completing.get(), rightKey() == Qt::Key_Left ? Qt::Key_Right : Qt::Key_Left);
    for (;;) {
        QTest::keyClick(completing.get(), rightKey());
        ASSERT_TRUE(theGame().IsSolved());
        if (theGame().IsLast())
            break;
        QTest::mouseClick(&completing->NextButton().control(), Qt::LeftButton, {}, QPoint(30, 30));
    }
    ASSERT_TRUE(theGame().AllSolved());
    ASSERT_TRUE(theGame().EndTimer().isActive());
    answerSummary([this] { summary->A_Stop(); });
    theGame().EndTimer().start(0);
    for (int i = 0; i < 100 && !answerer.wasShowing; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(answerer.wasShowing);
    ASSERT_EQ(recordCount(), before + 1);
    const Record r = lastRecord();
    EXPECT_EQ(r.kind, 3);
    EXPECT_EQ(r.completed, 1);
    EXPECT_EQ(r.correct, 5);
    EXPECT_EQ(r.wrong, 1);
    EXPECT_EQ(r.hints, 0);
    EXPECT_FALSE(completing->isVisible());
}

// Input the child gives while a choice is judged or help speaks waits in the queue until the
// window is back; it must be dropped then, not replayed as new answers. An Escape among it
// still ends the game once the judging is over.
TEST_F(TfmUzupelnianieTest, InputQueuedDuringTheWaitIsDropped) {
    struct Case {
        const char* name;
        bool startWithHelp; // else with a click on the wrong button
        int wrongClicks;    // queued on the wrong button
        int rightClicks;    // queued on the right button
        bool escape;        // queued after the clicks
        int wrong;
        int correct;
        int hints;
    };
    const Case cases[] = {
        {"clicks on the wrong button", false, 4, 0, false, 1, 0, 0},
        {"clicks on the right button while help speaks", true, 0, 2, false, 0, 0, 1},
        {"Escape after clicks", false, 2, 1, true, 1, 0, 0},
    };
    const auto queueClick = [](QWidget* control) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const QPoint at(5, 5);
            QCoreApplication::postEvent(
                control,
                new QMouseEvent(type, at, control->mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        answerer.wasShowing = false;
        makeWindow();
        showWindow();
        graUzupelnianie& game = theGame();
        CGloska* right = game.FirstButton()->Sound() == game.TargetSound() ? game.FirstButton()
                                                                           : game.SecondButton();
        CGloska* wrong = right == game.FirstButton() ? game.SecondButton() : game.FirstButton();
        for (int i = 0; i < c.wrongClicks; ++i)
            queueClick(wrong->Control());
        for (int i = 0; i < c.rightClicks; ++i)
            queueClick(right->Control());
        if (c.escape) {
            answerSummary([this] { summary->A_Stop(); });
            QCoreApplication::postEvent(
                completing.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}, "\x1b"));
        }
        if (c.startWithHelp)
            QTest::mouseClick(&completing->HelpButton().control(), Qt::LeftButton, {},
                              QPoint(30, 30));
        else
            QTest::mouseClick(wrong->Control(), Qt::LeftButton, {}, QPoint(5, 5));
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

        EXPECT_EQ(stats.Wrong(), c.wrong);
        EXPECT_EQ(stats.Correct(), c.correct);
        EXPECT_EQ(stats.Hints(), c.hints);
        EXPECT_EQ(answerer.wasShowing, c.escape);
        if (!c.escape) {
            EXPECT_FALSE(theGame().IsSolved());
            EXPECT_TRUE(completing->isVisible());
        }
    }
}

} // namespace
