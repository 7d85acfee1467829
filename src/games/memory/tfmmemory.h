#pragma once

#include "canvas.h"
#include "form.h"
#include "gramemory.h"
#include "memorywindow.h"

#include <QImage>
#include <QStringList>
#include <memory>
#include <vector>

class CDisplay;
class CPrzyciskC;
class CSlowa;
class CStatRec;
class CUstGry;
class RandomGenerator;
class SoundPlayer;
class TfmKoniecGry;

// The Memory game's window: a background picture, the help and stop buttons and the board,
// composed on an off-screen screen canvas that every paint copies to the window. It only
// wires the game object (graMemory) to the window, the statistics and the summary; each
// showing starts a new game.
class TfmMemory : public Form, public MemoryWindow {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    // Throws CBlad(1) when the background or a button picture is missing or unreadable.
    TfmMemory(const CDisplay& display, CSlowa& catalogue, CStatRec& stats, CUstGry& settings,
              SoundPlayer& player, RandomGenerator& random, TfmKoniecGry& summary);
    ~TfmMemory() override;

    // Ends the game, writes its record and shows the summary; nothing while the summary is
    // already open.
    void A_Stop() override;
    // Draws the words, deals a new board and starts counting a new game.
    void A_NowaGra();
    void A_Pomoc();
    void A_EkranPaint() override;

    QWidget* CardParent() override { return this; }
    Canvas& ScreenCanvas() override { return m_screen; }
    Canvas& VisibleCanvas() override { return canvas(); }
    void RepaintWindow() override;

    graMemory* Game() const { return m_game.get(); }
    CPrzyciskC& HelpButton() { return *m_help; }
    CPrzyciskC& StopButton() { return *m_stop; }
    const Canvas& BackgroundCanvas() const { return m_backgroundCanvas; }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);

protected:
    void showEvent(QShowEvent* event) override;
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    const CDisplay& m_display;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    CUstGry& m_settings;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    TfmKoniecGry& m_summary;

    int m_w;
    int m_h;
    QRect m_fullRect;
    QImage m_backgroundPicture;
    Canvas m_backgroundCanvas;
    Canvas m_screen;
    std::unique_ptr<CPrzyciskC> m_help;
    std::unique_ptr<CPrzyciskC> m_stop;
    // A game replaced from inside one of its own handlers (its last pair ran the stop, whose
    // summary asked for another game) lives on until control is back in the event loop.
    std::vector<std::unique_ptr<graMemory>> m_retired;
    std::unique_ptr<graMemory> m_game;
};
