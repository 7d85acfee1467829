#include "levelmeter.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr double kFloorDb = -60;
// Per call, while the level is lower than shown: about 20 calls a second.
constexpr double kFallDb = 3;

double fraction(double db) {
    return std::clamp((db - kFloorDb) / -kFloorDb, 0.0, 1.0);
}
} // namespace

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(16);
}

void LevelMeter::SetLevel(double dbfs) {
    m_shown = dbfs >= m_shown ? dbfs : std::max(dbfs, m_shown - kFallDb);
    update();
}

void LevelMeter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(0x2E, 0x2A, 0x5A), 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(frame, 5, 5);
    const QRectF inner = frame.adjusted(3, 3, -3, -3);
    QLinearGradient colours(inner.topLeft(), inner.topRight());
    colours.setColorAt(0, QColor(0x4C, 0xB8, 0x4C));
    colours.setColorAt(fraction(-12), QColor(0x4C, 0xB8, 0x4C));
    colours.setColorAt(fraction(-6), QColor(0xF2, 0xC2, 0x1B));
    colours.setColorAt(fraction(-1.5), QColor(0xE0, 0x3C, 0x31));
    colours.setColorAt(1, QColor(0xE0, 0x3C, 0x31));
    p.setPen(Qt::NoPen);
    p.setBrush(colours);
    p.drawRoundedRect(
        QRectF(inner.topLeft(), QSizeF(inner.width() * fraction(m_shown), inner.height())), 3, 3);
}
