#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class Canvas;
class Form;

// The picture button of the game windows. It draws onto the window's off-screen screen canvas
// and, when the mouse changes its state, copies its rectangle on to the window's visible
// canvas. The four pictures of a button named N come from the picture library as N + "_D"
// (normal), N + "_A" (hover), N + "_" (pressed) and N + "_M" (mask); the mask is white on the
// button and black elsewhere, the state pictures white outside it.
//
// The control that catches the mouse is always 70 x 60 pixels, whatever the pictures' size;
// its whole rectangle reacts, and a click (press and release inside) runs the action.
class CPrzyciskC {
public:
    using Action = std::function<void()>;

    static constexpr int ControlWidth = 70;
    static constexpr int ControlHeight = 60;

    // Throws CBlad(1) when a picture is missing. Nothing is drawn yet; the current picture is
    // the normal one.
    CPrzyciskC(Form& window, const QString& name, Canvas& screen, int x, int y, Action action);
    ~CPrzyciskC();
    CPrzyciskC(const CPrzyciskC&) = delete;
    CPrzyciskC& operator=(const CPrzyciskC&) = delete;

    // Composes the mask and the current picture on the screen canvas at the control's place;
    // nothing reaches the window until it copies its screen canvas.
    void Draw();
    // Makes the control visible, then Draw.
    void Show();
    // Makes the control invisible. The pixels stay until the window repaints from its
    // background.
    void Hide();
    bool IsVisible() const;

    int Left() const;
    int Top() const;
    QRect Rect() const;

    HitArea& control() { return *m_control; }

private:
    bool hook(HitEvent event);

    QImage m_normal;
    QImage m_hover;
    QImage m_pressed;
    QImage m_mask;
    const QImage* m_current = nullptr;
    QPointer<HitArea> m_control;
    Canvas& m_screen;
    Form& m_window;
    bool m_drawing = false; // our own copy to the window is making it repaint
};
