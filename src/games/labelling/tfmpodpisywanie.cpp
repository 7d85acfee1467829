#include "tfmpodpisywanie.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "mediafiles.h"
#include "randomgenerator.h"

#include <QKeyEvent>
#include <QMouseEvent>

GameLayout TfmPodpisywanie::Layout(const CDisplay& display) {
    QStringList backgrounds;
    for (int k = 1; k <= BackgroundCount; ++k)
        backgrounds << BackgroundPath(display.IsSmall(), k);
    return StepLayout(display, backgrounds);
}

QString TfmPodpisywanie::BackgroundPath(bool smallScreen, int k) {
    return (smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Pod_s")
                        : QStringLiteral("Data/Intf/Spec/mT_Pod_b")) +
           QString::number(k) + QStringLiteral(".xji");
}

TfmPodpisywanie::TfmPodpisywanie(const GameServices& services)
    : StepGameWindow(services, QStringLiteral("Podpisywanie"), Layout(services.display)),
      m_dragCanvas(m_w, m_h) {}

void TfmPodpisywanie::A_NowaGra() {
    retire(m_game);
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
    setBackground(m_current);
    clearScreen();
}

void TfmPodpisywanie::placeStepButtons() {
    StepGameWindow::placeStepButtons(!m_game || m_game->IsFirst(), !m_game || m_game->IsLast());
}

void TfmPodpisywanie::Recompose() {
    drawBackground();
    m_dragCanvas.setCopyMode(CopyMode::SrcCopy);
    m_dragCanvas.copyFrom(m_fullRect, m_screen, QPoint(0, 0));
    if (m_game)
        m_game->SetCanvases(&m_screen, &m_dragCanvas);
    StopButton().Draw();
    placeStepButtons();
    setHelpShown(m_game && !m_game->IsSolved());
    if (m_game) {
        m_game->DrawPicture();
        m_game->LayOutWord();
    }
    RepaintWindow();
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
    StopButton().Draw();
    placeStepButtons();
    HelpButton().Hide();
    m_game->DrawPicture();
    m_game->ShowSolution();
    RepaintWindow();
}

void TfmPodpisywanie::A_Pomoc() {
    childActed();
    if (!m_game)
        return;
    drawBackground();
    m_game->BuildWord();
    HelpButton().Draw();
    StopButton().Draw();
    placeStepButtons();
    m_game->Help();
    Recompose();
}

void TfmPodpisywanie::A_Powiedz() {
    childActed();
    if (m_game)
        m_game->Say();
}

void TfmPodpisywanie::DrawBackdrop() {
    clearScreen();
    HelpButton().Draw();
    StopButton().Draw();
    placeStepButtons();
}

void TfmPodpisywanie::HideHelpButton() {
    hideHelp();
    RepaintWindow();
}

QRect TfmPodpisywanie::ButtonArea() const {
    QRect area;
    for (int k : {GameLayout::Help, GameLayout::Stop, Next, Previous})
        area |= button(k).Rect();
    return area;
}

void TfmPodpisywanie::formPaint() {
    if (m_game)
        m_game->DrawLetters();
    StepGameWindow::formPaint();
}

bool TfmPodpisywanie::keyPressed(char16_t ch) {
    if (ch == u' ') {
        A_Powiedz();
        return true;
    }
    return StepGameWindow::keyPressed(ch);
}

void TfmPodpisywanie::mouseDoubleClickEvent(QMouseEvent* event) {
    childActed();
    if (event->button() == Qt::LeftButton && m_game && m_game->IsSolved()) {
        const QPoint at = event->position().toPoint();
        if (m_game->Retry(at.x(), at.y()))
            Recompose();
    }
    StepGameWindow::mouseDoubleClickEvent(event);
}
