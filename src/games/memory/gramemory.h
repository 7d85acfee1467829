#pragma once

#include "answersink.h"
#include "ckarta.h"
#include "gamelogic.h"
#include "wordentry.h"

#include <QHash>
#include <QPoint>
#include <memory>
#include <vector>

class CSlowa;
class CStatRec;
class MemoryWindow;
class RandomGenerator;
class SoundPlayer;

// One game of Memory: the board of face-down cards, dealt from the catalogue's selection, and
// the rules of turning them. It draws on the window's screen canvas and asks the window to
// repaint, compose the screen anew and stop; it never needs the window to be on the screen.
class graMemory : public GameLogic {
public:
    static constexpr int HintMs = 500;

    // Deals two cards for each selected word, up to pairCount words, onto a board of
    // 2 x pairCount slots (pairCount 3, 6 or 10; any other count gives an empty board).
    graMemory(MemoryWindow& window, const CSlowa& catalogue, CStatRec& stats, SoundPlayer& player,
              RandomGenerator& random, bool smallScreen, int pairCount);
    ~graMemory();
    graMemory(const graMemory&) = delete;
    graMemory& operator=(const graMemory&) = delete;

    // Pairs for the Memory task count: 1 → 3, 2 → 6, 3 → 10, anything else → 0.
    static int PairCount(int poziom);
    // Top-left corner of slot `slot` on a board of `cards` cards; (0, 0) for an unknown board.
    static QPoint SlotPosition(int cards, int slot, bool smallScreen);
    // Where the big picture of a found pair goes.
    static QPoint MatchPosition(bool smallScreen);

    // Places every card still on the board at its slot and draws its back.
    void DrawBoard(Canvas& canvas);
    // Both given, different, both on the board, and of one word.
    bool IsMatch(const CKarta* a, const CKarta* b) const;
    // Shows one pair face up on the window for half a second. Does nothing (and counts no
    // hint) while a turn is under way or when no card is left.
    void Hint();
    // True when no card is left on the board.
    bool IsComplete() const override;

    // The click rules of one card; the card controls call it.
    void CardClicked(CKarta& card);

    // Stops the pair and turn-back timers, so nothing of this game runs any more.
    void StopTimers() override;
    // Takes the cards off the window for good; the game may be destroyed later.
    void Retire() override;

    int SlotCount() const { return static_cast<int>(m_cards.size()); }
    // The card in a slot, or null for an empty slot.
    CKarta* Card(int slot) const;
    const CKarta* FirstCard() const { return m_firstCard; }
    int CardsLeft() const { return m_cardsLeft; }
    int TurnedCount() const { return m_turnedCount; }
    bool IsInputOpen() const { return m_inputOpen; }
    // True while the hint has cards face up on the visible canvas; the window must not paint
    // its screen canvas over them meanwhile.
    bool IsHintShowing() const { return m_hintShowing; }

private:
    void removePair(CKarta& second);
    void turnBack(CKarta& second);
    // Tells the statistics of a judged action on the card's word.
    void answered(AnswerSink::Outcome outcome, const CKarta& card, const QString& answer = {});
    QString writtenWord(const CKarta& card) const;

    std::vector<std::unique_ptr<CKarta>> m_cards;
    // The dealt words by key: a card knows only its key.
    QHash<QString, WordEntry> m_words;
    MemoryWindow* m_window;
    CStatRec& m_stats;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    CKarta* m_firstCard = nullptr;
    int m_cardsLeft = 0;
    int m_turnedCount = 0;
    bool m_inputOpen = true;
    bool m_hintShowing = false;
    bool m_smallScreen;
};
