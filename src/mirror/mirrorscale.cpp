#include "mirrorscale.h"

#include <QPainter>
#include <QTimer>
#include <cmath>

namespace {
const QColor Ink(0x2E, 0x2A, 0x5A);
const char* const Letters[] = {"s", "ś", "sz"};
} // namespace

MirrorScale::MirrorScale(QImage s, QImage si, QImage sz, QImage star, QWidget* parent)
    : QWidget(parent), m_pictures{std::move(s), std::move(si), std::move(sz)},
      m_star(std::move(star)) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    // The ball glides at the screen's rate between the analysis' frames.
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &MirrorScale::step);
    timer->start(16);
}

void MirrorScale::Show(const MirrorCoach& coach) {
    const std::optional<double> at = coach.Indicator();
    if (at) {
        m_goal = *at;
        if (!m_visible)
            m_ball = m_goal;
    }
    m_visible = at.has_value();
    m_hold = coach.HoldProgress();
    m_stars = coach.Stars();
    m_target = coach.Target();
    update();
}

void MirrorScale::step() {
    if (!m_visible || std::abs(m_goal - m_ball) < 0.002)
        return;
    m_ball += 0.3 * (m_goal - m_ball);
    update();
}

QRectF MirrorScale::track() const {
    // Pictures above the track, letters and stars below it: all within the widget.
    const double picture = std::min(height() * 0.34, width() * 0.16);
    return QRectF(picture * 0.6, picture * 1.22, width() - picture * 1.2, picture * 0.32);
}

QPointF MirrorScale::BallCentre() const {
    const QRectF t = track();
    return {t.left() + m_ball * t.width(), t.center().y()};
}

void MirrorScale::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF t = track();
    const double picture = t.height() / 0.32;

    QLinearGradient rainbow(t.topLeft(), t.topRight());
    rainbow.setColorAt(0, QColor(0x7C, 0xD3, 0x6B));
    rainbow.setColorAt(0.5, QColor(0xFF, 0xD5, 0x4F));
    rainbow.setColorAt(1, QColor(0x6F, 0xB7, 0xFF));
    p.setPen(QPen(Ink, 3));
    p.setBrush(rainbow);
    p.drawRoundedRect(t, t.height() / 2, t.height() / 2);
    // The borders between s and ś and between ś and sz.
    p.setPen(QPen(QColor(255, 255, 255, 200), 3, Qt::DashLine));
    for (double at : {ScaleEnds::SBelow, ScaleEnds::SzAbove})
        p.drawLine(QPointF(t.left() + at * t.width(), t.top() + 4),
                   QPointF(t.left() + at * t.width(), t.bottom() - 4));

    // The three pictures above the track, the chosen one in its hold ring.
    const double centres[] = {0.0, 0.5, 1.0};
    for (int i = 0; i < 3; ++i) {
        const QPointF c(t.left() + centres[i] * t.width(), t.top() - picture * 0.62);
        const QRectF box(c.x() - picture / 2, c.y() - picture / 2, picture, picture);
        const bool target = int(m_target) == i;
        if (target) {
            p.setPen(QPen(QColor(0xE9, 0x4F, 0x9A), picture * 0.07));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(
                box.adjusted(-picture * 0.06, -picture * 0.06, picture * 0.06, picture * 0.06));
            if (m_hold > 0) {
                p.setPen(
                    QPen(QColor(0xFF, 0xC1, 0x07), picture * 0.09, Qt::SolidLine, Qt::RoundCap));
                p.drawArc(
                    box.adjusted(-picture * 0.06, -picture * 0.06, picture * 0.06, picture * 0.06),
                    90 * 16, -int(m_hold * 360 * 16));
            }
        }
        if (!m_pictures[i].isNull())
            p.drawImage(box, m_pictures[i]);
        else {
            p.setPen(QPen(Ink, 3));
            p.setBrush(Qt::white);
            p.drawEllipse(box);
        }
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(int(picture * 0.3));
        p.setFont(font);
        p.setPen(Ink);
        p.drawText(QRectF(c.x() - picture, t.bottom() + 4, 2 * picture, picture * 0.4),
                   Qt::AlignCenter, QString::fromUtf8(Letters[i]));
    }

    if (m_visible) {
        const QPointF c = BallCentre();
        const double r = t.height() * 0.85;
        p.setPen(QPen(Ink, 3));
        p.setBrush(QColor(0xE9, 0x1E, 0x63));
        p.drawEllipse(c, r, r);
        p.setBrush(Ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.2), r * 0.12, r * 0.12);
        p.drawEllipse(c + QPointF(r * 0.35, -r * 0.2), r * 0.12, r * 0.12);
        p.setPen(QPen(Ink, std::max(2.0, r * 0.1), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 0.45, c.y() - r * 0.3, r * 0.9, r * 0.8), 200 * 16, 140 * 16);
    }

    // The stars earned, in a row under the letters.
    const double star = picture * 0.45;
    const int shown = std::min(m_stars, int(width() / (star * 1.1)));
    for (int i = 0; i < shown; ++i) {
        const QRectF box(width() / 2.0 - shown * star * 0.55 + i * star * 1.1,
                         t.bottom() + picture * 0.45, star, star);
        if (!m_star.isNull())
            p.drawImage(box, m_star);
    }
}
