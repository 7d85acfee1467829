#include "tfmuzupelnianie.h"

#include "cdisplay.h"
#include "cprzyciskc.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "mediafiles.h"
#include "messagebox.h"
#include "soundpad.h"
#include "tfmkoniecgry.h"
#include "widgetpictures.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTimer>

QStringList TfmUzupelnianie::PictureFiles(const CDisplay& display) {
    QStringList files{BackgroundPath(display.IsSmall())};
    for (const char* button : {"pomoc", "stop", "nast", "pop"})
        files << ImageButtonPictureFiles(QLatin1String(button));
    return files;
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

TfmUzupelnianie::TfmUzupelnianie(const CDisplay& display, CSlowa& catalogue, CStatRec& stats,
                                 CUstGry& settings, SoundPlayer& player, RandomGenerator& random,
                                 TfmKoniecGry& summary)
    : m_display(display), m_catalogue(catalogue), m_stats(stats), m_settings(settings),
      m_player(player), m_random(random), m_summary(summary), m_w(display.DesignWidth),
      m_h(display.DesignHeight) {
    setWindowTitle(QStringLiteral("Uzupełnianie"));
    m_backgroundPicture = LoadRequiredPicture(BackgroundPath(display.IsSmall()));
    move(display.OffsetX, display.OffsetY);
    setClientSize(m_w, m_h);
    m_fullRect = QRect(0, 0, m_w, m_h);

    m_backgroundCanvas = Canvas(m_w, m_h);
    m_backgroundCanvas.draw(0, 0, m_backgroundPicture);
    m_screen = Canvas(m_w, m_h);

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

TfmUzupelnianie::~TfmUzupelnianie() {
    m_game.reset();
    m_retired.clear();
}

bool TfmUzupelnianie::busy() const {
    return m_game && m_game->IsChecking();
}

void TfmUzupelnianie::A_NowaGra() {
    if (m_game) {
        m_game->Retire();
        m_retired.push_back(std::move(m_game));
        QTimer::singleShot(0, this, [this] {
            std::erase_if(m_retired, [](const auto& game) { return !game->IsChecking(); });
        });
    }
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
}

void TfmUzupelnianie::A_EkranPaint() {
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_fullRect, m_backgroundCanvas, QPoint(0, 0));
    m_stop->Draw();
    if (!m_game || m_game->IsLast())
        m_next->Hide();
    else
        m_next->Show();
    if (!m_game || m_game->IsFirst())
        m_previous->Hide();
    else
        m_previous->Show();
    if (!m_game || m_game->IsSolved())
        m_help->Hide();
    else
        m_help->Show();
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

void TfmUzupelnianie::A_Stop() {
    if (m_summary.IsShowing() || busy())
        return;
    if (m_game)
        m_game->EndTimer().stop();
    m_stats.EndGame();
    m_stats.WriteGame(m_game && m_game->AllSolved());
    const int result = m_summary.ShowSummary();
    if (result == TfmKoniecGry::PlayAgain) {
        A_NowaGra();
        A_EkranPaint();
    } else if (result == TfmKoniecGry::Close) {
        closeWith(TfmKoniecGry::Close);
    }
}

void TfmUzupelnianie::RepaintWindow() {
    if (isVisible())
        repaint();
    else
        formPaint(); // keeps the front image current for a window not on the screen yet
}

void TfmUzupelnianie::HideHelpButton() {
    m_help->Hide();
    // A hidden button must not stay on the screen looking usable until the next full
    // composition: its place gets the background back at once.
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(m_help->Rect(), m_backgroundCanvas, m_help->Rect().topLeft());
}

void TfmUzupelnianie::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!event->spontaneous()) {
        A_NowaGra();
        A_EkranPaint();
    }
}

void TfmUzupelnianie::formPaint() {
    canvas().copyFrom(m_fullRect, m_screen, QPoint(0, 0));
}

bool TfmUzupelnianie::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return Form::keyPressed(ch);
}

void TfmUzupelnianie::keyPressEvent(QKeyEvent* event) {
    m_stats.Touch();
    // The arrow keys choose the sound button on their side, so the game plays without a
    // mouse.
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        if (m_game && !busy())
            m_game->ChooseSide(event->key() == Qt::Key_Left);
        return;
    }
    Form::keyPressEvent(event);
}

void TfmUzupelnianie::mouseDoubleClickEvent(QMouseEvent* event) {
    m_stats.Touch();
    if (!m_game || busy())
        return;
    m_game->EndTimer().stop();
    if (event->button() != Qt::LeftButton || !m_game->IsSolved())
        return;
    if (m_game->Retry(event->position().toPoint())) {
        m_help->Show();
        RepaintWindow();
    }
}
