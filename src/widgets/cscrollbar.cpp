#include "cscrollbar.h"

#include "widgetpictures.h"

namespace {

const QString ThumbName = QStringLiteral("scroll");

} // namespace

QStringList CScrollBar::PictureFiles() {
    // The thumb reads the same two pictures as an image button when it is made.
    return ImageButtonMadePictureFiles(ThumbName);
}

CScrollBar::CScrollBar(QWidget& window, int x, int y, Canvas& destination, const QImage& background)
    : m_x(x), m_y(y),
      // The thumb only indicates: its click does nothing.
      m_thumb(
          std::make_unique<CScrollBut>(window, ThumbName, destination, background, x, y, [] {})) {}

void CScrollBar::SetRange(int x, int top, int bottom) {
    m_thumb->SetPosition(x, top);
    m_x = x;
    m_y = top;
    m_step = (bottom - top) / Positions;
}

void CScrollBar::moveThumb() {
    m_thumb->SetPosition(m_x, m_y);
    m_thumb->SetVisible(true);
}

void CScrollBar::StepDown() {
    m_y += m_step;
    moveThumb();
}

void CScrollBar::StepUp() {
    m_y -= m_step;
    moveThumb();
}
