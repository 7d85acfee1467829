#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

class Canvas;
class QWidget;

// A two-state picture button of the main window's game tabs: base name + "_D" when off,
// base name + "_A" when on, drawn straight onto the window's canvas. A click runs the action
// and nothing else: the window decides what the click does to the state (a task-count button
// is set and its siblings cleared; a sound or position button is toggled).
class CCheckBut {
public:
    using Action = std::function<void()>;

    // The control takes the off picture's size. State 0; nothing is drawn yet. Throws
    // CBlad(1) when a picture is missing.
    CCheckBut(QWidget& window, const QString& name, Canvas& canvas, int x, int y, Action action);
    ~CCheckBut();
    CCheckBut(const CCheckBut&) = delete;
    CCheckBut& operator=(const CCheckBut&) = delete;

    // The picture of the state at (x, y) in the canvas's copy mode: 0 off, 1 on; any other
    // state draws nothing.
    void Draw();
    // Neither draws nor erases: the window redraws its background and the shown buttons.
    void Show();
    void Hide();
    bool IsVisible() const;

    int IsOn() const { return m_state; }
    // Stores the state (kept as one byte), then Draw.
    void SetOn(int state);
    // 0 becomes 1, anything else 0; then Draw.
    void Toggle();

    // An x above 0 moves the control's left, a y above 0 its top; 0 and negative values keep
    // the coordinate. The draw position follows the control.
    void SetPosition(int x, int y);
    int X() const { return m_x; }
    int Y() const { return m_y; }

    HitArea& control() { return *m_control; }

private:
    QImage m_off;
    QImage m_on;
    QPointer<HitArea> m_control;
    Canvas& m_canvas;
    int m_x;
    int m_y;
    std::uint8_t m_state = 0;
};
