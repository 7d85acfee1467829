#include "ccheckbut.h"

#include "canvas.h"
#include "widgetpictures.h"

#include <QWidget>

CCheckBut::CCheckBut(QWidget& window, const QString& name, Canvas& canvas, int x, int y,
                     Action action)
    : m_off(LibraryPicture(name + QStringLiteral("_D"))),
      m_on(LibraryPicture(name + QStringLiteral("_A"))), m_canvas(canvas), m_x(x), m_y(y) {
    m_control = new HitArea(&window);
    m_control->setGeometry(x, y, m_off.width(), m_off.height());
    m_control->setVisible(true);
    if (action)
        m_control->setOnClick(std::move(action));
}

CCheckBut::~CCheckBut() {
    // The window may have gone first and taken its child controls with it.
    if (m_control) {
        m_control->setOnClick({});
        delete m_control.data();
    }
}

void CCheckBut::Draw() {
    if (m_state == 0)
        m_canvas.draw(m_x, m_y, m_off);
    else if (m_state == 1)
        m_canvas.draw(m_x, m_y, m_on);
}

void CCheckBut::Show() {
    if (m_control)
        m_control->setVisible(true);
}

void CCheckBut::Hide() {
    if (m_control)
        m_control->setVisible(false);
}

bool CCheckBut::IsVisible() const {
    return m_control && m_control->shown();
}

void CCheckBut::SetOn(int state) {
    m_state = static_cast<std::uint8_t>(state);
    Draw();
}

void CCheckBut::Toggle() {
    m_state = m_state == 0 ? 1 : 0;
    Draw();
}

void CCheckBut::SetPosition(int x, int y) {
    if (!m_control)
        return;
    if (x > 0)
        m_control->move(x, m_control->y());
    if (y > 0)
        m_control->move(m_control->x(), y);
    m_x = m_control->x();
    m_y = m_control->y();
}
