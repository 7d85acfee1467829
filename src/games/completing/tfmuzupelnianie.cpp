#include "tfmuzupelnianie.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "mediafiles.h"
#include "messagebox.h"
#include "soundpad.h"

#include <QKeyEvent>
#include <QMouseEvent>

GameLayout TfmUzupelnianie::Layout(const CDisplay& display) {
    return StepLayout(display, {BackgroundPath(display.IsSmall())});
}

QString TfmUzupelnianie::BackgroundPath(bool smallScreen) {
    return smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Uzu_s.xji")
                       : QStringLiteral("Data/Intf/Spec/mT_Uzu_b.xji");
}

QPoint TfmUzupelnianie::PicturePosition(bool smallScreen) {
    return smallScreen ? QPoint(266, 310) : QPoint(338, 388);
}

int TfmUzupelnianie::WordCount(int poziom) {
    return 5 * poziom;
}

TfmUzupelnianie::TfmUzupelnianie(const GameServices& services)
    : StepGameWindow(services, QStringLiteral("Uzupełnianie"), Layout(services.display)) {}

bool TfmUzupelnianie::busy() const {
    return m_game && m_game->IsChecking();
}

void TfmUzupelnianie::A_NowaGra() {
    retire(m_game);
    // The menu filtered the catalogue before showing the window; a new game from the summary
    // draws again from that same list.
    m_catalogue.DrawSpread(WordCount(m_settings.poziom), m_settings.gloski);
    m_game = std::make_unique<graUzupelnianie>(*this, m_catalogue, m_stats, m_player, m_random,
                                               m_display);
    const QPoint at = PicturePosition(m_display.IsSmall());
    m_game->SetPicturePosition(at.x(), at.y());
    m_catalogue.LoadBigPictures(m_display.IsSmall() ? QStringLiteral("_ups.xji")
                                                    : QStringLiteral("_upb.xji"));
    m_stats.BeginGame(CStatRec::Uzupelnianie, m_settings);
    A_EkranPaint();
}

void TfmUzupelnianie::A_EkranPaint() {
    clearScreen();
    StopButton().Draw();
    placeStepButtons(!m_game || m_game->IsFirst(), !m_game || m_game->IsLast());
    setHelpShown(m_game && !m_game->IsSolved());
    if (m_game) {
        m_game->BuildWord();
        m_game->DrawWord();
    }
    RepaintWindow();
}

void TfmUzupelnianie::A_Nastepny() {
    m_stats.Touch();
    if (!m_game || busy())
        return;
    if (m_game->Next())
        A_EkranPaint();
    else
        A_Stop();
}

void TfmUzupelnianie::A_Poprzedni() {
    m_stats.Touch();
    if (!m_game || busy())
        return;
    if (m_game->Previous())
        A_EkranPaint();
    else
        MessageBox::show(this, QStringLiteral("Pierwsze słowo"), QStringLiteral("Info"),
                         MessageBox::Icon::Information);
}

void TfmUzupelnianie::A_Pomoc() {
    m_stats.Touch();
    if (m_game && !busy())
        m_game->Help();
}

void TfmUzupelnianie::HideHelpButton() {
    hideHelp();
}

void TfmUzupelnianie::keyPressEvent(QKeyEvent* event) {
    // The arrow keys choose the sound button on their side, so the game plays without a
    // mouse.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        m_stats.Touch();
        if (m_game && !busy())
            m_game->ChooseSide(event->key() == Qt::Key_Left);
        return;
    }
    StepGameWindow::keyPressEvent(event);
}

void TfmUzupelnianie::mouseDoubleClickEvent(QMouseEvent* event) {
    m_stats.Touch();
    if (!m_game || busy())
        return;
    m_game->EndTimer().stop();
    if (event->button() != Qt::LeftButton || !m_game->IsSolved())
        return;
    if (m_game->Retry(event->position().toPoint())) {
        HelpButton().Show();
        RepaintWindow();
    }
}
