#pragma once

#include "completingwindow.h"
#include "grauzupelnianie.h"
#include "stepgamewindow.h"

#include <QPoint>
#include <QStringList>
#include <memory>

// The completing game's window: a background picture, the help, stop, next and previous
// buttons and the current word. It only wires the game object (graUzupelnianie) to the
// window; each showing starts a new game from the candidate list the menu prepared.
class TfmUzupelnianie : public StepGameWindow, public CompletingWindow {
    Q_OBJECT
public:
    static GameLayout Layout(const CDisplay& display);
    static QStringList PictureFiles(const CDisplay& display) { return Layout(display).Files(); }
    // Throws CBlad(1) when the background or a button picture is missing or unreadable.
    explicit TfmUzupelnianie(const GameServices& services);

    // Draws 5, 10 or 15 words spread over the candidate list, starts counting a new game and
    // shows its first word.
    void A_NowaGra() override;
    void A_Pomoc() override;
    void A_Nastepny() override;
    void A_Poprzedni() override;
    void A_EkranPaint();

    void HideHelpButton() override;

    graUzupelnianie* Game() const { return m_game.get(); }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);
    // Where the word's picture stands in a screen variant.
    static QPoint PicturePosition(bool smallScreen);
    // The words of a game for the completing task count: 5 × poziom.
    static int WordCount(int poziom);

protected:
    GameLogic* game() const override { return m_game.get(); }
    // Not while a choice is being judged: the pending input it lets through meanwhile must
    // not end the game under it.
    bool canStop() const override { return !busy(); }
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // True while the game judges a choice.
    bool busy() const;

    std::unique_ptr<graUzupelnianie> m_game;
};
