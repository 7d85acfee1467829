#pragma once

#include "canvas.h"

#include <QPoint>
#include <QRegion>
#include <QWidget>

class QEventLoop;

// A borderless top-level window that shows its front image. Whatever is drawn on canvas()
// reaches the screen at once; the paint event only copies the front image, so the window
// background is never erased under it.
class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // The visible canvas; it always has the client size.
    Canvas& canvas();

    void setClientSize(int width, int height);
    // Puts the window in the middle of its screen (halves truncated).
    void centerOnScreen();

    // Shows the window modal and returns when it is closed: the result given to
    // setModalResult(), or 0 when it was closed another way. Not reentrant: a second call
    // while the window is already modal returns 0 at once.
    int showModal();
    bool isModal() const { return m_loop != nullptr; }
    int modalResult() const { return m_modalResult; }
    // A non-zero result closes a modal window, as the buttons of a dialog do.
    void setModalResult(int result);
    // Ends the window with this result: the modal show returns it, a window shown otherwise
    // is hidden.
    void closeWith(int result);

    bool isActiveForm() const { return isActiveWindow(); }

    // Window region: a rectangle of the given size with rounded corners, each corner an
    // ellipse of ellipseWidth x ellipseHeight (as CreateRoundRectRgn).
    void setRoundedRegion(int width, int height, int ellipseWidth, int ellipseHeight);

    // Lets the left mouse button drag the window by its body.
    void setDraggable(bool draggable) { m_draggable = draggable; }
    bool isDraggable() const { return m_draggable; }
    // Starts moving the window with the mouse; for a press that a child received and wants
    // to turn into a window drag. globalPos is where the button went down.
    void startDrag(const QPoint& globalPos);
    bool isDragging() const { return m_dragging; }

protected:
    // A typed character (27 for Escape, 13 for Enter, 8 for Backspace). Return true when
    // handled.
    virtual bool keyPressed(char16_t ch);
    // Asks for a repaint of a rectangle of the window, later; what a window that composes
    // off-screen uses instead of update().
    void updateRect(const QRect& rect);
    // Runs at the start of every paint, before the front image goes to the screen; windows
    // that compose off-screen copy their screen canvas onto canvas() here.
    virtual void formPaint() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* modalOwner() const;
    void setTransientOwner(QWidget* owner);
    void frontChanged(const QRect& rect);
    QRect withScreenEdge(const QRect& rect) const;
    void endModal();
    void stopDrag();

    void syncFrontSize();

    Canvas m_front;
    QEventLoop* m_loop = nullptr;
    int m_modalResult = 0;
    bool m_painting = false; // changes reach the screen through the paint under way
    bool m_draggable = false;
    bool m_dragging = false;
    bool m_trackingBeforeDrag = false;
    QPoint m_dragStartGlobal;
    QPoint m_dragStartPos;
};
