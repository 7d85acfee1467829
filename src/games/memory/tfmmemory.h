#pragma once

#include "gamewindow.h"
#include "gramemory.h"
#include "memorywindow.h"

#include <QStringList>
#include <memory>

// The Memory game's window: a background picture, the help and stop buttons and the board. It
// only wires the game object (graMemory) to the window; each showing starts a new game.
class TfmMemory : public GameWindow, public MemoryWindow {
    Q_OBJECT
public:
    static GameLayout Layout(const CDisplay& display);
    static QStringList PictureFiles(const CDisplay& display) { return Layout(display).Files(); }
    // Throws CBlad(1) when the background or a button picture is missing or unreadable.
    explicit TfmMemory(const GameServices& services);

    // Draws the words, deals a new board and starts counting a new game.
    void A_NowaGra() override;
    void A_Pomoc() override;
    void A_EkranPaint() override;

    graMemory* Game() const { return m_game.get(); }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);

protected:
    GameLogic* game() const override { return m_game.get(); }
    void formPaint() override;

private:
    std::unique_ptr<graMemory> m_game;
};
