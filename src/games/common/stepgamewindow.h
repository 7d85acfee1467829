#pragma once

#include "gamewindow.h"

// A game window whose words come one at a time: "nast" and "pop" (next and previous word)
// stand below help and stop, shown as the current word's place allows.
class StepGameWindow : public GameWindow {
    Q_OBJECT
public:
    static constexpr int Next = GameLayout::FirstOwn;
    static constexpr int Previous = GameLayout::FirstOwn + 1;

    // Help, stop, next and previous in the right-hand column, over the given backgrounds.
    static GameLayout StepLayout(const CDisplay& display, const QStringList& backgrounds);

    virtual void A_Nastepny() = 0;
    virtual void A_Poprzedni() = 0;

    CPrzyciskC& NextButton() { return button(Next); }
    CPrzyciskC& PreviousButton() { return button(Previous); }

protected:
    using GameWindow::GameWindow;

    void ownButtonClicked(int index) override;
    // Next hidden at the last word, previous at the first; shown otherwise.
    void placeStepButtons(bool first, bool last);
    // Help goes, and its place on the screen canvas gets the background back at once: a hidden
    // button must not stay there looking as if it could still be pressed.
    void hideHelp();
};
