#include "picturecomposer.h"

#include "iconlibrary.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

PictureComposer::PictureComposer(IconLibrary& library) : library_(library) {}

QByteArray PictureComposer::sourceSvg(const RecipeLayer& layer, QString* error) {
    QByteArray doc = library_.svg(layer.source, layer.name, error);
    if (doc.isEmpty())
        return {};
    if (!layer.recolour.isEmpty()) {
        QString text = QString::fromUtf8(doc);
        for (const auto& [from, to] : layer.recolour)
            text.replace(from, to, Qt::CaseInsensitive);
        doc = text.toUtf8();
    }
    return doc;
}

QByteArray PictureComposer::inputs(const QList<RecipeLayer>& layers, QString* error) {
    QByteArray all;
    for (const RecipeLayer& layer : layers) {
        if (layer.source == "text") {
            all += layer.name.toUtf8();
            continue;
        }
        const QByteArray doc = sourceSvg(layer, error);
        if (doc.isEmpty())
            return {};
        all += doc;
    }
    return all;
}

namespace {

// The largest rectangle of the given aspect centred in box.
QRectF fitted(const QRectF& box, double aspect) {
    QRectF r = box;
    if (box.width() / box.height() > aspect)
        r.setWidth(box.height() * aspect);
    else
        r.setHeight(box.width() / aspect);
    r.moveCenter(box.center());
    return r;
}

} // namespace

bool PictureComposer::paintLayer(QPainter& painter, const RecipeLayer& layer, const QRectF& area,
                                 QString* error) {
    const QRectF box(area.x() + layer.place.x() * area.width(),
                     area.y() + layer.place.y() * area.height(), layer.place.width() * area.width(),
                     layer.place.height() * area.height());
    painter.save();
    painter.translate(box.center());
    painter.rotate(layer.rotation);
    if (layer.mirror)
        painter.scale(-1, 1);
    painter.translate(-box.center());

    if (layer.source == "text") {
        // Bold digits and letters, filled in the layer's colour with a white rim so that they
        // stay readable on any picture.
        QFont font("DejaVu Sans");
        font.setBold(true);
        font.setPixelSize(100);
        QPainterPath path;
        path.setFillRule(Qt::WindingFill); // glyph contours may overlap
        path.addText(0, 0, font, layer.name);
        const QRectF bounds = path.boundingRect();
        const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
        painter.translate(box.center());
        painter.scale(scale, scale);
        painter.translate(-bounds.center());
        painter.setPen(QPen(Qt::white, 12.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(layer.textColour);
        painter.drawPath(path);
        painter.restore();
        return true;
    }

    const QByteArray doc = sourceSvg(layer, error);
    QSvgRenderer renderer(doc);
    if (doc.isEmpty() || !renderer.isValid()) {
        if (error && !doc.isEmpty())
            *error = "picture " + layer.source + ":" + layer.name + " does not render";
        painter.restore();
        return false;
    }
    const QRectF view = renderer.viewBoxF();
    const QRectF crop(view.x() + layer.crop.x() * view.width(),
                      view.y() + layer.crop.y() * view.height(), layer.crop.width() * view.width(),
                      layer.crop.height() * view.height());
    renderer.setViewBox(crop);
    const QRectF target = fitted(box, crop.width() / crop.height());
    painter.setClipRect(target, Qt::IntersectClip);
    renderer.render(&painter, target);
    painter.restore();
    return true;
}

QImage PictureComposer::render(const QList<RecipeLayer>& layers, QSize size, const QRectF& area,
                               QString* error) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!paint(painter, layers, area, error))
        return {};
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

bool PictureComposer::paint(QPainter& painter, const QList<RecipeLayer>& layers, const QRectF& area,
                            QString* error) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const RecipeLayer& layer : layers) {
        if (!paintLayer(painter, layer, area, error))
            return false;
    }
    return true;
}
