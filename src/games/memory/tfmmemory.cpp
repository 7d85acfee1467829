#include "tfmmemory.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"

GameLayout TfmMemory::Layout(const CDisplay& display) {
    const int w = display.DesignWidth;
    const int h = display.DesignHeight;
    return {{BackgroundPath(display.IsSmall())},
            {{QStringLiteral("pomoc"), QPoint(w - w / 10, 23 * h / 30)},
             {QStringLiteral("stop"), QPoint(w - w / 10 + 4, h - h / 9)}},
            {}};
}

QString TfmMemory::BackgroundPath(bool smallScreen) {
    return smallScreen ? QStringLiteral("Data/Intf/Spec/mT_Mem_s.xji")
                       : QStringLiteral("Data/Intf/Spec/mT_Mem_b.xji");
}

TfmMemory::TfmMemory(const GameServices& services)
    : GameWindow(services, QStringLiteral("Memory"), Layout(services.display)) {}

void TfmMemory::A_NowaGra() {
    retire(m_game);
    const int pairs = graMemory::PairCount(m_settings.poziom);
    m_catalogue.DrawRandom(pairs);
    m_catalogue.LoadSmallPictures();
    m_game = std::make_unique<graMemory>(*this, m_catalogue, m_stats, m_player, m_random,
                                         m_display.IsSmall(), pairs);
    m_stats.BeginGame(CStatRec::Memory, m_settings);
    A_EkranPaint();
}

void TfmMemory::A_EkranPaint() {
    clearScreen();
    HelpButton().Draw();
    StopButton().Draw();
    if (m_game)
        m_game->DrawBoard(m_screen);
    RepaintWindow();
}

void TfmMemory::A_Pomoc() {
    m_stats.Touch();
    if (m_game)
        m_game->Hint();
}

void TfmMemory::formPaint() {
    // The hint's pair is face up on the window only; the screen canvas must not cover it.
    if (m_game && m_game->IsHintShowing())
        return;
    GameWindow::formPaint();
}
