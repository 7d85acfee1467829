#pragma once

#include "mirrorcoach.h"

#include <QImage>
#include <QWidget>

// The mirror's scale as a child sees it: a rainbow track from the snake's "sss" on the left
// through the chick's "ś" to the wind's "szsz" on the right, a ball with a face that glides to
// where the sound is, a ring filling round the chosen sound's picture while it is held, and the
// stars earned. It eases towards the coach's indicator at the screen's rate.
class MirrorScale : public QWidget {
    Q_OBJECT
public:
    // The three pictures, s, ś, sz; a null one is drawn as its letter on a disc.
    MirrorScale(QImage s, QImage si, QImage sz, QImage star, QWidget* parent = nullptr);

    void Show(const MirrorCoach& coach);
    // Where the ball is drawn now, 0..1 across the track; none while no sound is made.
    std::optional<double> BallAt() const {
        return m_visible ? std::optional(m_ball) : std::nullopt;
    }
    // The ball's centre in the widget, for the end-to-end check of its side.
    QPointF BallCentre() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF track() const;
    void step();

    QImage m_pictures[3];
    QImage m_star;
    double m_ball = 0.5;
    double m_goal = 0.5;
    bool m_visible = false;
    double m_hold = 0;
    int m_stars = 0;
    Sibilant m_target = Sibilant::Sz;
};
