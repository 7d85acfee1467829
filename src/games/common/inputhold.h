#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QEventLoop;
class QWidget;

// The child's input to a window while the game is busy on the GUI thread (a choice being
// judged, a word being said). The sounds and waits block the event loop, so clicks and keys
// given meanwhile wait in the queue; replayed afterwards they would count as new answers and
// keep the window busy for as long again. From construction to release() every mouse button,
// wheel and key event for the window or its children is dropped. An Escape among them is kept:
// it cuts a Wait short, and at release the game is ended as Escape ends it.
class InputHold : public QObject {
public:
    // onEscape runs from the event loop after release(), and only while the window exists.
    InputHold(QWidget* window, std::function<void()> onEscape);
    ~InputHold() override;
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    // A pause of the game that still takes in (and drops) the input given meanwhile; it ends
    // at once on an Escape. The game's sounds, which cannot be cut, block as before.
    void Wait(int ms);
    // Takes in what arrived while busy (and drops it), then lets input through again.
    void release();
    bool EscapePressed() const { return m_escape; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_onEscape;
    QEventLoop* m_wait = nullptr;
    bool m_holding = true;
    bool m_escape = false;
};
