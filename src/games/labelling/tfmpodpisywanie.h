#pragma once

#include "grapodpisywanie.h"
#include "podpisywaniewindow.h"
#include "stepgamewindow.h"

#include <QStringList>
#include <memory>

// The labelling game's window: one of five backgrounds, the help, stop, next and previous
// buttons, the word picture, its answer slots and its letter tiles. It only wires the game
// object (graPodpisywanie) to the window; each showing starts a new game.
class TfmPodpisywanie : public StepGameWindow, public PodpisywanieWindow {
    Q_OBJECT
public:
    static constexpr int BackgroundCount = 5;
    static GameLayout Layout(const CDisplay& display);
    static QStringList PictureFiles(const CDisplay& display) { return Layout(display).Files(); }

    // Throws CBlad(1) when a background or a button picture is missing or unreadable.
    explicit TfmPodpisywanie(const GameServices& services);

    // Draws 5 x poziom words, builds the game and starts counting a new game.
    void A_NowaGra() override;
    void A_Pomoc() override;
    void A_Nastepny() override;
    void A_Poprzedni() override;
    // A background chosen at random and the whole screen composed anew.
    void A_EkranPaint();
    void A_Powiedz();

    void DrawBackdrop() override;
    void HideHelpButton() override;
    QRect ButtonArea() const override;

    graPodpisywanie* Game() const { return m_game.get(); }
    const Canvas& ScreenCanvas() const { return m_screen; }
    // Which of the five backgrounds is in use, 0 to 4.
    int CurrentBackground() const { return m_current; }

    // Background k (1 to 5) of a screen variant.
    static QString BackgroundPath(bool smallScreen, int k);

protected:
    GameLogic* game() const override { return m_game.get(); }
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Each runs Touch and switches the end timer off first.
    void childActed();
    void step(bool forward);
    // The current background on the background canvas and the screen canvas.
    void drawBackground();
    // Next and previous shown or hidden for the current word.
    void placeStepButtons();
    void Recompose();

    int m_current = 0;
    Canvas m_dragCanvas;
    std::unique_ptr<graPodpisywanie> m_game;
};
