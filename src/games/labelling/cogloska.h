#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <cstdint>

class Canvas;

// What a letter tile and an answer slot have in common: the grapheme they stand for, their
// place on the screen canvas and, for a tile, its picture and the invisible control that
// catches the mouse over it.
class COGloska {
public:
    // Two tiles closer than this in both directions count as lying on each other.
    static constexpr int NearDistance = 65;

    COGloska() = default;
    virtual ~COGloska();
    COGloska(const COGloska&) = delete;
    COGloska& operator=(const COGloska&) = delete;

    const QString& Text() const { return m_text; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    QPoint Position() const { return QPoint(m_x, m_y); }
    const QImage& Picture() const { return m_picture; }
    HitArea* Control() const { return m_control; }
    // The picture's rectangle at the current position.
    QRect Rect() const;

    // Stores the position and moves the control, if any, to it.
    void SetPosition(int x, int y);
    // True when (px, py) lies less than NearDistance from the position in both directions.
    bool IsNear(int px, int py) const;
    void Draw(Canvas& screen) const;
    void Hide();
    void Show();
    bool IsShown() const;

    // One step of a drag: the tile's old place is restored from `restore` (the screen without
    // the tile), the tile is drawn at (nx, ny) on `screen`, and only the rectangles it left
    // and entered are copied to `visible`. The tile never leaves the canvas, so that it can
    // always be picked up again. The control stays where it was until SetPosition.
    void MoveTo(int nx, int ny, Canvas& screen, const Canvas& restore, Canvas& visible);

protected:
    void setText(const QString& text) { m_text = text; }
    void setPicture(const QImage& picture) { m_picture = picture; }
    void setControl(HitArea* control);

private:
    QImage m_picture;
    QPointer<HitArea> m_control;
    QString m_text;
    std::int16_t m_x = 0;
    std::int16_t m_y = 0;
};
