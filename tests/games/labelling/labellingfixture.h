#pragma once

#include "canvas.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "gametest.h"
#include "grapodpisywanie.h"
#include "hitarea.h"
#include "podpisywaniewindow.h"
#include "randomgenerator.h"
#include "soundplayer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <ostream>

// A program folder with the labelling game's tiles and word pictures.
class LabellingFolder : public ProgramFolder {
public:
    static inline const QColor TileColour{0, 90, 200};
    static inline const QColor TargetColour{200, 0, 0};

    // Flat tile pictures of every grapheme of the word in a screen variant.
    static void writeTiles(const QString& segmentation, bool small) {
        const QSize size(CPrzGloska::TileSize(small), CPrzGloska::TileSize(small));
        for (const QString& g : WordEntry::Graphemes(segmentation)) {
            const QString plain =
                "Data/Intf/Lib/" + CPrzGloska::PictureName(g, false, small) + ".png";
            if (QFileInfo::exists(plain))
                continue;
            savePng(plain, size, TileColour);
            savePng("Data/Intf/Lib/" + CPrzGloska::PictureName(g, true, small) + ".png", size,
                    TargetColour);
        }
    }
    // The picture mask and, for every selected word, its pictures, each a grey of its own.
    static void writeWordPictures(const CSlowa& catalogue) {
        saveJpeg("Data/Bio/_matr_ups.xji", QSize(260, 280), Qt::white);
        saveJpeg("Data/Bio/_matr_upb.xji", QSize(340, 360), Qt::white);
        for (int i = 0; i < catalogue.SelectionCount(); ++i) {
            const QString key = catalogue.Entry(CSlowa::Selection, i).Key;
            const int grey = 40 + 20 * i;
            saveJpeg(CSlowa::SmallPicturePath(key), QSize(76, 95), QColor(grey, grey, grey));
            saveJpeg(CSlowa::BigPicturePath(key, "_ups.xji"), QSize(260, 280),
                     QColor(grey, grey, 0));
            saveJpeg(CSlowa::BigPicturePath(key, "_upb.xji"), QSize(340, 360),
                     QColor(grey, grey, 0));
        }
    }
};

// The window as the game sees it: an invisible widget for the tile controls and plain
// canvases, counting what the game asks of it.
class FakeLabellingWindow : public FakeSurface, public PodpisywanieWindow {
public:
    static inline const QColor Background{250, 240, 200};

    explicit FakeLabellingWindow(QSize size)
        : FakeSurface(size, Background), buttons(size.width() - size.width() / 10,
                                                 size.height() / 7, 74, 3 * size.height() / 8 + 60),
          restore(size.width(), size.height(), Background) {}

    void RepaintWindow() override {
        if (game)
            game->DrawLetters();
        FakeSurface::RepaintWindow();
    }
    void DrawBackdrop() override {
        ++backdrops;
        screen.setBrushColor(Background);
        screen.fillRect(screen.rect());
    }
    void HideHelpButton() override { ++helpHidden; }
    QRect ButtonArea() const override { return buttons; }

    // Where the window's help, stop, next and previous buttons stand.
    QRect buttons;
    Canvas restore;
    graPodpisywanie* game = nullptr;
    int backdrops = 0;
    int helpHidden = 0;
};

// A seeded catalogue with a selection of labelling words, their pictures on disk and loaded,
// statistics in the test's folder, and the game on a fake window.
class LabellingGameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gameTestApp(); }

    void TearDown() override {
        game.reset();
        fake.reset();
    }

    // A game of `words` words; the first word's segmentation replaced when one is given.
    void startGame(int words = 5, bool smallScreen = true, const QString& first = QString()) {
        const QSize area = smallScreen ? QSize(800, 600) : QSize(1024, 768);
        fake = std::make_unique<FakeLabellingWindow>(area);
        catalogue.Filter(0x7000, 0x00FF);
        ASSERT_TRUE(catalogue.DrawRandom(words));
        if (!first.isEmpty())
            catalogue.Entry(CSlowa::Selection, 0).Segmentation = first;
        for (int i = 0; i < catalogue.SelectionCount(); ++i)
            LabellingFolder::writeTiles(catalogue.Entry(CSlowa::Selection, i).Segmentation,
                                        smallScreen);
        LabellingFolder::writeWordPictures(catalogue);
        catalogue.LoadPictures(smallScreen ? "_ups.xji" : "_upb.xji");
        stats.BeginGame(CStatRec::Podpisywanie, settings);
        game = std::make_unique<graPodpisywanie>(*fake, catalogue, stats, player, random,
                                                 smallScreen, area);
        fake->game = game.get();
        game->SetCanvases(&fake->screen, &fake->restore);
        game->BuildWord();
        game->DrawPicture();
        game->LayOutWord();
        fake->RepaintWindow();
    }

    // The first tile, from the given one on, whose grapheme is `text`.
    CPrzGloska& tileOf(const QString& text, int from = 0) const {
        for (int i = from; i < game->LetterCount(); ++i)
            if (game->Letter(i).Text() == text)
                return game->Letter(i);
        ADD_FAILURE() << "no tile " << text.toStdString();
        return game->Letter(0);
    }

    // Presses the tile at (5, 5) inside it, drags it so that its corner lands on `to`, and
    // lets go, through the tile handlers.
    void dragTo(CPrzGloska& tile, QPoint to) {
        const QPoint grab(5, 5);
        game->TileDown(tile, grab);
        game->TileMove(tile, to - tile.Control()->pos() + grab, Qt::LeftButton, Qt::NoModifier);
        game->TileUp(tile, to - tile.Control()->pos() + grab);
    }
    void dropInSlot(CPrzGloska& tile, int slot) { dragTo(tile, game->Slot(slot).Position()); }

    // The slot row with the frames around its slots.
    QRect slotRow() const {
        const int frames = CPusGloska::FrameCount;
        const int side = game->Slot(0).Side();
        const QPoint first = game->Slot(0).Position();
        const QPoint last = game->Slot(game->SlotCount() - 1).Position();
        return QRect(first - QPoint(frames, frames),
                     last + QPoint(side + frames - 2, side + frames - 2));
    }
    // Neither on the slot row nor on a button.
    bool clearOfRowAndButtons(const CPrzGloska& tile) const {
        return !tile.Rect().intersects(slotRow()) && !tile.Rect().intersects(fake->buttons);
    }

    LabellingFolder folder;
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    CStatRec stats{1, folder.path()};
    SoundPlayer player;
    std::unique_ptr<FakeLabellingWindow> fake;
    std::unique_ptr<graPodpisywanie> game;
};
