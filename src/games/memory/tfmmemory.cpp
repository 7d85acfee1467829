#include "tfmmemory.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "imageloader.h"
#include "mediafiles.h"
#include "tfmkoniecgry.h"
#include "widgetpictures.h"

#include <QKeyEvent>
#include <QShowEvent>
#include <QTimer>
#include <QWheelEvent>

QStringList TfmMemory::PictureFiles(const CDisplay& display) {
    return QStringList{BackgroundPath(display.IsSmall())} +
           ImageButtonPictureFiles(QStringLiteral("pomoc")) +
           ImageButtonPictureFiles(QStringLiteral("stop"));
}

QString TfmMemory::BackgroundPath(bool smallScreen) {
    return smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Mem_s.xji")
                       : QStringLiteral("Data/Intf/Spec/mT_Mem_b.xji");
}

TfmMemory::TfmMemory(const CDisplay& display, CSlowa& catalogue, CStatRec& stats, CUstGry& settings,
                     SoundPlayer& player, RandomGenerator& random, TfmKoniecGry& summary)
    : m_display(display), m_catalogue(catalogue), m_stats(stats), m_settings(settings),
      m_player(player), m_random(random), m_summary(summary), m_w(display.DesignWidth),
      m_h(display.DesignHeight) {
    setWindowTitle(QStringLiteral("Memory"));
    m_backgroundPicture = LoadRequiredPicture(BackgroundPath(display.IsSmall()));
    move(display.OffsetX, display.OffsetY);
    setClientSize(m_w, m_h);
    m_fullRect = QRect(0, 0, m_w, m_h);

    m_backgroundCanvas = Canvas(m_w, m_h);
    m_backgroundCanvas.draw(0, 0, m_backgroundPicture);
    m_screen = Canvas(m_w, m_h);

    // The buttons throw CBlad(1) themselves; members already made are freed by unwinding.
    m_help = std::make_unique<CPrzyciskC>(*this, QStringLiteral("pomoc"), m_screen, m_w - m_w / 10,
                                          23 * m_h / 30, [this] { A_Pomoc(); });
    m_stop = std::make_unique<CPrzyciskC>(*this, QStringLiteral("stop"), m_screen,
                                          m_w - m_w / 10 + 4, m_h - m_h / 9, [this] { A_Stop(); });
}

TfmMemory::~TfmMemory() {
    m_game.reset();
    m_retired.clear();
}

void TfmMemory::A_NowaGra() {
    if (m_game) {
        m_game->Retire();
        m_retired.push_back(std::move(m_game));
        QTimer::singleShot(0, this, [this] { m_retired.clear(); });
    }
    const int pairs = graMemory::PairCount(m_settings.poziom);
    m_catalogue.DrawRandom(pairs);
    m_catalogue.LoadSmallPictures();
    m_game = std::make_unique<graMemory>(*this, m_catalogue, m_stats, m_player, m_random,
                                         m_display.IsSmall(), pairs);
    m_stats.BeginGame(CStatRec::Memory, m_settings);
    A_EkranPaint();
}

void TfmMemory::A_EkranPaint() {
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_fullRect, m_backgroundCanvas, QPoint(0, 0));
    m_help->Draw();
    m_stop->Draw();
    if (m_game)
        m_game->DrawBoard(m_screen);
    RepaintWindow();
}

void TfmMemory::A_Pomoc() {
    m_stats.Touch();
    if (m_game)
        m_game->Hint();
}

void TfmMemory::A_Stop() {
    // A timer of the game may still run the stop while the summary is open.
    if (m_summary.IsShowing())
        return;
    if (m_game)
        m_game->StopTimers();
    m_stats.EndGame();
    m_stats.WriteGame(m_game && m_game->IsComplete());
    const int result = m_summary.ShowSummary();
    if (result == TfmKoniecGry::PlayAgain) {
        A_NowaGra();
    } else if (result == TfmKoniecGry::Close) {
        closeWith(TfmKoniecGry::Close);
    }
}

void TfmMemory::RepaintWindow() {
    if (isVisible())
        repaint();
    else
        formPaint(); // keeps the front image current for a window not on the screen yet
}

void TfmMemory::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!event->spontaneous())
        A_NowaGra();
}

void TfmMemory::formPaint() {
    // The hint's pair is face up on the window only; the screen canvas must not cover it.
    if (m_game && m_game->IsHintShowing())
        return;
    canvas().copyFrom(m_fullRect, m_screen, QPoint(0, 0));
}

bool TfmMemory::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return Form::keyPressed(ch);
}

void TfmMemory::keyPressEvent(QKeyEvent* event) {
    m_stats.Touch();
    Form::keyPressEvent(event);
}

void TfmMemory::wheelEvent(QWheelEvent* event) {
    m_stats.Touch();
    Form::wheelEvent(event);
}
