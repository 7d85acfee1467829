#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>

// What happened to a hit area, as its owner's hook hears it.
enum class HitEvent {
    Paint, // the window is repainting the area
    MouseEnter,
    MouseLeave,
    LeftDown,
    LeftUp,
    LeftDoubleClick, // the second press of a double click (there is no LeftDown for it)
    MouseMove,
    VisibleChanged, // show() or hide() changed shown()
};

// An invisible rectangle on a Form that catches the mouse for a picture drawn by its owner
// (a button, a card, a tile). It paints nothing; every event goes to the owner's hook first,
// and a hook that returns true swallows it. A left press followed by a release inside the
// area clicks, as a Windows control does; a double click does not click a second time.
class HitArea : public QWidget {
    Q_OBJECT
public:
    using Hook = std::function<bool(HitEvent event, const QPoint& pos)>;
    using ClickHandler = std::function<void()>;

    // Shown unless hidden later, like a control created visible.
    explicit HitArea(QWidget* parent);

    void setHook(Hook hook) { m_hook = std::move(hook); }
    void setOnClick(ClickHandler handler) { m_onClick = std::move(handler); }

    // The area's own visibility flag, whatever the state of its window.
    bool shown() const { return m_shown; }
    void setVisible(bool visible) override;

    // Called by the Form while it repaints a region that this area overlaps.
    void paintRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent*) override {}

private:
    bool deliver(HitEvent event, const QPoint& pos);

    Hook m_hook;
    ClickHandler m_onClick;
    bool m_shown = true;
    bool m_armed = false; // a left press began here and may end in a click
};
