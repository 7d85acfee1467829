#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

// One falling picture: a word's small picture, where it is on the screen canvas, and the
// invisible control that catches the child's press on it. The game decides what a press means
// and moves the card; the card only keeps its state in step with its control.
class CSpaKart {
public:
    // Width of the red frame a hint paints into the picture.
    static constexpr int FrameWidth = 4;

    // picture is the word's small picture; the card keeps its own copy. A card starts at
    // (0, 0), not falling, its control visible and as large as the picture.
    CSpaKart(QWidget* parent, const QString& name, std::uint16_t flags, const QImage& picture);
    ~CSpaKart();
    CSpaKart(const CSpaKart&) = delete;
    CSpaKart& operator=(const CSpaKart&) = delete;

    const QString& Name() const { return m_name; }
    std::uint16_t Flags() const { return m_flags; }
    const QImage& Picture() const { return m_picture; }

    int X() const { return m_x; }
    int Y() const { return m_y; }
    int Width() const { return m_picture.width(); }
    int PictureHeight() const { return m_picture.height(); }
    // The height still above the bottom line; it shrinks while the card sinks and goes below
    // zero once nothing of the card is left to see.
    int Height() const { return m_height; }
    QRect Rect() const { return QRect(m_x, m_y, Width(), m_height); }

    // Moves the card and its control.
    void MoveTo(int x, int y);
    void SetHeight(int height);

    bool IsFalling() const { return m_falling; }
    void SetFalling(bool falling) { m_falling = falling; }
    // The card takes part in the game while its control is visible.
    bool IsVisible() const;
    void SetVisible(bool visible);

    // A left press on the card; it never turns into a click of its own.
    void SetOnPress(std::function<void()> handler);
    HitArea* Control() const { return m_control; }

    // Paints the hint's red frame into the picture, where it stays.
    void PaintFrame();

private:
    QString m_name;
    std::uint16_t m_flags;
    QImage m_picture;
    QPointer<HitArea> m_control;
    std::function<void()> m_onPress;
    int m_x = 0;
    int m_y = 0;
    int m_height;
    bool m_falling = false;
};
