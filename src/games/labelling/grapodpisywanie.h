#pragma once

#include "cprzgloska.h"
#include "cpusgloska.h"
#include "gamelogic.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

class Canvas;
class CSlowa;
class CStatRec;
class PodpisywanieWindow;
class RandomGenerator;
class SoundPlayer;
struct WordEntry;

// One game of labelling: the words of the catalogue's selection one at a time, each as its
// picture, its graphemes as letter tiles scattered over the left strip and the bottom band,
// and a row of answer slots under the picture. It draws on the window's screen canvas, drags
// tiles over the window's visible canvas, and asks the window only for what the interface
// PodpisywanieWindow offers; it never needs the window to be on the screen.
class graPodpisywanie : public QObject, public GameLogic {
    Q_OBJECT
public:
    static constexpr int EndMs = 60000;
    static constexpr int DropDistance = 25;
    static constexpr int FilledSlotLift = 60;
    static constexpr int SilentWordMs = 1000;
    static constexpr int PraiseToWordMs = 300;
    // Random places tried for one tile before the free places of a grid are taken instead.
    static constexpr int ScatterAttempts = 1000;
    // The gap a tile lying about keeps to the slot row and the buttons.
    static constexpr int KeepClear = 6;

    graPodpisywanie(PodpisywanieWindow& window, CSlowa& catalogue, CStatRec& stats,
                    SoundPlayer& player, RandomGenerator& random, bool smallScreen, QSize playArea);
    ~graPodpisywanie() override;
    graPodpisywanie(const graPodpisywanie&) = delete;
    graPodpisywanie& operator=(const graPodpisywanie&) = delete;

    // Where slot i of n stands, for a play area and a letter pitch: the row, frames included,
    // is centred on the play area.
    static QPoint SlotPosition(int n, int i, QSize playArea, int pitch);
    // The word picture's top-left corner in a screen variant.
    static QPoint PicturePosition(bool smallScreen);

    void SetPicturePosition(QPoint position) { m_picturePosition = position; }
    // The window's screen canvas and its drag canvas (the screen without the dragged tile).
    void SetCanvases(Canvas* screen, Canvas* restore);

    // Tiles and slots of the current word, the tiles in grapheme order.
    void BuildWord();
    // The current word's picture in its mask at the picture position.
    void DrawPicture();
    // Places every slot and draws it.
    void DrawSlots(Canvas& canvas);
    // Every tile but the one a drag is taking up, hidden ones too.
    void DrawLetters();
    void HideLetters();
    // Scatters the tiles over the left strip and the bottom band, none near another and none
    // on the slot row or the buttons. Returns how many tiles found no free place and lie near
    // another tile (0 but for crowded words).
    int ScatterLetters();
    // Scattered tiles, empty slots.
    void LayOutWord();
    // Every tile in its slot: the solved word. Needs the tiles in grapheme order.
    void ShowSolution();
    // Builds the drag canvas: the whole screen without `tile`.
    void BeginDrag(CPrzGloska& tile);
    // Judges the row once every slot holds a tile.
    void Check();
    // Shows the solution while the word sounds, counts a hint and scatters the tiles again.
    void Help();
    // A double click at (px, py) on a solved word's picture makes it unsolved again.
    bool Retry(int px, int py);
    void Say();
    bool Next();
    bool Previous();

    bool IsLast() const;
    bool IsFirst() const { return m_current == 0; }
    bool IsSolved() const;
    bool AllSolved() const;

    // The tile handlers: positions are inside the tile, as its control receives them.
    void TileDown(CPrzGloska& tile, QPoint inTile);
    void TileMove(CPrzGloska& tile, QPoint inTile, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers modifiers);
    void TileUp(CPrzGloska& tile, QPoint inTile);
    void TileDoubleClick(CPrzGloska& tile);

    QTimer& EndTimer() { return m_endTimer; }
    void StopTimers() override { m_endTimer.stop(); }
    bool IsComplete() const override { return AllSolved(); }
    // Timers stop and the tiles leave the window.
    void Retire() override;

    int CurrentIndex() const { return m_current; }
    const QString& Word() const { return m_word; }
    const QString& ExpectedAnswer() const { return m_expected; }
    int LetterPitch() const { return m_pitch; }
    const QImage& PictureMask() const { return m_mask; }
    int LetterCount() const { return static_cast<int>(m_letters.size()); }
    CPrzGloska& Letter(int i) const { return *m_letters.at(static_cast<std::size_t>(i)); }
    int SlotCount() const { return static_cast<int>(m_slots.size()); }
    CPusGloska& Slot(int i) const { return *m_slots.at(static_cast<std::size_t>(i)); }
    const CPrzGloska* DraggedLetter() const { return m_dragged; }
    // The slot row with the frames of its slots; empty without slots.
    QRect SlotRowArea() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WordEntry* currentWord() const;
    void placeSlot(int i);
    void drop(CPrzGloska& tile);
    // Off the slot row and the buttons, by KeepClear at least.
    bool isClear(const QRect& tileRect) const;
    // The nearest place to the tile's own that is clear and inside the play area.
    QPoint clearPlaceNear(const CPrzGloska& tile) const;
    QSize tileSize(const CPrzGloska& tile) const;
    bool findScatterPlace(const CPrzGloska& tile, QPoint& place);
    QPoint gridPlace(std::size_t index) const;

    PodpisywanieWindow* m_window;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    bool m_smallScreen;
    QSize m_area;

    std::int16_t m_current = 0;
    QString m_expected;
    QString m_word;
    std::uint16_t m_code = 0; // the word's sound code, for the answers the statistics hear
    std::int32_t m_last;
    QImage m_mask;
    QPoint m_picturePosition;
    std::int16_t m_pitch;
    QTimer m_endTimer;
    std::vector<std::unique_ptr<CPrzGloska>> m_letters;
    std::vector<std::unique_ptr<CPusGloska>> m_slots;
    CPrzGloska* m_dragged = nullptr;
    Canvas* m_screen = nullptr;
    Canvas* m_restore = nullptr;

    // The tile a left press went down on, and where inside it, until the button comes up.
    CPrzGloska* m_pressed = nullptr;
    QPoint m_grab;
};
