#include "backgroundpainter.h"

#include "interfacestyle.h"
#include "wordentry.h"
#include "wordtable.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

using S = InterfaceStyle;
using V = InterfaceNames::Variant;

namespace {

QImage canvas(QSize size, const QColor& fill) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

void verticalGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

// "Wiklotek" in letters of many colours, with an ink outline; baseline at origin.
void colourfulTitle(QPainter& p, const QPointF& origin, qreal pixelSize, const QString& text) {
    static const QColor colours[] = {S::red(),  S::orange(), S::sun().darker(105), S::green(),
                                     S::teal(), S::blue(),   S::purple(),          S::pink()};
    const QFont font = S::childFont(pixelSize);
    const QFontMetricsF metrics(font);
    qreal x = origin.x();
    int i = 0;
    for (const QChar c : text) {
        const QString letter(c);
        QPainterPath path;
        path.setFillRule(Qt::WindingFill); // overlapping glyph contours
        // Letters bounce a little, like hand-placed stickers.
        const qreal lift = (i % 2 == 0 ? 0 : -pixelSize * 0.05);
        path.addText(QPointF(x, origin.y() + lift), font, letter);
        p.setPen(QPen(S::ink(), pixelSize * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(S::ink());
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(c.isSpace() ? Qt::transparent : colours[i % 8]);
        p.drawPath(path);
        x += metrics.horizontalAdvance(letter);
        if (!c.isSpace())
            ++i;
    }
}

qreal titleWidth(qreal pixelSize, const QString& text) {
    return QFontMetricsF(S::childFont(pixelSize)).horizontalAdvance(text);
}

void panel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, qreal border,
           const QColor& borderColour = S::ink()) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 35));
    p.drawRoundedRect(r.translated(3, 4), radius, radius);
    p.setBrush(fill);
    p.setPen(border > 0 ? QPen(borderColour, border) : Qt::NoPen);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void skyScene(QPainter& p, QSize size, qreal s, unsigned seed) {
    verticalGradient(p, QRectF(QPointF(0, 0), size), S::sky(), S::skyLight());
    S::cloud(p, QRectF(size.width() * 0.3, 10 * s, 110 * s, 46 * s), QColor(255, 255, 255, 220));
    S::cloud(p, QRectF(size.width() * 0.52, 26 * s, 80 * s, 34 * s), QColor(255, 255, 255, 190));
    Q_UNUSED(seed);
}

} // namespace

QRectF BackgroundPainter::menuPanel(Variant v) {
    return v == V::Small ? QRectF(14, 74, 548, 434) : QRectF(18, 95, 702, 555);
}

QRect BackgroundPainter::tabStrip(Variant v) {
    return v == V::Small ? QRect(551, 74, 240, 440) : QRect(705, 95, 310, 575);
}

QImage BackgroundPainter::menu(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const qreal s = size.width() / 800.0;
    QImage image = canvas(size, S::sky());
    QPainter p(&image);
    begin(p);
    skyScene(p, size, s, 1);
    S::sunWithRays(p, QPointF(size.width() - 52 * s, 36 * s), 22 * s);
    S::hills(p, QRectF(0, size.height() - 130 * s, size.width(), 130 * s), S::grass().lighter(112),
             S::grass());
    for (int i = 0; i < 9; ++i) {
        static const QColor petals[] = {S::pink(), S::sun(), Qt::white, S::orange(), S::purple()};
        S::flower(p, QPointF((30 + i * 93) * s, size.height() - (30 + (i % 3) * 12) * s), 7 * s,
                  petals[i % 5]);
    }
    colourfulTitle(p, QPointF(22 * s, 54 * s), 48 * s, "Wiklotek");
    const qreal after = 22 * s + titleWidth(48 * s, "Wiklotek") + 10 * s;
    S::outlinedText(p, QRectF(after, 24 * s, 90 * s, 34 * s), "Cz.I", S::childFont(28 * s),
                    Qt::white, S::ink(), 2, Qt::AlignLeft | Qt::AlignVCenter);

    const QRectF r = menuPanel(v);
    panel(p, r, 24 * s, S::panel(), 3);
    // A few stars in the panel's free top left corner.
    S::star(p, QPointF(r.left() + 34 * s, r.top() + 30 * s), 12 * s, S::sun(), 1.5);
    S::star(p, QPointF(r.left() + 66 * s, r.top() + 22 * s), 8 * s, S::pink(), 1.2);
    S::star(p, QPointF(r.left() + 58 * s, r.top() + 50 * s), 6 * s, S::teal(), 1);
    return image;
}

QImage BackgroundPainter::memory(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const bool small = v == V::Small;
    const qreal s = size.width() / 800.0;
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    verticalGradient(p, QRectF(QPointF(0, 0), size), QColor(0xA8, 0xEC, 0xDF),
                     QColor(0xE4, 0xFA, 0xF4));
    S::confetti(p, QRectF(QPointF(0, 0), size), 60, 7, 9 * s, 70);
    colourfulTitle(p, QPointF((small ? 96 : 186), (small ? 56 : 120)), small ? 40 : 52, "Memory");
    // The board: the 20-card layout plus a margin.
    const QRectF board = small ? QRectF(80, 75, 456, 450) : QRectF(170, 170, 456, 450);
    panel(p, board, 22, memoryBoard(), 3);
    p.setPen(QPen(QColor(0xF0, 0xC8, 0x88), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(board.adjusted(8, 8, -8, -8), 16, 16);
    // The place where a found pair's big picture appears.
    const QRectF match = small ? QRectF(583, 188, 200, 250) : QRectF(743, 235, 260, 320);
    const QRectF frame = match.adjusted(-8, -8, 8, 8);
    panel(p, frame, 20, Qt::white, 3, S::purple());
    p.setPen(QPen(QColor(0xD9, 0xC8, 0xF5), 2, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    // Well inside the oval the found picture covers, so that no dot (nor the compression's
    // ringing around one) is left outside it.
    p.drawEllipse(match.adjusted(12, 12, -12, -12));
    S::star(p, frame.topLeft() + QPointF(6, 6), 13 * s, S::sun(), 1.5);
    S::star(p, frame.topRight() + QPointF(-6, 6), 10 * s, S::pink(), 1.5);
    S::star(p, frame.bottomRight() + QPointF(-8, -6), 12 * s, S::teal(), 1.5);
    return image;
}

QImage BackgroundPainter::labelling(Variant v, int theme) {
    const QSize size = InterfaceNames::designSize(v);
    const bool small = v == V::Small;
    const qreal s = size.width() / 800.0;
    const QRectF all(QPointF(0, 0), size);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    QColor accent;
    switch (theme) {
    case 1: // meadow
        verticalGradient(p, all, S::sky(), QColor(0xE8, 0xF8, 0xFF));
        S::cloud(p, QRectF(560 * s, 20 * s, 100 * s, 40 * s), QColor(255, 255, 255, 230));
        S::hills(p, QRectF(0, size.height() - 110 * s, size.width(), 110 * s),
                 QColor(0xC9, 0xEC, 0xB4), QColor(0xB2, 0xE2, 0x99));
        accent = S::green();
        break;
    case 2: { // sea
        verticalGradient(p, all, QColor(0xC4, 0xEE, 0xFF), QColor(0x9F, 0xDD, 0xF5));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row) {
            QPainterPath wave;
            const qreal y = size.height() - (95 - row * 30) * s;
            wave.moveTo(0, y);
            for (qreal x = 0; x <= size.width(); x += 40 * s)
                wave.quadTo(x + 10 * s, y - 10 * s, x + 20 * s, y),
                    wave.quadTo(x + 30 * s, y + 10 * s, x + 40 * s, y);
            wave.lineTo(size.width(), size.height());
            wave.lineTo(0, size.height());
            p.setBrush(QColor(0x6F, 0xC8, 0xEE, 60 + row * 25));
            p.drawPath(wave);
        }
        accent = S::blue();
        break;
    }
    case 3: { // sunny
        verticalGradient(p, all, QColor(0xFF, 0xEB, 0xB0), QColor(0xFF, 0xF8, 0xE4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        const QPointF c(size.width() * 0.5, -40 * s);
        for (int i = 0; i < 12; ++i) {
            QPainterPath ray;
            const qreal a0 = (i * 30 + 2) * M_PI / 180, a1 = (i * 30 + 16) * M_PI / 180;
            ray.moveTo(c);
            ray.lineTo(c + QPointF(1400 * s * std::cos(a0), 1400 * s * std::sin(a0)));
            ray.lineTo(c + QPointF(1400 * s * std::cos(a1), 1400 * s * std::sin(a1)));
            p.drawPath(ray);
        }
        accent = S::orange();
        break;
    }
    case 4: // candy
        verticalGradient(p, all, QColor(0xFF, 0xD9, 0xEC), QColor(0xFF, 0xF1, 0xF7));
        S::confetti(p, all, 70, 44, 10 * s, 60);
        accent = S::pink();
        break;
    default: // lavender with stars
        verticalGradient(p, all, QColor(0xDD, 0xD2, 0xFF), QColor(0xF3, 0xEF, 0xFF));
        for (int i = 0; i < 14; ++i)
            S::star(p, QPointF((40 + (i * 137) % 760) * s, (30 + (i * 89) % 540) * s),
                    (5 + i % 4) * s, QColor(255, 255, 255, 170), 0);
        accent = S::purple();
        break;
    }
    // A stage behind the word's picture and a shelf under the answer slots.
    const QRectF picture = small ? QRectF(274, 140, 260, 280) : QRectF(348, 172, 340, 360);
    panel(p, picture.adjusted(-10, -10, 10, 10), 22 * s, QColor(255, 255, 255, 235), 3, accent);
    const QRectF shelf = labellingShelf(v);
    panel(p, shelf, shelf.height() / 2, QColor(255, 255, 255, 150), 0);
    return image;
}

QRectF BackgroundPainter::labellingShelf(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const qreal s = size.width() / 800.0;
    int longest = 0;
    for (const WordTable::Row& row : WordTable::rows())
        longest = std::max(longest,
                           int(WordEntry::Graphemes(QString::fromUtf8(row.segmentation)).size()));
    // Slots a tile's pitch wide and 15 apart, centred, each in a one-pixel frame.
    const qreal pitch = v == V::Small ? 44 : 55;
    const qreal row = (longest - 1) * (pitch + 15) + pitch + 2;
    const qreal height = pitch + 24 * s;
    const qreal width = row + 0.68 * height;
    const qreal slotY = size.height() - size.height() / 4;
    return QRectF((size.width() - width) / 2, slotY - 12 * s, width, height);
}

QImage BackgroundPainter::completing(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const bool small = v == V::Small;
    const qreal s = size.width() / 800.0;
    const QRectF all(QPointF(0, 0), size);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    verticalGradient(p, all, QColor(0xFF, 0xE6, 0xC7), QColor(0xFF, 0xF6, 0xEA));
    S::confetti(p, all, 45, 21, 9 * s, 55);
    // The word's tile row across the top.
    const qreal tile = small ? 44 : 55;
    const qreal rowY = size.height() / 10;
    panel(p, QRectF(small ? 130 : 180, rowY - 12 * s, small ? 540 : 664, tile + 24 * s), 20 * s,
          QColor(255, 255, 255, 225), 3, S::orange());
    // The picture's stage.
    const QRectF picture = small ? QRectF(266, 310, 260, 280) : QRectF(338, 388, 340, 360);
    panel(p, picture.adjusted(-10, -10, 10, 8), 22 * s, QColor(255, 255, 255, 235), 3, S::orange());
    // The round pads under the two sound buttons come and go with the buttons: the window
    // draws them.
    return image;
}

QImage BackgroundPainter::falling(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const bool small = v == V::Small;
    const qreal s = size.width() / 800.0;
    const int ground = small ? 552 : 708; // the line the pictures sink into
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    verticalGradient(p, QRectF(0, 0, size.width(), ground), S::sky(), S::skyLight());
    S::cloud(p, QRectF(60 * s, 60 * s, 120 * s, 50 * s), QColor(255, 255, 255, 200));
    S::cloud(p, QRectF(330 * s, 200 * s, 100 * s, 42 * s), QColor(255, 255, 255, 170));
    S::cloud(p, QRectF(150 * s, 380 * s, 110 * s, 44 * s), QColor(255, 255, 255, 160));
    // Grass from the bottom line down, with a darker edge exactly on the line.
    verticalGradient(p, QRectF(0, ground, size.width(), size.height() - ground), S::grass(),
                     S::grassDark());
    p.fillRect(QRectF(0, ground, size.width(), 3 * s), S::grassDark());
    // The right quarter holds the buttons and the hint text.
    const qreal right = small ? 612 : 786;
    panel(p, QRectF(right, 10 * s, size.width() - right + 30, size.height() - 20 * s), 22 * s,
          QColor(0xFF, 0xF8, 0xE6), 3);
    return image;
}

QImage BackgroundPainter::about(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const qreal s = size.width() / 800.0;
    QImage image = canvas(size, aboutColour());
    QPainter p(&image);
    begin(p);
    // Stars only near the edges, clear of the text column (130..670 of 800).
    for (int i = 0; i < 40; ++i) {
        const qreal radius = (3 + i % 5) * s;
        const qreal x =
            (i % 2 == 0) ? (20 + (i * 37) % 130 * 0.77) * s : (680 + (i * 53) % 130 * 0.77) * s;
        const qreal y = (20 + (i * 71) % 560) * s;
        S::star(p, QPointF(x, y), radius, QColor(0xFF, 0xF1, 0xA8, 200), 0);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF1, 0xA8));
    p.drawEllipse(QPointF(80 * s, 80 * s), 34 * s, 34 * s);
    p.setBrush(aboutColour());
    p.drawEllipse(QPointF(96 * s, 70 * s), 30 * s, 30 * s);
    S::hills(p, QRectF(0, size.height() - 70 * s, size.width(), 70 * s), QColor(0x33, 0x55, 0x9A),
             QColor(0x3C, 0x63, 0xA8));
    return image;
}

QRect BackgroundPainter::aboutTextColumn(Variant v) {
    const QSize size = InterfaceNames::designSize(v);
    const qreal s = size.width() / 800.0;
    // Whole pixels, inside the hills that start 70 (scaled) above the bottom.
    return QRect(qCeil(130 * s), 0, qFloor(540 * s), size.height() - qCeil(70 * s));
}

QImage BackgroundPainter::logo(Variant v) {
    const QSize size =
        InterfaceNames::fileSize(QString("Data/Intf/Spec/l1") + InterfaceNames::suffix(v) + ".xji");
    QImage image = canvas(size, aboutColour());
    QPainter p(&image);
    begin(p);
    const QRectF badge(3, 3, size.width() - 6, size.height() - 6);
    p.setPen(QPen(S::sun(), 3));
    p.setBrush(Qt::white);
    p.drawRoundedRect(badge, badge.height() * 0.3, badge.height() * 0.3);
    const qreal px = size.height() * 0.44;
    const qreal w = titleWidth(px, "Wiklotek");
    colourfulTitle(p, QPointF((size.width() - w) / 2, size.height() * 0.55), px, "Wiklotek");
    S::outlinedText(p, QRectF(0, size.height() * 0.6, size.width(), size.height() * 0.3), "Cz.I",
                    S::childFont(size.height() * 0.22), S::ink(), S::ink(), 0);
    return image;
}

QImage BackgroundPainter::splash() {
    const QSize size(600, 348);
    QImage image = canvas(size, S::sky());
    QPainter p(&image);
    begin(p);
    skyScene(p, size, 0.9, 3);
    S::sunWithRays(p, QPointF(530, 62), 30);
    S::hills(p, QRectF(0, 240, 600, 108), S::grass().lighter(112), S::grass());
    for (int i = 0; i < 7; ++i) {
        static const QColor petals[] = {S::pink(), S::sun(), Qt::white, S::orange()};
        S::flower(p, QPointF(40 + i * 86, 300 + (i % 2) * 12), 9, petals[i % 4]);
    }
    const qreal w = titleWidth(92, "Wiklotek");
    colourfulTitle(p, QPointF((600 - w) / 2, 150), 92, "Wiklotek");
    S::outlinedText(p, QRectF(0, 160, 600, 44), "Cz.I", S::childFont(40), Qt::white, S::ink(), 3);
    S::outlinedText(p, QRectF(0, 212, 600, 30),
                    QString::fromUtf8("Gry logopedyczne: sz, ż, cz, dż"), S::childFont(24),
                    S::ink(), Qt::white, 2.5);
    return image;
}

QImage BackgroundPainter::notice() {
    const QSize size(420, 250);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    verticalGradient(p, QRectF(QPointF(0, 0), size), QColor(0xFF, 0xFB, 0xE8),
                     QColor(0xFF, 0xF0, 0xC8));
    // The window is cut to a rounded rectangle with 25 x 25 corners; the border follows it.
    QPainterPath top;
    top.addRoundedRect(QRectF(1.5, 1.5, 417, 247), 12, 12);
    p.save();
    p.setClipPath(top);
    p.fillRect(QRectF(0, 0, 420, 40), S::orange());
    for (int i = 0; i < 6; ++i)
        S::star(p, QPointF(30 + i * 72, 20), 9, i % 2 ? S::sun() : QColor(Qt::white), 1.2);
    p.restore();
    p.setPen(QPen(S::ink(), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 417, 247), 12, 12);
    return image;
}

QImage BackgroundPainter::summary(int grade) {
    const QSize size(600, 450);
    QImage image = canvas(size, Qt::white);
    QPainter p(&image);
    begin(p);
    QColor top, bottom;
    QString heading;
    int stars;
    if (grade >= 4) {
        top = QColor(0xFF, 0xE0, 0x70), bottom = QColor(0xFF, 0xF6, 0xD2);
        heading = "Brawo!";
        stars = 3;
    } else if (grade >= 2) {
        top = QColor(0x9F, 0xDE, 0xFA), bottom = QColor(0xE2, 0xF5, 0xFF);
        heading = "Dobrze!";
        stars = 2;
    } else {
        top = QColor(0xD6, 0xC6, 0xFA), bottom = QColor(0xF2, 0xED, 0xFF);
        heading = QString::fromUtf8("Ćwiczymy dalej!");
        stars = 1;
    }
    verticalGradient(p, QRectF(QPointF(0, 0), size), top, bottom);
    S::confetti(p, QRectF(10, 10, 580, 430), 40, 100 + grade, 8, 80);
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(210 + i * 90, i == 1 ? 58 : 70);
        S::star(p, centre, i == 1 ? 36 : 30, i < stars ? S::sun() : QColor(0xE6, 0xE3, 0xF0), 3);
    }
    S::outlinedText(p, QRectF(0, 104, 600, 50), heading, S::childFont(40), Qt::white, S::ink(), 3);
    // The card under the four result lines.
    QRectF card(62, 166, 476, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 30));
    p.drawRoundedRect(card.translated(3, 4), 18, 18);
    p.setPen(QPen(S::ink(), 2.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 18, 18);
    // The window is cut from (5, 5) with 50 x 50 corners; the border follows that outline.
    p.setPen(QPen(S::ink(), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 7, 590, 440), 24, 24);
    return image;
}
