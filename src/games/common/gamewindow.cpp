#include "gamewindow.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cstatrec.h"
#include "gamesummary.h"
#include "mediafiles.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QShowEvent>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Owns a retired game; deleted by the deferred delete of the event loop it was retired in.
class RetiredGame : public QObject {
public:
    explicit RetiredGame(std::shared_ptr<void> game) : m_game(std::move(game)) {}

private:
    std::shared_ptr<void> m_game;
};

} // namespace

GameWindow::GameWindow(const GameServices& services, const QString& title, const GameLayout& layout)
    : m_display(services.display), m_catalogue(services.catalogue), m_stats(services.stats),
      m_settings(services.settings), m_player(services.player), m_random(services.random),
      m_summary(services.summary), m_w(services.display.DesignWidth),
      m_h(services.display.DesignHeight), m_fullRect(0, 0, m_w, m_h) {
    setWindowTitle(title);
    for (const QString& path : layout.backgrounds)
        m_backgrounds.push_back(LoadRequiredPicture(path));
    move(m_display.OffsetX, m_display.OffsetY);
    setClientSize(m_w, m_h);

    m_backgroundCanvas = Canvas(m_w, m_h);
    if (!m_backgrounds.empty())
        m_backgroundCanvas.draw(0, 0, m_backgrounds.front());
    m_screen = Canvas(m_w, m_h);

    // The buttons throw CBlad(1) themselves; those made so far are freed by unwinding.
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        const GameLayout::Button& b = layout.buttons[i];
        const int index = static_cast<int>(i);
        m_buttons.push_back(std::make_unique<CPrzyciskC>(
            *this, b.name, m_screen, b.at.x(), b.at.y(), [this, index] { buttonClicked(index); }));
    }
}

GameWindow::~GameWindow() {
    // Before the window's widgets go: a game's controls are among them.
    for (const QPointer<QObject>& retired : m_retired)
        delete retired.data();
}

void GameWindow::buttonClicked(int index) {
    if (index == GameLayout::Help)
        A_Pomoc();
    else if (index == GameLayout::Stop)
        A_Stop();
    else
        ownButtonClicked(index);
}

void GameWindow::ownButtonClicked(int) {}

void GameWindow::stopPlay() {
    if (GameLogic* playing = game())
        playing->StopTimers();
}

bool GameWindow::isComplete() const {
    const GameLogic* playing = game();
    return playing && playing->IsComplete();
}

void GameWindow::setHelpShown(bool shown) {
    if (shown)
        HelpButton().Show();
    else
        HelpButton().Hide();
}

void GameWindow::setBackground(int k) {
    m_backgroundCanvas.setCopyMode(CopyMode::SrcCopy);
    m_backgroundCanvas.draw(0, 0, m_backgrounds.at(static_cast<std::size_t>(k)));
}

void GameWindow::clearScreen() {
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_fullRect, m_backgroundCanvas, QPoint(0, 0));
}

void GameWindow::keepUntilBackInLoop(std::shared_ptr<void> game) {
    std::erase_if(m_retired, [](const QPointer<QObject>& retired) { return retired.isNull(); });
    // A deferred delete waits for the event loop it was asked in: nested loops entered
    // meanwhile do not run it.
    auto* holder = new RetiredGame(std::move(game));
    m_retired.emplace_back(holder);
    holder->deleteLater();
}

void GameWindow::A_Stop() {
    // A timer of the game may still run the stop while the summary is open.
    if (m_summary.IsShowing() || !canStop())
        return;
    stopPlay();
    m_stats.EndGame();
    m_stats.WriteGame(isComplete());
    const int result = m_summary.ShowSummary();
    if (result == GameSummary::PlayAgain)
        A_NowaGra();
    else if (result == GameSummary::Close)
        closeWith(GameSummary::Close);
}

void GameWindow::RepaintRect(const QRect& rect) {
    const QRect r = rect.intersected(m_fullRect);
    if (r.isEmpty())
        return;
    // Gathered by the window system and painted together once the caller is done.
    if (isVisible())
        updateRect(r);
    else
        canvas().copyFrom(r, m_screen, r.topLeft());
}

void GameWindow::RepaintWindow() {
    if (isVisible())
        repaint();
    else
        formPaint(); // keeps the front image current for a window not on the screen yet
}

void GameWindow::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!event->spontaneous())
        A_NowaGra();
}

void GameWindow::paintEvent(QPaintEvent* event) {
    m_paintRegion = event->region();
    Form::paintEvent(event);
    m_paintRegion = QRegion();
}

void GameWindow::formPaint() {
    Canvas& front = canvas();
    front.setCopyMode(CopyMode::SrcCopy);
    // A tick of falling pictures or a drag step repaints a few small rectangles many times a
    // second: only they are copied.
    if (m_paintRegion.isEmpty()) {
        front.copyFrom(m_fullRect, m_screen, QPoint(0, 0));
        return;
    }
    for (const QRect& rect : m_paintRegion)
        front.copyFrom(rect, m_screen, rect.topLeft());
}

bool GameWindow::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return Form::keyPressed(ch);
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
    m_stats.Touch();
    Form::keyPressEvent(event);
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    m_stats.Touch();
    Form::mousePressEvent(event);
}

void GameWindow::wheelEvent(QWheelEvent* event) {
    m_stats.Touch();
    Form::wheelEvent(event);
}
