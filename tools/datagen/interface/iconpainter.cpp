#include "iconpainter.h"

#include "interfacestyle.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>

using S = InterfaceStyle;

namespace {

// The tile every part is clipped to; its margin keeps the outline inside the square.
QPainterPath tilePath() {
    QPainterPath tile;
    tile.addRoundedRect(QRectF(10, 10, 236, 236), 52, 52);
    return tile;
}

// A rounded bubble with a tail at its lower left, pointing to the child's mouth.
QPainterPath bubblePath() {
    QPainterPath body;
    body.addRoundedRect(QRectF(36, 40, 184, 118), 50, 50);
    QPainterPath tail;
    tail.moveTo(66, 140);
    tail.lineTo(54, 196);
    tail.lineTo(112, 150);
    tail.closeSubpath();
    return body.united(tail).simplified();
}

QPainterPath hillPath(const QRectF& r) {
    QPainterPath hill;
    hill.addEllipse(r);
    return hill;
}

} // namespace

void IconPainter::paint(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath tile = tilePath();

    // Shapes are cut to the tile by path intersection, not by clipping, which the SVG form
    // would lose.
    QLinearGradient sky(0, 10, 0, 246);
    sky.setColorAt(0, S::skyLight());
    sky.setColorAt(1, S::sky());
    p.fillPath(tile, sky);
    p.fillPath(hillPath(QRectF(-14, 178, 150, 140))
                   .united(hillPath(QRectF(120, 188, 170, 130)))
                   .intersected(tile),
               S::grass().lighter(112));
    p.fillPath(hillPath(QRectF(40, 206, 210, 120)).intersected(tile), S::grass());
    S::flower(p, QPointF(196, 214), 11, S::pink());
    S::flower(p, QPointF(150, 228), 9, S::sun());
    S::star(p, QPointF(208, 48), 16, S::sun(), 3);

    const QPainterPath bubble = bubblePath();
    p.setPen(QPen(S::ink(), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(bubble);
    S::outlinedText(p, QRectF(36, 36, 184, 118), QStringLiteral("sz"), S::childFont(104), S::red(),
                    S::ink(), 4);

    p.setPen(QPen(S::ink(), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tile);
    p.restore();
}

QImage IconPainter::png(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(qreal(size) / DesignSize, qreal(size) / DesignSize);
    paint(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray IconPainter::svg() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(DesignSize, DesignSize));
    generator.setViewBox(QRect(0, 0, DesignSize, DesignSize));
    generator.setTitle(QStringLiteral("Wiklotek Cz.I"));
    generator.setDescription(QStringLiteral("Wiklotek Cz.I: gry logopedyczne"));
    QPainter p(&generator);
    paint(p);
    p.end();
    return bytes;
}

QList<int> IconPainter::pngSizes() {
    return {16, 24, 32, 48, 64, 128, 256, 512};
}

bool IconPainter::writeTheme(const QString& dir, QStringList* errors) {
    const auto write = [&](const QString& folder, const QString& name, const QByteArray& bytes) {
        const QString path = dir + QStringLiteral("/hicolor/") + folder + QStringLiteral("/apps");
        QSaveFile file(path + u'/' + name);
        if (QDir().mkpath(path) && file.open(QIODevice::WriteOnly) &&
            file.write(bytes) == bytes.size() && file.commit())
            return true;
        if (errors)
            *errors << file.fileName();
        return false;
    };
    bool ok = write(QStringLiteral("scalable"), QString::fromLatin1(IconName) + ".svg", svg());
    for (const int size : pngSizes()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        png(size).save(&buffer, "PNG");
        ok = write(QStringLiteral("%1x%1").arg(size), QString::fromLatin1(IconName) + ".png",
                   bytes) &&
             ok;
    }
    return ok;
}
