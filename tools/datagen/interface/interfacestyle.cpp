#include "interfacestyle.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QtMath>

#include <random>

QColor InterfaceStyle::groupColour(int g) {
    static const QColor colours[] = {blue(), purple(), orange(), teal()};
    return colours[qBound(0, g, 3)];
}

QColor InterfaceStyle::tabColour(int t) {
    static const QColor colours[] = {orange(), blue(), green(), pink(), purple()};
    return colours[qBound(0, t, 4)];
}

QFont InterfaceStyle::childFont(qreal pixelSize, bool bold) {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains("Andika"))
            return QString("Andika");
        // Not known to the font database (no fontconfig entry): load the file itself.
        for (const char* file : {"/usr/share/fonts/truetype/andika/Andika-Bold.ttf",
                                 "/usr/share/fonts/truetype/andika/Andika-Regular.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(file);
            if (id >= 0 && !QFontDatabase::applicationFontFamilies(id).isEmpty())
                return QFontDatabase::applicationFontFamilies(id).first();
        }
        return QString("DejaVu Sans");
    }();
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont InterfaceStyle::fitFont(const QString& text, const QSizeF& box, qreal maxPixelSize,
                              bool bold) {
    for (qreal size = maxPixelSize; size > 6; size -= 1) {
        const QFont font = childFont(size, bold);
        const QFontMetricsF metrics(font);
        const QRectF r = metrics.boundingRect(QRectF(0, 0, 10000, 10000), 0, text);
        if (r.width() <= box.width() &&
            metrics.height() * text.count('\n') + metrics.capHeight() <= box.height() + 0.01)
            return font;
    }
    return childFont(6, bold);
}

QPainterPath InterfaceStyle::textPath(const QRectF& box, const QString& text, const QFont& font,
                                      int flags) {
    // Lay the text out with QFontMetrics, then keep it as a path so that the outline is even.
    const QFontMetricsF metrics(font);
    const QStringList lines = text.split('\n');
    const qreal lineHeight = metrics.height();
    // Centre the block on the cap height rather than the full line box, which looks better
    // for the short single lines used here.
    const qreal blockHeight = lineHeight * (lines.size() - 1) + metrics.capHeight();
    qreal top;
    if (flags & Qt::AlignTop)
        top = box.top() + metrics.capHeight();
    else if (flags & Qt::AlignBottom)
        top = box.bottom() - blockHeight + metrics.capHeight();
    else
        top = box.center().y() - blockHeight / 2 + metrics.capHeight();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill); // overlapping glyph contours, see LetterTilePainter
    for (int i = 0; i < lines.size(); ++i) {
        const qreal width = metrics.horizontalAdvance(lines[i]);
        qreal x;
        if (flags & Qt::AlignLeft)
            x = box.left();
        else if (flags & Qt::AlignRight)
            x = box.right() - width;
        else
            x = box.center().x() - width / 2;
        path.addText(QPointF(x, top + i * lineHeight), font, lines[i]);
    }
    return path;
}

QRectF InterfaceStyle::inkRect(const QRectF& box, const QString& text, const QFont& font,
                               qreal outlineWidth, int flags) {
    // Antialiasing reaches half a pixel beyond the outline.
    const qreal spread = outlineWidth + 0.5;
    return textPath(box, text, font, flags)
        .boundingRect()
        .adjusted(-spread, -spread, spread, spread);
}

QFont InterfaceStyle::fitInk(const QStringList& texts, const QRectF& box, const QRectF& area,
                             qreal maxPixelSize, qreal outlineWidth, const QPainterPath& avoid,
                             int flags) {
    // The letters' shapes grown by the outline and the antialiased edge.
    QPainterPathStroker stroker;
    stroker.setWidth(2 * (outlineWidth + 0.5));
    stroker.setJoinStyle(Qt::RoundJoin);
    stroker.setCapStyle(Qt::RoundCap);
    for (qreal size = maxPixelSize; size > 6; size -= 1) {
        const QFont font = childFont(size);
        bool fits = true;
        for (const QString& text : texts) {
            if (!fits)
                break;
            fits = area.contains(inkRect(box, text, font, outlineWidth, flags));
            if (fits && !avoid.isEmpty()) {
                const QPainterPath letters = textPath(box, text, font, flags);
                fits =
                    !avoid.intersects(letters) && !avoid.intersects(stroker.createStroke(letters));
            }
        }
        if (fits)
            return font;
    }
    return childFont(6);
}

void InterfaceStyle::outlinedText(QPainter& p, const QRectF& box, const QString& text,
                                  const QFont& font, const QColor& fill, const QColor& outline,
                                  qreal outlineWidth, int flags) {
    const QPainterPath path = textPath(box, text, font, flags);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (outlineWidth > 0) {
        p.setPen(QPen(outline, outlineWidth * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(outline);
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void InterfaceStyle::glossyRoundRect(QPainter& p, const QRectF& r, qreal radius, const QColor& base,
                                     qreal outlineWidth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body =
        r.adjusted(outlineWidth / 2, outlineWidth / 2, -outlineWidth / 2, -outlineWidth / 2);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, base.lighter(125));
    g.setColorAt(0.55, base);
    g.setColorAt(1, base.darker(118));
    p.setBrush(g);
    p.setPen(outlineWidth > 0 ? QPen(ink(), outlineWidth) : Qt::NoPen);
    p.drawRoundedRect(body, radius, radius);
    // Shine along the top.
    const QRectF shine(body.left() + body.width() * 0.12, body.top() + body.height() * 0.08,
                       body.width() * 0.76, body.height() * 0.32);
    QLinearGradient sg(shine.topLeft(), shine.bottomLeft());
    sg.setColorAt(0, QColor(255, 255, 255, 150));
    sg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sg);
    p.drawRoundedRect(shine, shine.height() / 2, shine.height() / 2);
    p.restore();
}

void InterfaceStyle::glossyEllipse(QPainter& p, const QRectF& r, const QColor& base,
                                   qreal outlineWidth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body =
        r.adjusted(outlineWidth / 2, outlineWidth / 2, -outlineWidth / 2, -outlineWidth / 2);
    QRadialGradient g(body.center() - QPointF(body.width() * 0.15, body.height() * 0.2),
                      body.width() * 0.75);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(0.6, base);
    g.setColorAt(1, base.darker(125));
    p.setBrush(g);
    p.setPen(outlineWidth > 0 ? QPen(ink(), outlineWidth) : Qt::NoPen);
    p.drawEllipse(body);
    const QRectF shine(body.left() + body.width() * 0.22, body.top() + body.height() * 0.08,
                       body.width() * 0.5, body.height() * 0.26);
    QLinearGradient sg(shine.topLeft(), shine.bottomLeft());
    sg.setColorAt(0, QColor(255, 255, 255, 160));
    sg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sg);
    p.drawEllipse(shine);
    p.restore();
}

QPainterPath InterfaceStyle::starPath(const QPointF& centre, qreal outer, qreal inner, int points) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 == 0 ? outer : inner;
        const qreal angle = -M_PI / 2 + i * M_PI / points;
        const QPointF pt(centre.x() + radius * qCos(angle), centre.y() + radius * qSin(angle));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void InterfaceStyle::star(QPainter& p, const QPointF& centre, qreal outer, const QColor& fill,
                          qreal outlineWidth) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(outlineWidth > 0
                 ? QPen(ink(), outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                 : Qt::NoPen);
    QRadialGradient g(centre - QPointF(outer * 0.2, outer * 0.3), outer * 1.2);
    g.setColorAt(0, fill.lighter(130));
    g.setColorAt(1, fill.darker(110));
    p.setBrush(g);
    p.drawPath(starPath(centre, outer, outer * 0.48));
    p.restore();
}

void InterfaceStyle::cloud(QPainter& p, const QRectF& r, const QColor& fill) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const qreal w = r.width(), h = r.height();
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left(), r.top() + h * 0.45, w, h * 0.55), h * 0.27, h * 0.27);
    path.addEllipse(QRectF(r.left() + w * 0.12, r.top() + h * 0.18, w * 0.4, h * 0.7));
    path.addEllipse(QRectF(r.left() + w * 0.38, r.top(), w * 0.42, h * 0.85));
    p.drawPath(path.simplified());
    p.restore();
}

void InterfaceStyle::sunWithRays(QPainter& p, const QPointF& centre, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(sun().darker(108), radius * 0.16, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        p.drawLine(
            QPointF(centre.x() + radius * 1.25 * qCos(a), centre.y() + radius * 1.25 * qSin(a)),
            QPointF(centre.x() + radius * 1.6 * qCos(a), centre.y() + radius * 1.6 * qSin(a)));
    }
    QRadialGradient g(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.3);
    g.setColorAt(0, QColor(0xFF, 0xF3, 0xA0));
    g.setColorAt(1, sun());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    // A friendly face.
    p.setBrush(ink());
    p.drawEllipse(centre + QPointF(-radius * 0.32, -radius * 0.12), radius * 0.1, radius * 0.13);
    p.drawEllipse(centre + QPointF(radius * 0.32, -radius * 0.12), radius * 0.1, radius * 0.13);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink(), radius * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(
        QRectF(centre.x() - radius * 0.45, centre.y() - radius * 0.3, radius * 0.9, radius * 0.8),
        200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 140, 140, 120));
    p.drawEllipse(centre + QPointF(-radius * 0.55, radius * 0.2), radius * 0.14, radius * 0.1);
    p.drawEllipse(centre + QPointF(radius * 0.55, radius * 0.2), radius * 0.14, radius * 0.1);
    p.restore();
}

void InterfaceStyle::hills(QPainter& p, const QRectF& r, const QColor& back, const QColor& front) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawEllipse(QRectF(r.left() - r.width() * 0.1, r.top(), r.width() * 0.7, r.height() * 2));
    p.drawEllipse(QRectF(r.left() + r.width() * 0.5, r.top() + r.height() * 0.15, r.width() * 0.7,
                         r.height() * 2));
    p.setBrush(front);
    p.drawEllipse(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.45, r.width() * 0.8,
                         r.height() * 2));
    p.drawEllipse(QRectF(r.left() - r.width() * 0.3, r.top() + r.height() * 0.6, r.width() * 0.6,
                         r.height() * 2));
    p.restore();
}

void InterfaceStyle::confetti(QPainter& p, const QRectF& r, int count, unsigned seed,
                              qreal maxRadius, int alpha) {
    static const QColor colours[] = {sun(),    orange(), red(),  pink(),
                                     purple(), blue(),   teal(), green()};
    std::mt19937 gen(seed);
    std::uniform_real_distribution<qreal> ux(r.left(), r.right());
    std::uniform_real_distribution<qreal> uy(r.top(), r.bottom());
    std::uniform_real_distribution<qreal> ur(maxRadius * 0.4, maxRadius);
    std::uniform_int_distribution<int> uc(0, 7);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        QColor c = colours[uc(gen)];
        c.setAlpha(alpha);
        p.setBrush(c);
        const QPointF at(ux(gen), uy(gen));
        const qreal radius = ur(gen);
        p.drawEllipse(at, radius, radius);
    }
    p.restore();
}

void InterfaceStyle::flower(QPainter& p, const QPointF& centre, qreal radius,
                            const QColor& petals) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(grassDark(), radius * 0.25));
    p.drawLine(centre, centre + QPointF(0, radius * 2.2));
    p.setPen(Qt::NoPen);
    p.setBrush(petals);
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5;
        p.drawEllipse(centre + QPointF(radius * 0.6 * qCos(a), radius * 0.6 * qSin(a)),
                      radius * 0.45, radius * 0.45);
    }
    p.setBrush(sun());
    p.drawEllipse(centre, radius * 0.38, radius * 0.38);
    p.restore();
}
