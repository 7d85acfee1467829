#pragma once

#include "canvas.h"
#include "completingwindow.h"
#include "form.h"
#include "grauzupelnianie.h"

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <memory>
#include <vector>

class CDisplay;
class CPrzyciskC;
class CSlowa;
class CStatRec;
class CUstGry;
class RandomGenerator;
class SoundPlayer;
class TfmKoniecGry;

// The completing game's window: a background picture, the help, stop, next and previous
// buttons and the current word, composed on an off-screen screen canvas that every paint
// copies to the window. It only wires the game object (graUzupelnianie) to the window, the
// statistics and the summary; each showing starts a new game from the candidate list the
// menu prepared.
class TfmUzupelnianie : public Form, public CompletingWindow {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    // Throws CBlad(1) when the background or a button picture is missing or unreadable.
    TfmUzupelnianie(const CDisplay& display, CSlowa& catalogue, CStatRec& stats, CUstGry& settings,
                    SoundPlayer& player, RandomGenerator& random, TfmKoniecGry& summary);
    ~TfmUzupelnianie() override;

    // Ends the game, writes its record and shows the summary; nothing while the summary is
    // already open or a choice is being judged.
    void A_Stop() override;
    // Draws 5, 10 or 15 words spread over the candidate list and starts counting a new game.
    void A_NowaGra();
    void A_Pomoc();
    void A_Nastepny();
    void A_Poprzedni();
    void A_EkranPaint();

    QWidget* ButtonParent() override { return this; }
    Canvas& ScreenCanvas() override { return m_screen; }
    const Canvas& BackgroundCanvas() override { return m_backgroundCanvas; }
    void RepaintWindow() override;
    void HideHelpButton() override;

    graUzupelnianie* Game() const { return m_game.get(); }
    CPrzyciskC& HelpButton() { return *m_help; }
    CPrzyciskC& StopButton() { return *m_stop; }
    CPrzyciskC& NextButton() { return *m_next; }
    CPrzyciskC& PreviousButton() { return *m_previous; }

    // The background picture of a screen variant.
    static QString BackgroundPath(bool smallScreen);
    // Where the word's picture stands in a screen variant.
    static QPoint PicturePosition(bool smallScreen);
    // The words of a game for the completing task count: 5 × poziom.
    static int WordCount(int poziom);

protected:
    void showEvent(QShowEvent* event) override;
    void formPaint() override;
    bool keyPressed(char16_t ch) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // True while the game judges a choice: the pending input it lets through meanwhile must
    // not move to another word or end the game under it.
    bool busy() const;

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
    std::unique_ptr<CPrzyciskC> m_help;
    std::unique_ptr<CPrzyciskC> m_stop;
    std::unique_ptr<CPrzyciskC> m_next;
    std::unique_ptr<CPrzyciskC> m_previous;
    // A game replaced from inside one of its own handlers (its end timer ran the stop, whose
    // summary asked for another game) lives on until control is back in the event loop.
    std::vector<std::unique_ptr<graUzupelnianie>> m_retired;
    std::unique_ptr<graUzupelnianie> m_game;
};
