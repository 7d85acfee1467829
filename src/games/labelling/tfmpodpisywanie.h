#pragma once

#include "canvas.h"
#include "form.h"
#include "grapodpisywanie.h"
#include "podpisywaniewindow.h"

#include <QImage>
#include <QRegion>
#include <QStringList>
#include <array>
#include <memory>

class CDisplay;
class CPrzyciskC;
class CSlowa;
class CStatRec;
class CUstGry;
class RandomGenerator;
class SoundPlayer;
class TfmKoniecGry;

// The labelling game's window: one of five backgrounds, the help, stop, next and previous
// buttons, the word picture, its answer slots and its letter tiles, composed on an off-screen
// screen canvas that every paint copies to the window. It only wires the game object
// (graPodpisywanie) to the window, the statistics and the summary; each showing starts a new
// game.
class TfmPodpisywanie : public Form, public PodpisywanieWindow {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    static constexpr int BackgroundCount = 5;

    // Throws CBlad(1) when a background or a button picture is missing or unreadable.
    TfmPodpisywanie(const CDisplay& display, CSlowa& catalogue, CStatRec& stats, CUstGry& settings,
                    SoundPlayer& player, RandomGenerator& random, TfmKoniecGry& summary);
    ~TfmPodpisywanie() override;

    // Ends the game, writes its record and shows the summary; nothing while the summary is
    // already open.
    void A_Stop() override;
    // Draws 5 x poziom words, builds the game and starts counting a new game.
    void A_NowaGra();
    void A_Pomoc();
    void A_Nastepny();
    void A_Poprzedni();
    // A background chosen at random and the whole screen composed anew.
    void A_EkranPaint();
    void A_Powiedz();

    QWidget* TileParent() override { return this; }
    Canvas& VisibleCanvas() override { return canvas(); }
    void RepaintWindow() override;
    void DrawBackdrop() override;
    void HideHelpButton() override;
    QRect ButtonArea() const override;

    graPodpisywanie* Game() const { return m_game.get(); }
    CPrzyciskC& HelpButton() { return *m_help; }
    CPrzyciskC& StopButton() { return *m_stop; }
    CPrzyciskC& NextButton() { return *m_next; }
    CPrzyciskC& PreviousButton() { return *m_previous; }
    const Canvas& ScreenCanvas() const { return m_screen; }
    const Canvas& BackgroundCanvas() const { return m_backgroundCanvas; }
    // Which of the five backgrounds is in use, 0 to 4.
    int CurrentBackground() const { return m_current; }
    const QImage& Background(int k) const { return m_backgrounds.at(static_cast<std::size_t>(k)); }

    // Background k (1 to 5) of a screen variant.
    static QString BackgroundPath(bool smallScreen, int k);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Each runs Touch and switches the end timer off first.
    void childActed();
    void step(bool forward);
    // The current background on the background canvas and the screen canvas.
    void drawBackground();
    // Next and previous shown or hidden for the current word.
    void placeStepButtons();
    void Recompose();
    void showScreen();

    const CDisplay& m_display;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    CUstGry& m_settings;
    RandomGenerator& m_random;
    SoundPlayer& m_player;
    TfmKoniecGry& m_summary;

    int m_current = 0;
    std::array<QImage, BackgroundCount> m_backgrounds;
    int m_w;
    int m_h;
    std::unique_ptr<CPrzyciskC> m_stop;
    std::unique_ptr<CPrzyciskC> m_help;
    std::unique_ptr<CPrzyciskC> m_next;
    std::unique_ptr<CPrzyciskC> m_previous;
    QRect m_fullRect;
    Canvas m_screen;
    Canvas m_backgroundCanvas;
    Canvas m_dragCanvas;
    QRegion m_paintRegion; // what the paint under way brings to the screen; empty outside one
    std::unique_ptr<graPodpisywanie> m_game;
};
