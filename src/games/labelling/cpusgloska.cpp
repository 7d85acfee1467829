#include "cpusgloska.h"

#include "canvas.h"
#include "cprzgloska.h"

CPusGloska::CPusGloska(bool smallScreen) : m_side(smallScreen ? 45 : 56) {}

void CPusGloska::Assign(CPrzGloska* letter) {
    setText(letter ? letter->Text() : QString());
    m_letter = letter;
}

void CPusGloska::Draw(Canvas& canvas) const {
    canvas.setBrushColor(QColor(IsEmpty() ? EmptyColour : FilledColour));
    for (int i = 0; i < FrameCount; ++i)
        canvas.frameRect(QRect(QPoint(X() - 1 - i, Y() - 1 - i),
                               QPoint(X() + m_side + i - 1, Y() + m_side + i - 1)));
    canvas.setBrushColor(Qt::white);
}
