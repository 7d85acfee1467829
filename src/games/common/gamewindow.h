#pragma once

#include "canvas.h"
#include "form.h"
#include "gamelayout.h"
#include "gamelogic.h"
#include "gameservices.h"
#include "gamesurface.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QStringList>
#include <memory>
#include <vector>

class CPrzyciskC;

// What the four game windows share: the background and screen canvases the screen is composed
// on (every paint copies the screen canvas, or the part being painted, to the window), the
// backgrounds and picture buttons of the window's layout, help and stop, Escape, the child's
// activity, and the stop that writes the game's record and shows the summary. A window derived
// from it keeps only its own layout, buttons and wiring of its game object; each showing
// starts a new game. Each window has a static Layout(display), its pictures for a screen
// variant, and PictureFiles(display), the files of that table: the start-up check reads them
// before the menu shows, although the window is made later.
class GameWindow : public Form, public virtual GameSurface {
    Q_OBJECT
public:
    ~GameWindow() override;

    // Draws the game's words and starts a new game on a freshly composed screen.
    virtual void A_NowaGra() = 0;
    virtual void A_Pomoc() = 0;
    // Ends the game, writes its record and shows the summary, then plays again or closes as
    // the summary says; nothing while the summary is already open or the game cannot stop now.
    void A_Stop() override;

    QWidget* ControlParent() override { return this; }
    Canvas& ScreenCanvas() override { return m_screen; }
    const Canvas& BackgroundCanvas() override { return m_backgroundCanvas; }
    const Canvas& BackgroundCanvas() const { return m_backgroundCanvas; }
    Canvas& VisibleCanvas() override { return canvas(); }
    void RepaintRect(const QRect& rect) override;
    void RepaintWindow() override;

    CPrzyciskC& HelpButton() { return button(GameLayout::Help); }
    CPrzyciskC& StopButton() { return button(GameLayout::Stop); }
    int BackgroundCount() const { return static_cast<int>(m_backgrounds.size()); }
    const QImage& Background(int k) const { return m_backgrounds.at(static_cast<std::size_t>(k)); }

protected:
    // Loads the layout's backgrounds (the first goes on the background canvas) and makes its
    // buttons on the screen canvas. Throws CBlad(1) when a picture is missing or unreadable.
    GameWindow(const GameServices& services, const QString& title, const GameLayout& layout);

    // The game under way, if any.
    virtual GameLogic* game() const = 0;
    // The game's timers stop before its record is written.
    virtual void stopPlay();
    // Whether the game stopping now was played to its end.
    virtual bool isComplete() const;
    // False while the game may not stop (a choice being judged).
    virtual bool canStop() const { return true; }
    // A button of the window's own, at index GameLayout::FirstOwn or later, was clicked.
    virtual void ownButtonClicked(int index);

    CPrzyciskC& button(int index) { return *m_buttons.at(static_cast<std::size_t>(index)); }
    // Help shown (and drawn) or hidden.
    void setHelpShown(bool shown);
    const CPrzyciskC& button(int index) const {
        return *m_buttons.at(static_cast<std::size_t>(index));
    }
    // Background k of the layout onto the background canvas.
    void setBackground(int k);
    // The background canvas over the whole screen canvas.
    void clearScreen();

    // Takes the old game out of play (its Retire) and keeps it until control is back in the
    // event loop that ran when it was retired: a game whose own handler led here (its end
    // timer ran the stop, whose summary asked for another game) finishes that handler first,
    // however many nested event loops (the summary's) run meanwhile.
    template <class Game> void retire(std::unique_ptr<Game>& game) {
        if (!game)
            return;
        game->Retire();
        keepUntilBackInLoop(std::shared_ptr<void>(std::move(game)));
    }

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Copies what is being painted (all of it outside a paint) from the screen canvas.
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    // Input on the window counts as the child's activity.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    const CDisplay& m_display;
    CSlowa& m_catalogue;
    CStatRec& m_stats;
    CUstGry& m_settings;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    GameSummary& m_summary;

    const int m_w;
    const int m_h;
    const QRect m_fullRect;
    Canvas m_backgroundCanvas;
    Canvas m_screen;

private:
    void buttonClicked(int index);
    void keepUntilBackInLoop(std::shared_ptr<void> game);

    std::vector<QImage> m_backgrounds;
    std::vector<std::unique_ptr<CPrzyciskC>> m_buttons;
    QRegion m_paintRegion; // what the paint under way brings to the screen; empty outside one
    std::vector<QPointer<QObject>> m_retired;
};
