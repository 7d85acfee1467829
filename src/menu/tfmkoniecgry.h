#pragma once

#include "form.h"
#include "gamesummary.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <memory>

class CDisplay;
class CPrzyciskP;
class CStatRec;
class QLabel;

// The end-of-game summary every game shows when it stops: playing time, correct and wrong
// answers and hints of the last game run, over a picture chosen by the grade, with "start"
// (play again) and "stop". Created once and shown any number of times.
class TfmKoniecGry : public Form, public GameSummary {
    Q_OBJECT
public:
    // The interface picture files the constructor reads, relative to the program's folder: the
    // entry checks them all before the menu shows, although the window is made later.
    static QStringList PictureFiles(const CDisplay& display);
    static constexpr int DesignWidth = 600;
    static constexpr int DesignHeight = 450;

    // Throws CBlad(1) when a grade picture or a button picture is missing or unreadable.
    TfmKoniecGry(const CDisplay& display, CStatRec& stats);
    ~TfmKoniecGry() override;

    // The window to centre over; while there is none (or it is hidden) the summary is centred
    // on the screen.
    void SetMainWindow(QWidget* mainWindow);

    // Fills the labels from the statistics, picks the grade picture and shows the window
    // modally. PlayAgain for "start", Close for "stop", Escape or any other way of closing.
    int ShowSummary() override;
    bool IsShowing() const override { return isVisible(); }

    void A_OdNowa();
    void A_Stop();

    // The picture under the labels and buttons: the last grade's, before any showing grade 2.
    const QImage& Background() const { return m_background; }
    QLabel* lab_Czas() const { return m_czas; }
    QLabel* lab_Dobre() const { return m_dobre; }
    QLabel* lab_Zle() const { return m_zle; }
    QLabel* lab_Pomoc() const { return m_pomoc; }
    CPrzyciskP& StartButton() { return *m_start; }
    CPrzyciskP& StopButton() { return *m_stop; }

protected:
    bool keyPressed(char16_t ch) override;

private:
    QLabel* addCaption(const QString& text, int x, int y);
    QLabel* addValue(int leftEdge, int y);
    void fillFromStatistics();
    void placeWindow();

    const CDisplay& m_display;
    CStatRec& m_stats;
    QPointer<QWidget> m_mainWindow;
    QImage m_bad;
    QImage m_middle;
    QImage m_good;
    QImage m_background;
    QLabel* m_czas = nullptr;
    QLabel* m_dobre = nullptr;
    QLabel* m_zle = nullptr;
    QLabel* m_pomoc = nullptr;
    std::unique_ptr<CPrzyciskP> m_start;
    std::unique_ptr<CPrzyciskP> m_stop;
};
