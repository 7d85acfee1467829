#include "cursors.h"

#include <QPainter>
#include <QPixmap>

namespace {

// A 32 x 32 sight: a ring and a cross, black over a white halo so it shows on any picture, and
// a red centre.
QCursor shotCursor() {
    constexpr int size = 32;
    constexpr int mid = size / 2;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 3}, {QColor(Qt::black), 1}}) {
        p.setPen(QPen(color, width));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(mid, mid), 10, 10);
        p.drawLine(QPointF(mid, 2), QPointF(mid, mid - 3));
        p.drawLine(QPointF(mid, mid + 3), QPointF(mid, size - 2));
        p.drawLine(QPointF(2, mid), QPointF(mid - 3, mid));
        p.drawLine(QPointF(mid + 3, mid), QPointF(size - 2, mid));
    }
    // A small red ring marks the aim; its middle stays open.
    p.setPen(QPen(QColor(Qt::red), 1.5));
    p.drawEllipse(QPointF(mid, mid), 2.5, 2.5);
    p.end();
    return QCursor(pixmap, mid, mid);
}

} // namespace

QCursor cursorFor(ProgramCursor id) {
    switch (id) {
    case ProgramCursor::Help:
        return QCursor(Qt::WhatsThisCursor);
    case ProgramCursor::Hand:
        return QCursor(Qt::PointingHandCursor);
    case ProgramCursor::Shot:
        return shotCursor();
    case ProgramCursor::Default:
        break;
    }
    return QCursor(Qt::ArrowCursor);
}

QCursor cursorFor(int id) {
    switch (id) {
    case static_cast<int>(ProgramCursor::Help):
    case static_cast<int>(ProgramCursor::Hand):
    case static_cast<int>(ProgramCursor::Shot):
        return cursorFor(static_cast<ProgramCursor>(id));
    default:
        return cursorFor(ProgramCursor::Default);
    }
}
