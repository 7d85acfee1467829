#include "inputhold.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

InputHold::InputHold(QWidget* window, std::function<void()> onEscape)
    : m_window(window), m_onEscape(std::move(onEscape)) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputHold::~InputHold() {
    release();
}

void InputHold::Wait(int ms) {
    if (!m_holding || m_escape || ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    m_wait = &loop;
    loop.exec();
    m_wait = nullptr;
}

void InputHold::release() {
    if (!m_holding)
        return;
    // The input given during the blocked stretch is in the queue now: it is taken in while
    // the filter still drops it.
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(this);
    m_holding = false;
    if (m_escape && m_window && m_onEscape)
        QTimer::singleShot(0, m_window, m_onEscape);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        break;
    default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!m_window || !widget || (widget != m_window && !m_window->isAncestorOf(widget)))
        return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_escape = true;
        if (m_wait)
            m_wait->quit();
    }
    return true;
}
