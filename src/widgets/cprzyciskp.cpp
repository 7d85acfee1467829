#include "cprzyciskp.h"

#include "canvas.h"
#include "cblad.h"
#include "widgetpictures.h"

#include <QWidget>

CPrzyciskP::CPrzyciskP(QWidget& window, const QString& name, Canvas& destination,
                       const QImage& background, int x, int y, Action action)
    : m_name(name), m_normal(LibraryPicture(name + QStringLiteral("_D"))),
      m_mask(LibraryPicture(name + QStringLiteral("_M"))),
      m_composer(destination, background, QRect(QPoint(x, y), m_mask.size())) {
    m_control = new HitArea(&window);
    m_control->setGeometry(m_composer.rect());
    m_control->setVisible(true);
    SetOnClick(std::move(action));
    m_control->setHook([this](HitEvent event, const QPoint&) { return hook(event); });
    m_ready = true;
}

CPrzyciskP::~CPrzyciskP() {
    m_ready = false;
    // The window may have gone first and taken its child controls with it.
    if (m_control) {
        m_control->setHook({});
        m_control->setOnClick({});
        delete m_control.data();
    }
}

void CPrzyciskP::SetOnClick(Action action) {
    if (m_control)
        m_control->setOnClick(std::move(action));
}

void CPrzyciskP::SetPosition(int x, int y) {
    const bool drawn = m_ready && IsVisible();
    if (!m_composer.relocate(x, y, drawn))
        return;
    if (m_control)
        m_control->setGeometry(m_composer.rect());
    if (drawn)
        compose(m_normal);
}

void CPrzyciskP::SetVisible(bool visible) {
    if (m_control)
        m_control->setVisible(visible);
}

bool CPrzyciskP::IsVisible() const {
    return m_control && m_control->shown();
}

void CPrzyciskP::compose(const QImage& picture) {
    m_composer.show(m_mask, picture);
}

const QImage& CPrzyciskP::later(QImage& picture, const char* state) {
    if (picture.isNull()) {
        try {
            picture = LibraryPicture(m_name + QLatin1String(state));
        } catch (const CBlad&) {
            // Gone since the start-up check found it: the button keeps working, unlit.
            picture = m_normal;
        }
    }
    return picture;
}

bool CPrzyciskP::hook(HitEvent event) {
    if (!m_ready)
        return true;
    if (event == HitEvent::MouseEnter && !m_control->isActiveWindow())
        return true;
    // The repaint that our own copy to the window causes is not a new state.
    if (m_composer.busy())
        return false;
    if (event == HitEvent::VisibleChanged) {
        if (m_control->shown())
            compose(m_normal);
        else
            m_composer.erase();
        return true;
    }
    if (m_control->shown()) {
        switch (event) {
        case HitEvent::Paint:
        case HitEvent::MouseLeave:
            compose(m_normal);
            break;
        case HitEvent::LeftDown:
            compose(later(m_pressed, "_"));
            break;
        case HitEvent::LeftUp:
        case HitEvent::MouseEnter:
            compose(later(m_hover, "_A"));
            break;
        default:
            break;
        }
    }
    // The window's own handlers come after the drawing, as the control's would.
    if (event == HitEvent::LeftDown && m_onMouseDown) {
        const MouseHandler handler = m_onMouseDown; // it may replace itself
        handler();
    } else if (event == HitEvent::LeftUp && m_onMouseUp) {
        const MouseHandler handler = m_onMouseUp;
        handler();
    }
    return false;
}
