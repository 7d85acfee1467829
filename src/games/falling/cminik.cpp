#include "cminik.h"

#include "canvas.h"
#include "cursors.h"
#include "hitarea.h"

#include <QWidget>

CMiniK::CMiniK(QWidget* parent, QSize size, const QImage& red, const QImage& question,
               QPoint offScreen)
    : m_width(size.width()), m_height(size.height()), m_red(red), m_question(question),
      m_current(question) {
    m_control = new HitArea(parent);
    m_control->setGeometry(QRect(offScreen, size));
    m_control->setCursor(cursorFor(ProgramCursor::Hand));
    m_control->setVisible(false);
}

CMiniK::~CMiniK() {
    delete m_control.data();
}

void CMiniK::MoveTo(int x, int y) {
    m_x = x;
    m_y = y;
    m_placed = true;
    if (m_control)
        m_control->move(x, y);
}

void CMiniK::Fill(const QString& name, const QImage& picture) {
    m_name = name;
    m_current = picture;
}

void CMiniK::ShowRed() {
    m_name.clear();
    m_current = m_red;
}

void CMiniK::ShowQuestion() {
    m_name.clear();
    m_current = m_question;
}

void CMiniK::Draw(Canvas& canvas) const {
    if (m_placed && !m_current.isNull())
        canvas.stretchDraw(Rect(), m_current);
}

bool CMiniK::IsControlVisible() const {
    return m_control && m_control->shown();
}

void CMiniK::SetControlVisible(bool visible) {
    if (m_control)
        m_control->setVisible(visible);
}

void CMiniK::SetOnClick(std::function<void()> handler) {
    if (m_control)
        m_control->setOnClick(std::move(handler));
}
