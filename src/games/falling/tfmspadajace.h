#pragma once

#include "fallingwindow.h"
#include "gamewindow.h"
#include "graspadajace.h"

#include <QCursor>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <memory>

class COkrag;
class QLabel;

// The falling game's window: a background picture, the help and stop buttons, the two labels
// naming the sounds to look for, and the falling pictures. Its 25 ms game timer moves the
// pictures; each tick brings only what moved onto the window. It wires the game object
// (graSpadajace) to the window; each showing starts a new game.
class TfmSpadajace : public GameWindow, public FallingWindow {
    Q_OBJECT
public:
    static constexpr int TickMs = 25;
    // Space kept between a label and the window's right edge.
    static constexpr int LabelMargin = 4;
    // With the zoom ring's pictures.
    static GameLayout Layout(const CDisplay& display);
    static QStringList PictureFiles(const CDisplay& display) { return Layout(display).Files(); }

    // Throws CBlad(1) when the background, a button or a ring picture is missing or
    // unreadable.
    explicit TfmSpadajace(const GameServices& services);
    ~TfmSpadajace() override;

    // Draws targets and distractors, lets them fall and starts counting a new game.
    void A_NowaGra() override;
    void A_EkranPaint();
    void A_Pomoc() override;
    // One tick of the game timer: the steps of the task count, or the end display once every
    // target is caught.
    void t_GameTimer();

    void ShowResultButtons() override;

    graSpadajace* Game() const { return m_game.get(); }
    QLabel& SearchLabel() { return *m_vpSzukaj; }
    QLabel& SoundsLabel() { return *m_vpSzukGloski; }
    QTimer& GameTimer() { return m_gameTimer; }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);
    // The chosen sound groups as the label names them: "SZ, CZ" for 0x01 and 0x04.
    static QString SoundsText(std::uint16_t gloski);
    // Steps per tick for the task count: 1, 2 or 3; none for any other value.
    static int StepsPerTick(int poziom);
    // Whether the shot cursor belongs at this window point while pictures fall.
    bool IsShotArea(const QPoint& pos) const;

protected:
    // The pictures stop, and leave the screen with their controls, before the summary shows.
    GameLogic* game() const override { return m_game.get(); }
    void stopPlay() override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitLabelFont();
    // The shot cursor over the play area, the normal one elsewhere.
    void setCursorAt(const QPoint& pos);
    void setLabels(const QString& search, const QString& sounds, bool centred);

    QCursor m_shotCursor;
    bool m_cursorFollowsMouse = false;
    std::unique_ptr<COkrag> m_zoom;
    int m_searchLeft = 0;
    QLabel* m_vpSzukaj = nullptr;
    QLabel* m_vpSzukGloski = nullptr;
    QTimer m_gameTimer;
    std::unique_ptr<graSpadajace> m_game;
};
