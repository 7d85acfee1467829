#pragma once

#include "canvas.h"
#include "fallingwindow.h"
#include "form.h"
#include "graspadajace.h"

#include <QCursor>
#include <QImage>
#include <QRegion>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <vector>

class CDisplay;
class COkrag;
class CPrzyciskC;
class CSlowa;
class CStatRec;
class CUstGry;
class QLabel;
class RandomGenerator;
class SoundPlayer;
class TfmKoniecGry;

// The falling game's window: a background picture, the help and stop buttons, the two labels
// naming the sounds to look for, and the falling pictures, composed on an off-screen screen
// canvas. Its 25 ms game timer moves the pictures; each tick brings only what moved onto the
// window. It wires the game object (graSpadajace) to the window, the statistics and the
// summary; each showing starts a new game.
class TfmSpadajace : public Form, public FallingWindow {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    static constexpr int TickMs = 25;
    // Space kept between a label and the window's right edge.
    static constexpr int LabelMargin = 4;

    // Throws CBlad(1) when the background, a button or a ring picture is missing or
    // unreadable.
    TfmSpadajace(const CDisplay& display, CSlowa& catalogue, CStatRec& stats, CUstGry& settings,
                 SoundPlayer& player, RandomGenerator& random, TfmKoniecGry& summary);
    ~TfmSpadajace() override;

    // Draws targets and distractors, lets them fall and starts counting a new game.
    void A_NowaGra();
    void A_EkranPaint();
    void A_Pomoc();
    // Ends the game, writes its record and shows the summary; nothing while the summary is
    // already open.
    void A_Stop() override;
    // One tick of the game timer: the steps of the task count, or the end display once every
    // target is caught.
    void t_GameTimer();

    QWidget* CardParent() override { return this; }
    Canvas& ScreenCanvas() override { return m_screen; }
    const Canvas& BackgroundCanvas() override { return m_backgroundCanvas; }
    void RepaintRect(const QRect& rect) override;
    void RepaintWindow() override;
    void ShowResultButtons() override;

    graSpadajace* Game() const { return m_game.get(); }
    CPrzyciskC& HelpButton() { return *m_help; }
    CPrzyciskC& StopButton() { return *m_stop; }
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
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fitLabelFont();
    // The shot cursor over the play area, the normal one elsewhere.
    void setCursorAt(const QPoint& pos);
    void setLabels(const QString& search, const QString& sounds, bool centred);
    void retireGame();

    const CDisplay& m_display;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    CUstGry& m_settings;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    TfmKoniecGry& m_summary;

    int m_w;
    int m_h;
    QRect m_fullRect;
    QImage m_backgroundPicture;
    Canvas m_backgroundCanvas;
    Canvas m_screen;
    QRegion m_paintRegion; // what the paint under way brings from the screen canvas
    QCursor m_shotCursor;
    bool m_cursorFollowsMouse = false;
    std::unique_ptr<CPrzyciskC> m_help;
    std::unique_ptr<CPrzyciskC> m_stop;
    std::unique_ptr<COkrag> m_zoom;
    int m_searchLeft = 0;
    QLabel* m_vpSzukaj = nullptr;
    QLabel* m_vpSzukGloski = nullptr;
    QTimer m_gameTimer;
    // A game replaced from inside one of its own handlers (its end timer ran the stop, whose
    // summary asked for another game) lives on until control is back in the event loop.
    std::vector<std::unique_ptr<graSpadajace>> m_retired;
    std::unique_ptr<graSpadajace> m_game;
};
