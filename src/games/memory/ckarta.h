#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class Canvas;
class QWidget;
class SoundPlayer;

// One Memory card: a word's small picture as its face, the common card back, and the word's
// big picture (with the common oval mask) shown beside the board when its pair is found. The
// card catches clicks with an invisible control on the window; the game decides what a click
// means.
class CKarta {
public:
    static constexpr int RemoveMs = 2000;
    static constexpr int TurnBackMs = 1200;

    // The shared pictures every card of one game uses; loaded once by the game.
    struct Common {
        QImage back;      // "Data/Sio/blkcard0.xji"
        QImage matchMask; // "Data/Bio/_matr_ms.xji" or "_matr_mb.xji"
        QPoint matchPosition;
    };

    // face is the word's small picture from the selection; the match picture is read from
    // "Data/Bio/<key>_ms.xji" (small screen) or "_mb.xji" (big) when it exists.
    CKarta(QWidget* window, const QString& key, const QImage& face, const Common& common,
           bool smallScreen);
    ~CKarta();
    CKarta(const CKarta&) = delete;
    CKarta& operator=(const CKarta&) = delete;

    const QString& Key() const { return m_word; }

    void SetOnClick(std::function<void()> handler);
    void SetOnRemove(std::function<void()> handler);
    void SetOnTurnBack(std::function<void()> handler);

    void SetPosition(int x, int y);
    int Left() const;
    int Top() const;
    QRect Rect() const;

    // The card is on the board while its control is visible.
    bool IsVisible() const;
    void SetVisible(bool visible);

    void DrawBack(Canvas& canvas) const;
    void DrawFace(Canvas& canvas) const;
    // The word's big picture beside the board, masked into its oval. Without a mask or
    // picture nothing is drawn rather than a stray rectangle.
    void ShowMatch(Canvas& screen) const;
    // Speaks the word to its end; nothing when the sound file is missing.
    void PlayWord(SoundPlayer& player) const;

    QTimer& RemoveTimer() { return m_removeTimer; }
    QTimer& TurnBackTimer() { return m_turnBackTimer; }
    const QTimer& RemoveTimer() const { return m_removeTimer; }
    const QTimer& TurnBackTimer() const { return m_turnBackTimer; }
    HitArea* Control() const { return m_control; }

    const QImage& Face() const { return m_face; }
    const QImage& MatchPicture() const { return m_matchPicture; }

private:
    QTimer m_removeTimer;
    QTimer m_turnBackTimer;
    QString m_word;
    QPointer<HitArea> m_control;
    QImage m_face;
    QImage m_back;
    QImage m_matchMask;
    QImage m_matchPicture;
    QPoint m_matchPosition;
};
