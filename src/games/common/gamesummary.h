#pragma once

// The end-of-game summary as the game windows see it: shown modally when a game stops, it
// says whether the child plays again. The menu's summary window implements it, so the games
// need nothing of the menu.
class GameSummary {
public:
    // Results of ShowSummary.
    enum Result { PlayAgain = 1, Close = 2 };

    virtual ~GameSummary() = default;

    // Shows the last game's summary and returns when it is closed: PlayAgain or Close.
    virtual int ShowSummary() = 0;
    virtual bool IsShowing() const = 0;
};
