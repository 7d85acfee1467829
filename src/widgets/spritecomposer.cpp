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
