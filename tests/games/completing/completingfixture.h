#pragma once

#include "canvas.h"
#include "cdisplay.h"
#include "completingwindow.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "gametest.h"
#include "grauzupelnianie.h"
#include "randomgenerator.h"
#include "soundplayer.h"
#include "textformat.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <ostream>
#include <vector>

// Every library picture of the tiles gets a flat colour of its own, so that what is drawn can
// be told apart by its pixels.
inline QColor tileColour(const QString& pictureName) {
    return QColor(QColor::fromHsv(static_cast<int>(qHash(pictureName) % 360), 200, 200).rgb());
}

inline void writeFlatPicture(const QString& path, QSize size, QColor colour, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path, format, 100)) << path;
}

// A program folder of its own, made current as the program makes its folder current: tile
// pictures for every grapheme of the catalogue and of the sound buttons, the picture frame,
// and big pictures for the words drawn.
class CompletingFolder : public ProgramFolder {
public:
    static inline const QColor PictureColour{0, 120, 0};

    void writeTiles() const {
        QSet<QString> graphemes{QStringLiteral("question")};
        for (const char16_t* g : {u"sz", u"s", u"cz", u"c", u"rz", u"z", u"ż", u"dż", u"dz"})
            graphemes.insert(QString::fromUtf16(g));
        RandomGenerator random;
        const CSlowa all(random);
        for (const WordEntry& word : all.Words())
            for (const QString& g : word.graphemes())
                graphemes.insert(g);
        for (const QString& g : graphemes) {
            for (const QString& state : {QString(), QStringLiteral("_red")}) {
                for (const auto& [variant, side] : {std::pair{"_s", 44}, std::pair{"_b", 55}}) {
                    const QString name = LetterToken(g) + state + variant;
                    writeFlatPicture("Data/Intf/Lib/" + name + ".png", QSize(side, side),
                                     tileColour(name), "PNG");
                }
            }
        }
    }
    void writeFrames() const {
        writeFlatPicture(graUzupelnianie::FramePath(true), QSize(260, 280), Qt::white, "JPEG");
        writeFlatPicture(graUzupelnianie::FramePath(false), QSize(340, 360), Qt::white, "JPEG");
    }
    void writeBigPictures(const CSlowa& catalogue) const {
        for (const WordEntry& word : catalogue.SelectionList()) {
            writeFlatPicture(CSlowa::BigPicturePath(word.Key, "_ups.xji"), QSize(260, 280),
                             PictureColour, "JPEG");
            writeFlatPicture(CSlowa::BigPicturePath(word.Key, "_upb.xji"), QSize(340, 360),
                             PictureColour, "JPEG");
        }
    }
};

// The window as the game sees it: an invisible widget for the button controls and plain
// canvases, counting what the game asks of it.
class FakeCompletingWindow : public FakeSurface, public CompletingWindow {
public:
    static inline const QColor Background{250, 240, 200};

    explicit FakeCompletingWindow(QSize size) : FakeSurface(size, Background) {}

    void RepaintWindow() override {
        FakeSurface::RepaintWindow();
        frames.push_back(visible.image().copy());
    }
    void HideHelpButton() override { ++helpHidden; }

    int helpHidden = 0;
    // What every repaint brought to the screen, to see what showed during a wait.
    std::vector<QImage> frames;
};

// A seeded catalogue filtered to a few words, all of them drawn, their pictures on disk and
// loaded, statistics in the test's folder, and the game on a fake window.
class CompletingGameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gameTestApp(); }

    void SetUp() override {
        folder.writeTiles();
        folder.writeFrames();
    }
    void TearDown() override { game.reset(); }

    // Draws `count` words from the catalogue filtered with the masks and starts a game on the
    // current word.
    void startGame(std::uint16_t positions, std::uint16_t sounds, int count,
                   QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        window = std::make_unique<FakeCompletingWindow>(
            QSize(display->DesignWidth, display->DesignHeight));
        catalogue.Filter(positions, sounds);
        ASSERT_TRUE(catalogue.DrawRandom(count));
        folder.writeBigPictures(catalogue);
        catalogue.LoadBigPictures(display->IsSmall() ? "_ups.xji" : "_upb.xji");
        stats.BeginGame(CStatRec::Uzupelnianie, settings);
        game =
            std::make_unique<graUzupelnianie>(*window, catalogue, stats, player, random, *display);
        game->SetPicturePosition(266, 310);
        showWord();
    }
    // Composes the current word on a fresh background, as the window does.
    void showWord() {
        window->screen.copyFrom(window->screen.rect(), window->background, QPoint(0, 0));
        game->BuildWord();
        game->DrawWord();
        window->RepaintWindow();
    }
    // Moves to the word with this key and shows it.
    void goTo(const QString& key) {
        while (game->Previous()) {
        }
        while (catalogue.Entry(CSlowa::Selection, game->CurrentIndex()).Key != key)
            ASSERT_TRUE(game->Next()) << "no word " << key;
        showWord();
    }

    CGloska* buttonWith(const QString& sound) const {
        for (CGloska* b : {game->FirstButton(), game->SecondButton()})
            if (b && b->Sound() == sound)
                return b;
        return nullptr;
    }
    CGloska* rightButton() const { return buttonWith(game->TargetSound()); }
    CGloska* wrongButton() const {
        CGloska* right = rightButton();
        return right == game->FirstButton() ? game->SecondButton() : game->FirstButton();
    }
    QRgb screenAt(QPoint p) const { return window->screen.image().pixel(p); }

    CompletingFolder folder;
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    CStatRec stats{1, folder.path()};
    SoundPlayer player;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<FakeCompletingWindow> window;
    std::unique_ptr<graUzupelnianie> game;
};
