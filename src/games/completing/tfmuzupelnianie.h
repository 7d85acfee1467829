#pragma once

#include "completingwindow.h"
#include "gamewindow.h"
#include "grauzupelnianie.h"

#include <QPoint>
#include <QStringList>
#include <memory>

// The completing game's window: a background picture, the help, stop, next and previous
// buttons and the current word. It only wires the game object (graUzupelnianie) to the
// window; each showing starts a new game from the candidate list the menu prepared.
class TfmUzupelnianie : public GameWindow, public CompletingWindow {
    Q_OBJECT
public:
    static constexpr int Next = GameLayout::FirstOwn;
    static constexpr int Previous = GameLayout::FirstOwn + 1;
    // The window's pictures for a screen variant: what it loads, and what the start-up check
    // reads before the menu shows, although the window is made later.
    static GameLayout Layout(const CDisplay& display);
    static QStringList PictureFiles(const CDisplay& display) { return Layout(display).Files(); }
    // Throws CBlad(1) when the background or a button picture is missing or unreadable.
    explicit TfmUzupelnianie(const GameServices& services);
    ~TfmUzupelnianie() override;

    // Draws 5, 10 or 15 words spread over the candidate list, starts counting a new game and
    // shows its first word.
    void A_NowaGra() override;
    void A_Pomoc() override;
    void A_Nastepny();
    void A_Poprzedni();
    void A_EkranPaint();

    void HideHelpButton() override;

    graUzupelnianie* Game() const { return m_game.get(); }
    CPrzyciskC& NextButton() { return button(Next); }
    CPrzyciskC& PreviousButton() { return button(Previous); }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);
    // Where the word's picture stands in a screen variant.
    static QPoint PicturePosition(bool smallScreen);
    // The words of a game for the completing task count: 5 × poziom.
    static int WordCount(int poziom);

protected:
    void stopPlay() override;
    bool isComplete() const override;
    // Not while a choice is being judged: the pending input it lets through meanwhile must
    // not end the game under it.
    bool canStop() const override { return !busy(); }
    void ownButtonClicked(int index) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // True while the game judges a choice.
    bool busy() const;

    std::unique_ptr<graUzupelnianie> m_game;
};
