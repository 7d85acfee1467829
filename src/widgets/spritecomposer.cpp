#include "spritecomposer.h"

#include "widgetpictures.h"

SpriteComposer::SpriteComposer(Canvas& destination, const QImage& background, const QRect& rect)
    : m_destination(destination), m_background(background), m_rect(rect),
      m_composition(rect.width(), rect.height()) {}

void SpriteComposer::show(const QImage& mask, const QImage& picture) {
    const QRect local(QPoint(0, 0), m_rect.size());
    m_composition.setCopyMode(CopyMode::SrcCopy);
    m_composition.copyFrom(local, m_background, m_rect.topLeft());
    m_composition.drawMasked(0, 0, mask, picture);
    m_busy = true;
    CopyPixels(m_destination, m_rect, m_composition.image(), QPoint(0, 0));
    m_busy = false;
}

void SpriteComposer::erase() {
    m_busy = true;
    CopyPixels(m_destination, m_rect, m_background, m_rect.topLeft());
    m_busy = false;
}

bool SpriteComposer::relocate(int x, int y, bool shown) {
    const QPoint to(x >= 0 ? x : m_rect.left(), y >= 0 ? y : m_rect.top());
    if (to == m_rect.topLeft())
        return false;
    if (shown)
        erase();
    m_rect.moveTo(to);
    return true;
}
