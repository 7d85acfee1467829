#pragma once

#include "canvas.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "gametest.h"
#include "gramemory.h"
#include "memorywindow.h"
#include "randomgenerator.h"
#include "soundplayer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <ostream>

// A program folder of its own, made current as the program makes its folder current, with
// the card back, the match mask and, per drawn word, a face and a big picture in colours of
// their own.
class MemoryFolder : public ProgramFolder {
public:
    static constexpr QSize CardSize{76, 95};
    static inline const QColor BackColour{0, 0, 160};

    void writeCommonPictures(bool matchMask = true) const {
        saveJpeg("Data/Sio/blkcard0.xji", CardSize, BackColour);
        if (matchMask) {
            saveJpeg("Data/Bio/_matr_ms.xji", QSize(200, 250), Qt::white);
            saveJpeg("Data/Bio/_matr_mb.xji", QSize(260, 320), Qt::white);
        }
    }
    // Faces and big pictures for every word of the selection, each word a grey of its own.
    void writeWordPictures(const CSlowa& catalogue, bool matchPictures = true) const {
        for (int i = 0; i < catalogue.SelectionCount(); ++i) {
            const QString key = catalogue.Entry(CSlowa::Selection, i).Key;
            const int grey = 20 + 10 * i;
            saveJpeg(CSlowa::SmallPicturePath(key), CardSize, QColor(grey, grey, grey));
            if (matchPictures) {
                saveJpeg("Data/Bio/" + key + "_ms.xji", QSize(200, 250), QColor(grey, 0, 0));
                saveJpeg("Data/Bio/" + key + "_mb.xji", QSize(260, 320), QColor(grey, 0, 0));
            }
        }
    }
};

// The window as the game sees it: an invisible widget for the card controls and two plain
// canvases, counting what the game asks of it.
class FakeMemoryWindow : public FakeSurface, public MemoryWindow {
public:
    static inline const QColor Paper{250, 240, 200};

    explicit FakeMemoryWindow(QSize size) : FakeSurface(size, Paper) {}

    void A_EkranPaint() override {
        ++ekranPaints;
        screen.setBrushColor(Paper);
        screen.fillRect(screen.rect());
        if (game)
            game->DrawBoard(screen);
        RepaintWindow();
    }

    graMemory* game = nullptr;
    int ekranPaints = 0;
};

// A seeded catalogue with a selection of `pairs` words (or `words` when given), their
// pictures on disk and loaded, statistics in the test's folder, and the game on a fake
// window of the small screen.
class MemoryGameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gameTestApp(); }

    void SetUp() override { ASSERT_TRUE(folder.path().size() > 0); }
    void TearDown() override {
        game.reset();
        window.game = nullptr;
    }

    void startGame(int pairs, bool smallScreen = true, int words = -1) {
        catalogue.Filter(0x7000, 0x00FF);
        ASSERT_TRUE(catalogue.DrawRandom(words < 0 ? pairs : words));
        folder.writeCommonPictures();
        folder.writeWordPictures(catalogue);
        catalogue.LoadSmallPictures();
        stats.BeginGame(CStatRec::Memory, settings);
        game = std::make_unique<graMemory>(window, catalogue, stats, player, random, smallScreen,
                                           pairs);
        window.game = game.get();
        window.A_EkranPaint();
    }

    // The slot of the other card of the word in slot `slot`.
    int partnerOf(int slot) const {
        for (int i = 0; i < game->SlotCount(); ++i)
            if (i != slot && game->Card(i) && game->Card(i)->Key() == game->Card(slot)->Key())
                return i;
        return -1;
    }
    // A slot whose card belongs to another word than the card in `slot`.
    int strangerOf(int slot) const {
        for (int i = 0; i < game->SlotCount(); ++i)
            if (game->Card(i) && game->Card(i)->Key() != game->Card(slot)->Key())
                return i;
        return -1;
    }
    void click(int slot) { game->CardClicked(*game->Card(slot)); }

    // Runs a pending card timer now instead of after its interval. The timer may be gone
    // afterwards: a game replaced by its own last pair is freed once the event loop runs.
    static void fire(QTimer& timer) {
        ASSERT_TRUE(timer.isActive());
        QPointer<QTimer> pending(&timer);
        timer.start(0);
        for (int i = 0; i < 100 && pending && pending->isActive(); ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_FALSE(pending && pending->isActive());
    }

    MemoryFolder folder;
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    CStatRec stats{1, folder.path()};
    SoundPlayer player;
    FakeMemoryWindow window{QSize(800, 600)};
    std::unique_ptr<graMemory> game;
};
