#pragma once

#include "hitarea.h"
#include "spritecomposer.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class Canvas;
class QWidget;

// The picture button of the menu, summary, notice and about windows. Each state is composed
// over the window's background picture in a private canvas and copied to the window's canvas
// whole, so the button can change state without the window repainting. Pictures as for
// CPrzyciskC: N + "_D" normal, N + "_A" hover, N + "_" pressed, N + "_M" mask. The control
// takes the mask's size and its whole rectangle reacts to the mouse. The hover and pressed
// pictures are read when first shown, off the way to a window's first paint; the start-up
// check has found them by then.
//
// Until the ready flag is set (last in construction) the button ignores every event; a window
// clears it to make the button deaf for a while, and sets it again.
class CPrzyciskP {
public:
    using Action = std::function<void()>;
    using MouseHandler = std::function<void()>;

    // destination: where the button is shown (the window's canvas); background: the window's
    // background picture, the pixels under the button. Both must outlive the button. Without
    // an action a click does nothing; the window attaches its own mouse handlers. Throws
    // CBlad(1) when the normal picture or the mask is missing. Nothing is drawn until the
    // window paints.
    CPrzyciskP(QWidget& window, const QString& name, Canvas& destination, const QImage& background,
               int x, int y, Action action = {});
    CPrzyciskP(QWidget& window, const QString& name, Canvas& destination, const Canvas& background,
               int x, int y, Action action = {})
        : CPrzyciskP(window, name, destination, background.image(), x, y, std::move(action)) {}
    // The background is kept by reference: a temporary would be gone at once.
    CPrzyciskP(QWidget&, const QString&, Canvas&, const QImage&&, int, int, Action = {}) = delete;
    ~CPrzyciskP();
    CPrzyciskP(const CPrzyciskP&) = delete;
    CPrzyciskP& operator=(const CPrzyciskP&) = delete;

    // A coordinate of 0 or more moves the control; a negative one keeps it. A shown picture
    // moves with it.
    void SetPosition(int x, int y);

    // Showing composes the normal picture at once, hiding puts the background back at once
    // (both only while the button is ready).
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetVisible(bool visible);
    bool IsVisible() const;

    bool IsReady() const { return m_ready; }
    void SetReady(bool ready) { m_ready = ready; }

    int Left() const { return m_composer.rect().left(); }
    int Top() const { return m_composer.rect().top(); }
    int Width() const { return m_composer.rect().width(); }
    int Height() const { return m_composer.rect().height(); }
    // (Left, Top, Width, Height) on the destination canvas.
    QRect DestinationRect() const { return m_composer.rect(); }

    // Called after the button has drawn its state, for a left press or release on it.
    void SetOnMouseDown(MouseHandler handler) { m_onMouseDown = std::move(handler); }
    void SetOnMouseUp(MouseHandler handler) { m_onMouseUp = std::move(handler); }
    void SetOnClick(Action action);

    HitArea& control() { return *m_control; }

private:
    bool hook(HitEvent event);
    void compose(const QImage& picture);
    // The state picture, read now if it has not been; the normal picture if it cannot be.
    const QImage& later(QImage& picture, const char* state);

    QString m_name;
    QImage m_normal;
    QImage m_hover;
    QImage m_pressed;
    QImage m_mask;
    SpriteComposer m_composer;
    QPointer<HitArea> m_control;
    MouseHandler m_onMouseDown;
    MouseHandler m_onMouseUp;
    bool m_ready = false;
};
