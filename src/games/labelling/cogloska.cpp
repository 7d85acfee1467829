#include "cogloska.h"

#include "canvas.h"
#include "hitarea.h"

#include <algorithm>

namespace {

// How far around the tile a drag step refreshes the window, for the pixels a tile picture
// may leave at its edges.
constexpr int RefreshMargin = 5;

} // namespace

COGloska::~COGloska() {
    if (m_control) {
        // A tile may be replaced from inside one of its own mouse handlers; its control goes
        // once the event that reached it is over.
        m_control->setHook({});
        m_control->hide();
        m_control->deleteLater();
    }
}

void COGloska::setControl(HitArea* control) {
    m_control = control;
}

QRect COGloska::Rect() const {
    return QRect(QPoint(m_x, m_y), m_picture.size());
}

void COGloska::SetPosition(int x, int y) {
    m_x = static_cast<std::int16_t>(x);
    m_y = static_cast<std::int16_t>(y);
    if (m_control)
        m_control->move(m_x, m_y);
}

bool COGloska::IsNear(int px, int py) const {
    return m_x - NearDistance < px && px < m_x + NearDistance && m_y - NearDistance < py &&
           py < m_y + NearDistance;
}

void COGloska::Draw(Canvas& screen) const {
    if (m_picture.isNull())
        return;
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.draw(m_x, m_y, m_picture);
}

void COGloska::Hide() {
    if (m_control)
        m_control->setVisible(false);
}

void COGloska::Show() {
    if (m_control)
        m_control->setVisible(true);
}

bool COGloska::IsShown() const {
    return m_control && m_control->shown();
}

void COGloska::MoveTo(int nx, int ny, Canvas& screen, const Canvas& restore, Canvas& visible) {
    const QRect left = Rect();
    nx = std::clamp(nx, 0, std::max(0, screen.width() - m_picture.width()));
    ny = std::clamp(ny, 0, std::max(0, screen.height() - m_picture.height()));
    screen.setCopyMode(CopyMode::SrcCopy);
    screen.copyFrom(left, restore, left.topLeft());
    m_x = static_cast<std::int16_t>(nx);
    m_y = static_cast<std::int16_t>(ny);
    Draw(screen);

    const auto widened = [&screen](const QRect& r) {
        return r.adjusted(-RefreshMargin, -RefreshMargin, RefreshMargin, RefreshMargin)
            .intersected(screen.rect());
    };
    const QRect from = widened(left);
    const QRect to = widened(Rect());
    visible.setCopyMode(CopyMode::SrcCopy);
    // Each rectangle goes out as a small copy of its own: the window repaints at once and
    // draws the tiles on the screen canvas, which must not be shared with a copy still under
    // way (that would duplicate the whole screen on every step).
    const auto copyOut = [&](const QRect& r) {
        visible.copyFrom(r, screen.image().copy(r), QPoint(0, 0));
    };
    // Overlapping places go out as one rectangle, so the window repaints once per step.
    if (from.intersects(to)) {
        copyOut(from.united(to));
        return;
    }
    copyOut(from);
    copyOut(to);
}
