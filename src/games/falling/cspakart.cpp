#include "cspakart.h"

#include "hitarea.h"

#include <QWidget>
#include <algorithm>

CSpaKart::CSpaKart(QWidget* parent, const QString& name, std::uint16_t flags, const QImage& picture)
    : m_name(name), m_flags(flags), m_picture(picture.convertToFormat(QImage::Format_RGB32)),
      m_height(m_picture.height()) {
    m_control = new HitArea(parent);
    m_control->setGeometry(0, 0, Width(), std::max(m_height, 0));
    m_control->setVisible(true);
    // The picture moves on under the mouse, so the press itself counts: a press and a release
    // that must meet on the same moving picture would miss for a small hand.
    m_control->setHook([this](HitEvent event, const QPoint&) {
        if (event != HitEvent::LeftDown && event != HitEvent::LeftDoubleClick)
            return false;
        if (m_onPress) {
            const std::function<void()> handler = m_onPress; // it may end the game
            handler();
        }
        return true;
    });
}

CSpaKart::~CSpaKart() {
    delete m_control.data();
}

void CSpaKart::MoveTo(int x, int y) {
    m_x = x;
    m_y = y;
    if (m_control)
        m_control->move(x, y);
}

void CSpaKart::SetHeight(int height) {
    m_height = height;
    if (m_control)
        m_control->resize(Width(), std::max(height, 0));
}

bool CSpaKart::IsVisible() const {
    return m_control && m_control->shown();
}

void CSpaKart::SetVisible(bool visible) {
    if (m_control)
        m_control->setVisible(visible);
}

void CSpaKart::SetOnPress(std::function<void()> handler) {
    m_onPress = std::move(handler);
}

void CSpaKart::PaintFrame() {
    const QRgb red = qRgb(255, 0, 0);
    const int w = m_picture.width();
    const int h = m_picture.height();
    for (int inset = 0; inset < FrameWidth; ++inset) {
        const int left = inset;
        const int right = w - 1 - inset;
        const int top = inset;
        const int bottom = h - 1 - inset;
        if (left > right || top > bottom)
            break;
        for (int x = left; x <= right; ++x) {
            m_picture.setPixel(x, top, red);
            m_picture.setPixel(x, bottom, red);
        }
        for (int y = top; y <= bottom; ++y) {
            m_picture.setPixel(left, y, red);
            m_picture.setPixel(right, y, red);
        }
    }
}
