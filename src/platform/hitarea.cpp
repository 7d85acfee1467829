#include "hitarea.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>

HitArea::HitArea(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true); // moves without a button pressed reach the hook too
    setAttribute(Qt::WA_NoSystemBackground);
    if (parent && parent->isVisible())
        QWidget::setVisible(true);
}

void HitArea::setVisible(bool visible) {
    const bool changed = visible != m_shown;
    m_shown = visible;
    if (!visible)
        m_armed = false;
    QWidget::setVisible(visible);
    if (changed)
        deliver(HitEvent::VisibleChanged, QPoint());
}

void HitArea::paintRequested() {
    deliver(HitEvent::Paint, QPoint());
}

bool HitArea::deliver(HitEvent event, const QPoint& pos) {
    return m_hook && m_hook(event, pos);
}

bool HitArea::event(QEvent* event) {
    QPointer<HitArea> self(this);
    switch (event->type()) {
    case QEvent::Enter:
        deliver(HitEvent::MouseEnter, static_cast<QEnterEvent*>(event)->position().toPoint());
        return true;
    case QEvent::Leave:
        deliver(HitEvent::MouseLeave, QPoint());
        return true;
    case QEvent::MouseMove:
        deliver(HitEvent::MouseMove, static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const QPoint pos = mouse->position().toPoint();
        if (event->type() == QEvent::MouseButtonPress) {
            const bool swallowed = deliver(HitEvent::LeftDown, pos);
            if (self)
                m_armed = !swallowed;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            // Windows sends a double click instead of the second press: it never arms a click.
            m_armed = false;
            deliver(HitEvent::LeftDoubleClick, pos);
        } else {
            const bool swallowed = deliver(HitEvent::LeftUp, pos);
            if (!self)
                return true;
            const bool click = !swallowed && m_armed && rect().contains(pos);
            m_armed = false;
            if (click && m_onClick) {
                const ClickHandler handler = m_onClick; // it may replace itself or delete us
                handler();
            }
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}
