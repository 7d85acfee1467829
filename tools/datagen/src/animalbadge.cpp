#include "animalbadge.h"

#include "picturecomposer.h"

#include <QPainter>
#include <QRadialGradient>

QImage AnimalBadge::render(PictureComposer& composer, const QList<RecipeLayer>& layers,
                           const QColor& backdrop, int size, QString* error) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // A disc lit from the upper left, with a slightly deeper rim that closes it off on white.
    const double s = size;
    const QPointF centre(s / 2, s / 2);
    const double radius = s / 2 - s / 64;
    QRadialGradient light(centre, radius, QPointF(s * 0.38, s * 0.32));
    light.setColorAt(0.0, backdrop.lighter(116));
    light.setColorAt(0.7, backdrop);
    light.setColorAt(1.0, backdrop.darker(106));
    painter.setPen(QPen(backdrop.darker(118), s / 42));
    painter.setBrush(light);
    painter.drawEllipse(centre, radius, radius);

    // The animal fills the middle two thirds: large enough to know at a glance, clear of the
    // rim all round.
    const double side = s * 0.66;
    const QRectF area(centre.x() - side / 2, centre.y() - side / 2, side, side);
    if (!composer.paint(painter, layers, area, error))
        return {};
    painter.end();
    return image;
}
