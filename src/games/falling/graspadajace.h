#pragma once

#include "cminik.h"
#include "cspakart.h"
#include "gamelogic.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

class CDisplay;
class COkrag;
class CSlowa;
class CStatRec;
class FallingWindow;
class RandomGenerator;
class SoundPlayer;
struct WordEntry;

// One falling game: the catalogue's selection falls as targets, a second selection as
// distractors; caught targets fill the result slots at the bottom, and when every target is
// caught the slots open the words' big pictures in the zoom ring. It draws on the window's
// screen canvas and asks the window to repaint and to stop; it never needs the window to be
// on the screen.
class graSpadajace : public GameLogic {
public:
    static constexpr int FlashMs = 300;
    static constexpr int EndMs = 60000;
    // Two cards closer than this in both directions overlap.
    static constexpr int CollideWidth = 80;
    static constexpr int CollideHeight = 95;
    // Placing a card gives up drawing positions after this many tries and puts it above every
    // other card instead, so that placing always ends.
    static constexpr int PlacementAttempts = 200;
    // A picture that could not be loaded falls as a plain card of this size with its word.
    static constexpr QSize StandInSize{76, 95};

    // Targets for the falling game's task count: 1 → 5, 2 → 10, 3 → 15, anything else → 0.
    static int TargetsForLevel(int poziom);
    // The width of the play column, left of the panel with the buttons and labels: pictures
    // fall wholly inside it and the shot cursor aims there.
    static int PlayColumnWidth(int windowWidth) { return windowWidth * 3 / 4; }

    // One card and one slot for each word of the catalogue's selection (the targets).
    // chosenSounds is the sound mask of the game's settings: a card whose word holds one of
    // them is a target. The zoom ring is the window's and must outlive the game.
    graSpadajace(FallingWindow& window, const CSlowa& catalogue, std::uint16_t chosenSounds,
                 const CDisplay& display, COkrag& zoom, CStatRec& stats, SoundPlayer& player,
                 RandomGenerator& random);
    ~graSpadajace();
    graSpadajace(const graSpadajace&) = delete;
    graSpadajace& operator=(const graSpadajace&) = delete;

    // Appends a card for each word of the catalogue's selection (the distractors). A word
    // holding a chosen sound would be a target without a slot, so it is left out.
    void AddDistractors(const CSlowa& catalogue);
    // Places the slot row and draws it; nothing without the question picture.
    void LayoutSlots();
    // Gives every card its start position above the top edge and sets it falling.
    void StartFall();
    // Moves every falling card one pixel down, or one pixel further into the bottom line.
    void Step();
    bool IsFinished() const { return m_caught == TargetCount(); }

    // A press on a card: counts as activity, then catches a target or misses on a distractor.
    void CardPressed(CSpaKart& card);
    void Catch(CSpaKart& card);
    // The pressed distractor is wrong: the last catch goes back to falling.
    void Miss(const CSpaKart& pressed);
    // Frames the falling target nearest the top edge in red, for the rest of the game.
    void Hint();
    // The end display: the cards go, the slots open, the ring shows, the end timer runs.
    void ShowResults();
    // A click on a result slot: the word's big picture in the ring, and the word spoken.
    void ShowBig(CMiniK& slot);

    void StopTimers() override {
        m_flashTimer.stop();
        m_endTimer.stop();
    }
    bool IsComplete() const override { return IsFinished(); }
    // The timers stop and the cards and slots leave the window.
    void Retire() override;

    bool IsTarget(const CSpaKart& card) const { return (card.Flags() & m_chosenSounds) != 0; }
    int TargetCount() const { return static_cast<int>(m_slots.size()); }
    int CaughtCount() const { return m_caught; }
    int CardCount() const { return static_cast<int>(m_cards.size()); }
    CSpaKart& Card(int i) const { return *m_cards.at(static_cast<std::size_t>(i)); }
    int SlotCount() const { return static_cast<int>(m_slots.size()); }
    CMiniK& Slot(int i) const { return *m_slots.at(static_cast<std::size_t>(i)); }
    int BottomLine() const { return m_bottom; }
    // Where a slot is drawn: its size, the pitch between slots and the row's place.
    QSize SlotSize() const;
    QPoint SlotPosition(int i) const;
    QTimer& FlashTimer() { return m_flashTimer; }
    QTimer& EndTimer() { return m_endTimer; }

private:
    void addCard(const WordEntry& entry);
    bool collides(int x, int y) const;
    int randomLeft(const CSpaKart& card);
    int highestTop() const;
    void place(CSpaKart& card, int x, int y);
    void respawn(CSpaKart& card);
    void resetFlash();

    FallingWindow* m_window;
    COkrag& m_zoom;
    CStatRec& m_stats;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    std::uint16_t m_chosenSounds;
    bool m_smallScreen;
    int m_w;
    int m_h;
    int m_bottom;
    int m_caught = 0;
    QImage m_red;
    QImage m_question;
    // Destroyed in reverse: the timers stop before the slots and cards they reach go.
    std::vector<std::unique_ptr<CSpaKart>> m_cards;
    std::vector<std::unique_ptr<CMiniK>> m_slots;
    // The written word of every card by its key, for the answers the statistics hear.
    QHash<QString, QString> m_written;
    QTimer m_flashTimer;
    QTimer m_endTimer;
};
