#include "ringpainter.h"

#include "interfacestyle.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

using S = InterfaceStyle;

qreal RingPainter::outerRadius(InterfaceNames::Variant v) {
    return v == InterfaceNames::Variant::Small ? 149 : 189;
}

qreal RingPainter::innerRadius(InterfaceNames::Variant v) {
    return v == InterfaceNames::Variant::Small ? 130 : 166;
}

MaskedPicture RingPainter::ring(InterfaceNames::Variant v) {
    const QSize size =
        InterfaceNames::fileSize("Data/Intf/Spec/Ring" + InterfaceNames::suffix(v) + ".xji");
    const qreal outer = outerRadius(v), inner = innerRadius(v);
    return MaskedPicture::render(size, S::ink(), [&](QPainter& p) {
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        QPainterPath annulus;
        annulus.addEllipse(c, outer, outer);
        annulus.addEllipse(c, inner, inner);
        QConicalGradient rainbow(c, 90);
        const QColor colours[] = {S::red(),  S::orange(), S::sun(),  S::green(), S::teal(),
                                  S::blue(), S::purple(), S::pink(), S::red()};
        for (int i = 0; i < 9; ++i)
            rainbow.setColorAt(i / 8.0, colours[i]);
        p.setPen(QPen(S::ink(), 3));
        p.setBrush(rainbow);
        p.drawPath(annulus);
        // Sparkles around the ring.
        const qreal mid = (outer + inner) / 2;
        for (int i = 0; i < 12; ++i) {
            const qreal a = i * M_PI / 6 + M_PI / 12;
            const QPointF at(c.x() + mid * qCos(a), c.y() + mid * qSin(a));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 220));
            p.drawPath(S::starPath(at, (outer - inner) * 0.32, (outer - inner) * 0.13, 4));
        }
    });
}
