#include "tfmpodpisywanie.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "mediafiles.h"
#include "randomgenerator.h"
#include "tfmkoniecgry.h"
#include "widgetpictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QShowEvent>
#include <QWheelEvent>

QStringList TfmPodpisywanie::PictureFiles(const CDisplay& display) {
    QStringList files;
    for (int k = 1; k <= BackgroundCount; ++k)
        files << BackgroundPath(display.IsSmall(), k);
    for (const char* button : {"pomoc", "stop", "nast", "pop"})
        files << ImageButtonPictureFiles(QLatin1String(button));
    return files;
}

QString TfmPodpisywanie::BackgroundPath(bool smallScreen, int k) {
    return (smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Pod_s")
                        : QStringLiteral("Data/Intf/Spec/mT_Pod_b")) +
           QString::number(k) + QStringLiteral(".xji");
}

TfmPodpisywanie::TfmPodpisywanie(const CDisplay& display, CSlowa& catalogue, CStatRec& stats,
                                 CUstGry& settings, SoundPlayer& player, RandomGenerator& random,
                                 TfmKoniecGry& summary)
    : m_display(display), m_catalogue(catalogue), m_stats(stats), m_settings(settings),
      m_random(random), m_player(player), m_summary(summary), m_w(display.DesignWidth),
      m_h(display.DesignHeight) {
    setWindowTitle(QStringLiteral("Podpisywanie"));
    for (int k = 0; k < BackgroundCount; ++k)
        m_backgrounds[static_cast<std::size_t>(k)] =
            LoadRequiredPicture(BackgroundPath(display.IsSmall(), k + 1));
    move(display.OffsetX, display.OffsetY);
    setClientSize(m_w, m_h);
    m_fullRect = QRect(0, 0, m_w, m_h);

    m_backgroundCanvas = Canvas(m_w, m_h);
    m_backgroundCanvas.draw(0, 0, m_backgrounds[0]);
    m_screen = Canvas(m_w, m_h);
    m_dragCanvas = Canvas(m_w, m_h);

    // The buttons throw CBlad(1) themselves; members already made are freed by unwinding.
    const int x = m_w - m_w / 10;
    const int y = m_h / 7;
    m_help = std::make_unique<CPrzyciskC>(*this, QStringLiteral("pomoc"), m_screen, x, y,
                                          [this] { A_Pomoc(); });
    m_stop = std::make_unique<CPrzyciskC>(*this, QStringLiteral("stop"), m_screen, x + 4,
                                          y + m_h / 8, [this] { A_Stop(); });
    m_next = std::make_unique<CPrzyciskC>(*this, QStringLiteral("nast"), m_screen, x,
                                          y + 2 * m_h / 8, [this] { A_Nastepny(); });
    m_previous = std::make_unique<CPrzyciskC>(*this, QStringLiteral("pop"), m_screen, x,
                                              y + 3 * m_h / 8, [this] { A_Poprzedni(); });
}

TfmPodpisywanie::~TfmPodpisywanie() {
    m_game.reset();
}

void TfmPodpisywanie::A_NowaGra() {
    if (m_game) {
        // The old game may be inside one of its own handlers (its end timer ran the stop,
        // whose summary asked for another game): it goes once that is over.
        m_game->Retire();
        graPodpisywanie* old = m_game.release();
        old->setParent(this);
        old->deleteLater();
    }
    m_catalogue.DrawRandom(5 * m_settings.poziom);
    m_game = std::make_unique<graPodpisywanie>(*this, m_catalogue, m_stats, m_player, m_random,
                                               m_display.IsSmall(), QSize(m_w, m_h));
    m_game->SetPicturePosition(graPodpisywanie::PicturePosition(m_display.IsSmall()));
    m_catalogue.LoadPictures(m_display.IsSmall() ? QStringLiteral("_ups.xji")
                                                 : QStringLiteral("_upb.xji"));
    m_game->BuildWord();
    m_stats.BeginGame(CStatRec::Podpisywanie, m_settings);
    A_EkranPaint();
}

void TfmPodpisywanie::A_EkranPaint() {
    m_current = m_random.below(BackgroundCount);
    Recompose();
}

void TfmPodpisywanie::drawBackground() {
    m_backgroundCanvas.setCopyMode(CopyMode::SrcCopy);
    m_backgroundCanvas.draw(0, 0, m_backgrounds[static_cast<std::size_t>(m_current)]);
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_fullRect, m_backgroundCanvas, QPoint(0, 0));
}

void TfmPodpisywanie::placeStepButtons() {
    if (!m_game || m_game->IsLast())
        m_next->Hide();
    else
        m_next->Show();
    if (!m_game || m_game->IsFirst())
        m_previous->Hide();
    else
        m_previous->Show();
}

void TfmPodpisywanie::Recompose() {
    drawBackground();
    m_dragCanvas.setCopyMode(CopyMode::SrcCopy);
    m_dragCanvas.copyFrom(m_fullRect, m_screen, QPoint(0, 0));
    if (m_game)
        m_game->SetCanvases(&m_screen, &m_dragCanvas);
    m_stop->Draw();
    placeStepButtons();
    if (m_game && !m_game->IsSolved())
        m_help->Show();
    else
        m_help->Hide();
    if (m_game) {
        m_game->DrawPicture();
        m_game->LayOutWord();
    }
    showScreen();
}

void TfmPodpisywanie::childActed() {
    m_stats.Touch();
    if (m_game)
        m_game->EndTimer().stop();
}

void TfmPodpisywanie::A_Nastepny() {
    step(true);
}

void TfmPodpisywanie::A_Poprzedni() {
    step(false);
}

void TfmPodpisywanie::step(bool forward) {
    childActed();
    if (!m_game || !(forward ? m_game->Next() : m_game->Previous()))
        return;
    if (!m_game->IsSolved()) {
        m_game->BuildWord();
        A_EkranPaint();
        return;
    }
    // A solved word keeps the background and shows its tiles in their slots.
    drawBackground();
    m_game->BuildWord();
    m_stop->Draw();
    placeStepButtons();
    m_help->Hide();
    m_game->DrawPicture();
    m_game->ShowSolution();
    showScreen();
}

void TfmPodpisywanie::A_Pomoc() {
    childActed();
    if (!m_game)
        return;
    drawBackground();
    m_game->BuildWord();
    m_help->Draw();
    m_stop->Draw();
    placeStepButtons();
    m_game->Help();
    Recompose();
}

void TfmPodpisywanie::A_Powiedz() {
    childActed();
    if (m_game)
        m_game->Say();
}

void TfmPodpisywanie::A_Stop() {
    // The end timer may still run the stop while the summary is open.
    if (m_summary.IsShowing())
        return;
    if (m_game)
        m_game->EndTimer().stop();
    m_stats.EndGame();
    m_stats.WriteGame(m_game && m_game->AllSolved());
    const int result = m_summary.ShowSummary();
    if (result == TfmKoniecGry::PlayAgain) {
        A_NowaGra();
    } else if (result == TfmKoniecGry::Close) {
        closeWith(TfmKoniecGry::Close);
    }
}

void TfmPodpisywanie::DrawBackdrop() {
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_fullRect, m_backgroundCanvas, QPoint(0, 0));
    m_help->Draw();
    m_stop->Draw();
    placeStepButtons();
}

void TfmPodpisywanie::HideHelpButton() {
    m_help->Hide();
    // A hidden button must not stay on the screen looking as if it could still be pressed.
    const QRect rect = m_help->Rect();
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(rect, m_backgroundCanvas, rect.topLeft());
    showScreen();
}

QRect TfmPodpisywanie::ButtonArea() const {
    return m_help->Rect().united(m_stop->Rect()).united(m_next->Rect()).united(m_previous->Rect());
}

void TfmPodpisywanie::RepaintWindow() {
    showScreen();
}

void TfmPodpisywanie::showScreen() {
    if (isVisible())
        repaint();
    else
        formPaint(); // keeps the front image current for a window not on the screen yet
}

void TfmPodpisywanie::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!event->spontaneous())
        A_NowaGra();
}

void TfmPodpisywanie::paintEvent(QPaintEvent* event) {
    m_paintRegion = event->region();
    Form::paintEvent(event);
    m_paintRegion = QRegion();
}

void TfmPodpisywanie::formPaint() {
    if (m_game)
        m_game->DrawLetters();
    Canvas& front = canvas();
    front.setCopyMode(CopyMode::SrcCopy);
    // A drag step repaints two small rectangles many times a second: only they are copied.
    if (m_paintRegion.isEmpty()) {
        front.copyFrom(m_fullRect, m_screen, QPoint(0, 0));
        return;
    }
    for (const QRect& rect : m_paintRegion)
        front.copyFrom(rect, m_screen, rect.topLeft());
}

bool TfmPodpisywanie::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    if (ch == u' ') {
        A_Powiedz();
        return true;
    }
    return Form::keyPressed(ch);
}

void TfmPodpisywanie::keyPressEvent(QKeyEvent* event) {
    m_stats.Touch();
    Form::keyPressEvent(event);
}

void TfmPodpisywanie::mousePressEvent(QMouseEvent* event) {
    m_stats.Touch();
    Form::mousePressEvent(event);
}

void TfmPodpisywanie::mouseDoubleClickEvent(QMouseEvent* event) {
    childActed();
    if (event->button() == Qt::LeftButton && m_game && m_game->IsSolved()) {
        const QPoint at = event->position().toPoint();
        if (m_game->Retry(at.x(), at.y()))
            Recompose();
    }
    Form::mouseDoubleClickEvent(event);
}

void TfmPodpisywanie::wheelEvent(QWheelEvent* event) {
    m_stats.Touch();
    Form::wheelEvent(event);
}
