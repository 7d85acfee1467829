#include "stepgamewindow.h"

#include "cprzyciskc.h"

GameLayout StepGameWindow::StepLayout(const CDisplay& display, const QStringList& backgrounds) {
    return {backgrounds,
            GameLayout::RightColumn(display, {QStringLiteral("pomoc"), QStringLiteral("stop"),
                                              QStringLiteral("nast"), QStringLiteral("pop")}),
            {}};
}

void StepGameWindow::ownButtonClicked(int index) {
    if (index == Next)
        A_Nastepny();
    else if (index == Previous)
        A_Poprzedni();
}

void StepGameWindow::placeStepButtons(bool first, bool last) {
    if (last)
        NextButton().Hide();
    else
        NextButton().Show();
    if (first)
        PreviousButton().Hide();
    else
        PreviousButton().Show();
}

void StepGameWindow::hideHelp() {
    HelpButton().Hide();
    const QRect rect = HelpButton().Rect();
    m_screen.setCopyMode(CopyMode::SrcCopy);
    m_screen.copyFrom(rect, m_backgroundCanvas, rect.topLeft());
}
