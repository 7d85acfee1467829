#pragma once

#include "cscrollbut.h"

#include <QImage>
#include <QStringList>
#include <memory>

class Canvas;
class QWidget;

// The scroll indicator beside the recordings list: the thumb ("scroll" pictures) moves one
// step along a vertical track each time the list scrolls a line. Keeping it inside the track
// is the caller's business: it steps only when the list really scrolled.
class CScrollBar {
public:
    // Scroll positions spread over the track given to SetRange.
    static constexpr int Positions = 22;

    // The thumb's pictures, read when the indicator is made. Throws CBlad(1) when one is
    // missing.
    static QStringList PictureFiles();
    CScrollBar(QWidget& window, int x, int y, Canvas& destination, const QImage& background);
    CScrollBar(QWidget&, int, int, Canvas&, const QImage&&) = delete;

    // The thumb draws itself when shown and puts the background back when hidden.
    void Show() { m_thumb->SetVisible(true); }
    void Hide() { m_thumb->SetVisible(false); }
    bool IsVisible() const { return m_thumb->IsVisible(); }

    // The thumb goes to (x, top); a step is (bottom - top) / 22 pixels.
    void SetRange(int x, int top, int bottom);
    // One step down or up; the thumb moves there and is shown.
    void StepDown();
    void StepUp();

    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Step() const { return m_step; }
    CScrollBut& Thumb() { return *m_thumb; }

private:
    void moveThumb();

    int m_x;
    int m_y;
    int m_step = 8;
    std::unique_ptr<CScrollBut> m_thumb;
};
