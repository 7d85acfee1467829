#pragma once

#include "canvas.h"
#include "cdisplay.h"
#include "cokrag.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "fallingwindow.h"
#include "gametest.h"
#include "graspadajace.h"
#include "randomgenerator.h"
#include "soundplayer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <ostream>

// A program folder of its own, made current as the program makes its folder current, with the
// slot and ring pictures and, on request, a picture for each word of a selection.
class FallingFolder : public ProgramFolder {
public:
    static constexpr QSize CardSize{76, 95};
    static inline const QColor Red{250, 0, 0};
    static inline const QColor Question{0, 0, 200};
    static inline const QColor Ring{0, 150, 0};
    static inline const QColor Big{120, 0, 120};

    void writeCommonPictures(bool question = true) const {
        saveJpeg("Data/Sio/allred.xji", CardSize, Red);
        if (question)
            saveJpeg("Data/Sio/squest.xji", CardSize, Question);
        for (const auto& [suffix, ring, mask] :
             {std::tuple{"s", 300, QSize(200, 250)}, std::tuple{"b", 380, QSize(260, 320)}}) {
            saveJpeg(QString("Data/Intf/Spec/Ring_%1.xji").arg(suffix), QSize(ring, ring), Ring);
            saveJpeg(QString("Data/Intf/Spec/RingM_%1.xji").arg(suffix), QSize(ring, ring),
                     Qt::white);
            saveJpeg(QString("Data/Bio/_matr_m%1.xji").arg(suffix), mask, Qt::white);
        }
    }
    // A small and a big picture for every word of the selection; word i of it is the grey
    // `first + 4 i`.
    void writeWordPictures(const CSlowa& catalogue, int first) const {
        for (int i = 0; i < catalogue.SelectionCount(); ++i) {
            const QString key = catalogue.Entry(CSlowa::Selection, i).Key;
            const int grey = first + 4 * i;
            saveJpeg(CSlowa::SmallPicturePath(key), CardSize, QColor(grey, grey, grey));
            saveJpeg("Data/Bio/" + key + "_ms.xji", QSize(200, 250), Big);
            saveJpeg("Data/Bio/" + key + "_mb.xji", QSize(260, 320), Big);
        }
    }
};

// The window as the game sees it: an invisible widget for the controls, a background and a
// screen canvas, and a visible canvas that receives what the game asks to repaint.
class FakeFallingWindow : public FakeSurface, public FallingWindow {
public:
    static inline const QColor Paper{250, 240, 200};

    explicit FakeFallingWindow(QSize size) : FakeSurface(size, Paper) {}

    void ShowResultButtons() override { ++resultButtons; }

    int resultButtons = 0;
};

// A seeded catalogue, pictures on disk, statistics in the test's folder, and a game of the
// chosen sounds on a fake window of the screen variant.
class FallingGameTest : public ::testing::Test {
protected:
    static constexpr int TargetGrey = 20;
    static constexpr int DistractorGrey = 140;

    static void SetUpTestSuite() { gameTestApp(); }

    void SetUp() override {
        ASSERT_FALSE(folder.path().isEmpty());
        folder.writeCommonPictures();
    }
    void TearDown() override { game.reset(); }

    // targets words with chosenSounds as targets, distractors words of distractorSounds.
    void startGame(int targets, int distractors = 0, bool smallScreen = true,
                   std::uint16_t chosenSounds = 0x0001, std::uint16_t distractorSounds = 0x0004) {
        game.reset();
        display = std::make_unique<CDisplay>(smallScreen ? QSize(800, 600) : QSize(1024, 768));
        window =
            std::make_unique<FakeFallingWindow>(QSize(display->DesignWidth, display->DesignHeight));
        zoom = std::make_unique<COkrag>(*display, window->screen);
        catalogue.Filter(0x7000, chosenSounds);
        ASSERT_TRUE(catalogue.DrawRandom(targets));
        folder.writeWordPictures(catalogue, TargetGrey);
        catalogue.LoadSmallPictures();
        stats.BeginGame(CStatRec::Spadajace, settings);
        game = std::make_unique<graSpadajace>(*window, catalogue, chosenSounds, *display, *zoom,
                                              stats, player, random);
        catalogue.Filter(0x7000, distractorSounds);
        catalogue.DrawRandom(distractors);
        folder.writeWordPictures(catalogue, DistractorGrey);
        catalogue.LoadSmallPictures();
        game->AddDistractors(catalogue);
        game->LayoutSlots();
        game->StartFall();
    }

    // Steps until the card is wholly on the screen, so that a press can reach it.
    void bringIntoView(const CSpaKart& card) {
        for (int i = 0; i < 5000 && card.Y() < 0; ++i)
            game->Step();
    }

    // Runs a pending timer now instead of after its interval.
    static void fire(QTimer& timer) {
        ASSERT_TRUE(timer.isActive());
        timer.start(0);
        for (int i = 0; i < 100 && timer.isActive(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_FALSE(timer.isActive());
    }

    FallingFolder folder;
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    CStatRec stats{1, folder.path()};
    SoundPlayer player;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<FakeFallingWindow> window;
    std::unique_ptr<COkrag> zoom;
    std::unique_ptr<graSpadajace> game;
};
