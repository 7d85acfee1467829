#pragma once

#include "hitarea.h"
#include "spritecomposer.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class Canvas;
class QWidget;

// The thumb of the recordings list's scroll indicator: one shaped picture (N + "_D", mask
// N + "_M") composed over the window's background like CPrzyciskP. It only shows the list's
// position; pressing or moving the mouse on it redraws it in place.
class CScrollBut {
public:
    using Action = std::function<void()>;

    // Throws CBlad(1) when a picture is missing. Both canvases belong to the window and must
    // outlive the thumb.
    CScrollBut(QWidget& window, const QString& name, Canvas& destination, const QImage& background,
               int x, int y, Action action);
    CScrollBut(QWidget&, const QString&, Canvas&, const QImage&&, int, int, Action) = delete;
    ~CScrollBut();
    CScrollBut(const CScrollBut&) = delete;
    CScrollBut& operator=(const CScrollBut&) = delete;

    // A coordinate of 0 or more moves the control; a negative one keeps it. A shown picture
    // moves with it.
    void SetPosition(int x, int y);

    // Showing draws the thumb at once, hiding puts the background back at once.
    void SetVisible(bool visible);
    bool IsVisible() const;

    bool IsPressed() const { return m_pressed; }
    bool IsReady() const { return m_ready; }

    int Left() const { return m_composer.rect().left(); }
    int Top() const { return m_composer.rect().top(); }
    QRect DestinationRect() const { return m_composer.rect(); }

    HitArea& control() { return *m_control; }

private:
    bool hook(HitEvent event);
    void redraw() { m_composer.show(m_mask, m_picture); }

    QImage m_picture;
    QImage m_mask;
    SpriteComposer m_composer;
    QPointer<HitArea> m_control;
    bool m_pressed = false;
    bool m_ready = false;
};
