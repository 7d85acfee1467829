#pragma once

#include "hitarea.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class Canvas;
class QWidget;

// One result slot in the row at the bottom of the screen: it shows a question mark until a
// target is caught into it, flashes red when a catch is lost, and after the game opens the
// caught word's big picture on a click. Its control stays hidden, off the screen, until the
// results are shown.
class CMiniK {
public:
    // red and question are the slot pictures every slot of one game shares. offScreen is
    // where the hidden control waits until the slot is laid out.
    CMiniK(QWidget* parent, QSize size, const QImage& red, const QImage& question,
           QPoint offScreen);
    ~CMiniK();
    CMiniK(const CMiniK&) = delete;
    CMiniK& operator=(const CMiniK&) = delete;

    const QString& Name() const { return m_name; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    QRect Rect() const { return QRect(m_x, m_y, m_width, m_height); }
    const QImage& Current() const { return m_current; }

    // Moves the slot and its control. A slot never moved has no place on the screen (the
    // game lays no slots out without their question picture) and draws nothing.
    void MoveTo(int x, int y);
    // The slot holds a caught word and shows a copy of its picture.
    void Fill(const QString& name, const QImage& picture);
    // Empty, showing the red picture (a lost catch) or the question picture.
    void ShowRed();
    void ShowQuestion();
    // Stretches the current picture into the slot's rectangle.
    void Draw(Canvas& canvas) const;

    bool IsControlVisible() const;
    void SetControlVisible(bool visible);
    void SetOnClick(std::function<void()> handler);
    HitArea* Control() const { return m_control; }

private:
    QString m_name;
    int m_x = 0;
    int m_y = 0;
    bool m_placed = false;
    int m_width;
    int m_height;
    QImage m_red;
    QImage m_question;
    QImage m_current;
    QPointer<HitArea> m_control;
};
