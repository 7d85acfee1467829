#include "cscrollbut.h"

#include "widgetpictures.h"

#include <QWidget>

CScrollBut::CScrollBut(QWidget& window, const QString& name, Canvas& destination,
                       const QImage& background, int x, int y, Action action)
    : m_picture(LibraryPicture(name + QStringLiteral("_D"))),
      m_mask(LibraryPicture(name + QStringLiteral("_M"))),
      m_composer(destination, background, QRect(QPoint(x, y), m_mask.size())) {
    m_control = new HitArea(&window);
    m_control->setGeometry(m_composer.rect());
    m_control->setVisible(true);
    if (action)
        m_control->setOnClick(std::move(action));
    m_control->setHook([this](HitEvent event, const QPoint&) { return hook(event); });
    m_ready = true;
}

CScrollBut::~CScrollBut() {
    m_ready = false;
    if (m_control) {
        m_control->setHook({});
        m_control->setOnClick({});
        delete m_control.data();
    }
}

void CScrollBut::SetPosition(int x, int y) {
    const bool drawn = m_ready && IsVisible();
    if (!m_composer.relocate(x, y, drawn))
        return;
    if (m_control)
        m_control->setGeometry(m_composer.rect());
    if (drawn)
        redraw();
}

void CScrollBut::SetVisible(bool visible) {
    if (m_control)
        m_control->setVisible(visible);
}

bool CScrollBut::IsVisible() const {
    return m_control && m_control->shown();
}

bool CScrollBut::hook(HitEvent event) {
    if (!m_ready)
        return true;
    if (event == HitEvent::MouseEnter && !m_control->isActiveWindow())
        return true;
    // The repaint that our own copy to the window causes needs no second drawing.
    if (m_composer.busy())
        return false;
    if (event == HitEvent::VisibleChanged) {
        if (m_control->shown())
            redraw();
        else
            m_composer.erase();
        return true;
    }
    if (m_control->shown()) {
        switch (event) {
        case HitEvent::LeftDown:
            m_pressed = true;
            redraw();
            break;
        case HitEvent::LeftUp:
            m_pressed = false;
            redraw();
            break;
        case HitEvent::Paint:
        case HitEvent::MouseEnter:
        case HitEvent::MouseLeave:
            redraw();
            break;
        case HitEvent::MouseMove:
            if (m_pressed)
                redraw();
            break;
        default:
            break;
        }
    }
    return false;
}
