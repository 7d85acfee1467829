#pragma once

#include "cgloska.h"
#include "gamelogic.h"
#include "soundpad.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CDisplay;
class CSlowa;
class CStatRec;
class CompletingWindow;
class RandomGenerator;
class SoundPlayer;
struct WordEntry;

// One game of completing: the words of the catalogue's selection one at a time, each as a row
// of letter tiles with a question mark in place of its target sound, the word's picture below,
// and two sound buttons (the hushing sound and its hissing partner) to fill the gap with. It
// draws on the window's screen canvas and asks the window to repaint and to stop; it never
// needs the window to be on the screen. A selected word still to solve carries the drawn
// mark.
class graUzupelnianie : public GameLogic {
public:
    static constexpr int EndMs = 60000;
    static constexpr int HelpPauseMs = 1500;
    static constexpr int RightPauseMs = 1000;
    static constexpr int WrongPauseMs = 2000;
    static constexpr int TileGap = 5;

    // The two sound buttons offered for a target sound.
    struct SoundPair {
        QString first;  // the hushing sound: sz, cz, rz, ż or dż
        QString second; // its hissing partner: s, c, z or dz
    };
    // The first row holding the target; none for a sound in no row.
    static std::optional<SoundPair> PairFor(const QString& target);
    // Left edge of the first of `tiles` tiles of size tileSize, centring the row on w/2.
    static int RowStart(int tiles, int tileSize, int w);
    // The picture mask and hit area of the word pictures of a screen variant.
    static QString FramePath(bool smallScreen);

    graUzupelnianie(CompletingWindow& window, CSlowa& catalogue, CStatRec& stats,
                    SoundPlayer& player, RandomGenerator& random, const CDisplay& display);
    ~graUzupelnianie();
    graUzupelnianie(const graUzupelnianie&) = delete;
    graUzupelnianie& operator=(const graUzupelnianie&) = delete;

    void SetPicturePosition(int x, int y) { m_picture = QPoint(x, y); }
    QPoint PicturePosition() const { return m_picture; }

    // Tiles and sound buttons of the current word; a solved word gets its sound in red and
    // disabled buttons.
    void BuildWord();
    // The picture, the tiles and, while the word is unsolved, the buttons on the screen canvas.
    void DrawWord();
    // Judges the chosen sound against the target: praise and the word for the right one, the
    // chosen sound in the gap for a while and a try-again phrase for a wrong one.
    void Check();
    // False at the last word; otherwise moves on. Either way the end timer stops.
    bool Next();
    // False at the first word; otherwise moves back. Either way the end timer stops.
    bool Previous();
    bool IsLast() const { return m_index == m_lastIndex; }
    bool IsFirst() const { return m_index == 0; }
    bool IsSolved() const;
    bool AllSolved() const;
    // Says the current word (a pause instead when its sound is missing) with its missing sound
    // in the gap meanwhile, and counts a hint.
    void Help();
    // A double-click at point (window coordinates) on a solved word's picture makes the word
    // unsolved again; false when the point misses the picture.
    bool Retry(const QPoint& point);
    // The arrow keys: the sound button standing on the left (or right) side of the window,
    // chosen as a click would; false when there is none to choose.
    bool ChooseSide(bool left);

    // Runs A_Stop of the window a minute after the last word was solved.
    QTimer& EndTimer() { return m_endTimer; }
    // True while a choice is being judged or help says the word; the window takes no other
    // action meanwhile, and the input given during it is dropped.
    bool IsChecking() const { return m_checking; }
    void StopTimers() override { m_endTimer.stop(); }
    bool IsComplete() const override { return AllSolved(); }
    // The timer stops and the buttons leave the window.
    void Retire() override;

    int CurrentIndex() const { return m_index; }
    int LastIndex() const { return m_lastIndex; }
    const QString& WordName() const { return m_wordName; }
    int TileSize() const { return m_tileSize; }
    int TileCount() const { return static_cast<int>(m_tiles.size()); }
    const CGloska& Tile(int i) const { return *m_tiles.at(static_cast<std::size_t>(i)); }
    int GapIndex() const { return m_gapIndex; }
    CGloska* FirstButton() const { return m_first.get(); }
    CGloska* SecondButton() const { return m_second.get(); }
    const QString& TargetSound() const { return m_target; }
    const QString& ChosenSound() const { return m_chosen; }
    const QImage& FramePicture() const { return m_frame; }
    // Where the picture of the word lies and reacts to a double-click.
    QRect PictureRect() const;

private:
    WordEntry* current() const;
    void choose(const QString& sound);
    void endTimerFired();
    CGloska* gapTile() const;
    CGloska* buttonWith(const QString& sound) const;
    // A sound button drawn on its pad, and both taken off the screen canvas again.
    void drawButton(CGloska& button, SoundPad::Look look);
    void eraseButton(CGloska& button);
    // What an Escape given while the game was busy does once it is over.
    std::function<void()> escapeAction() const;

    QString m_wordName;
    std::uint16_t m_wordCode = 0; // the word's sound code, for the answers the statistics hear
    int m_index = 0;
    int m_lastIndex = -1;
    CompletingWindow* m_window;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    QTimer m_endTimer;
    int m_tileSize;
    std::vector<std::unique_ptr<CGloska>> m_tiles;
    int m_gapIndex = -1;
    std::unique_ptr<CGloska> m_first;
    std::unique_ptr<CGloska> m_second;
    QString m_chosen;
    QString m_target;
    QImage m_frame;
    QPoint m_picture;
    QSize m_playArea;
    QString m_variantSuffix;
    bool m_checking = false;
};
