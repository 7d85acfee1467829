#include "cprzyciskc.h"

#include "canvas.h"
#include "form.h"
#include "widgetpictures.h"

CPrzyciskC::CPrzyciskC(Form& window, const QString& name, Canvas& screen, int x, int y,
                       Action action)
    : m_normal(LibraryPicture(name + QStringLiteral("_D"))),
      m_hover(LibraryPicture(name + QStringLiteral("_A"))),
      m_pressed(LibraryPicture(name + QStringLiteral("_"))),
      m_mask(LibraryPicture(name + QStringLiteral("_M"))), m_current(&m_normal), m_screen(screen),
      m_window(window) {
    m_control = new HitArea(&window);
    m_control->setGeometry(x, y, ControlWidth, ControlHeight);
    m_control->setVisible(true);
    if (action)
        m_control->setOnClick(std::move(action));
    m_control->setHook([this](HitEvent event, const QPoint&) { return hook(event); });
}

CPrzyciskC::~CPrzyciskC() {
    // The window may have gone first and taken its child controls with it.
    if (m_control) {
        m_control->setHook({});
        m_control->setOnClick({});
        delete m_control.data();
    }
    m_current = nullptr;
}

int CPrzyciskC::Left() const {
    return m_control ? m_control->x() : 0;
}

int CPrzyciskC::Top() const {
    return m_control ? m_control->y() : 0;
}

QRect CPrzyciskC::Rect() const {
    return QRect(Left(), Top(), ControlWidth, ControlHeight);
}

bool CPrzyciskC::IsVisible() const {
    return m_control && m_control->shown();
}

void CPrzyciskC::Draw() {
    m_screen.drawMasked(Left(), Top(), m_mask, *m_current);
}

void CPrzyciskC::Show() {
    if (m_control)
        m_control->setVisible(true);
    Draw();
}

void CPrzyciskC::Hide() {
    if (m_control)
        m_control->setVisible(false);
}

bool CPrzyciskC::hook(HitEvent event) {
    // Copying to the window repaints it at once, and that paint reaches us again: it must not
    // turn the state just drawn back into the normal picture.
    if (m_drawing)
        return false;
    // An inactive window's buttons do not light up under the mouse.
    if (event == HitEvent::MouseEnter && !m_window.isActiveForm())
        return true;
    // The second press of a double click neither draws nor clicks again.
    if (event == HitEvent::LeftDoubleClick)
        return true;
    if (m_control->shown()) {
        const QImage* picked = nullptr;
        switch (event) {
        case HitEvent::Paint:
        case HitEvent::MouseLeave:
            picked = &m_normal;
            break;
        case HitEvent::LeftDown:
            picked = &m_pressed;
            break;
        case HitEvent::LeftUp:
        case HitEvent::MouseEnter:
            picked = &m_hover;
            break;
        default:
            break;
        }
        if (picked) {
            m_current = picked;
            m_drawing = true;
            Draw();
            CopyPixels(m_window.canvas(), Rect(), m_screen.image(), Rect().topLeft());
            m_drawing = false;
        }
    }
    return false;
}
