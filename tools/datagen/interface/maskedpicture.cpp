#include "maskedpicture.h"

#include <QPainter>

namespace {

constexpr int kCoveredAlpha = 128;

QRgb over(QRgb argb, const QColor& edge) {
    // argb is premultiplied.
    const int a = qAlpha(argb);
    const int inv = 255 - a;
    return qRgb(qRed(argb) + (edge.red() * inv + 127) / 255,
                qGreen(argb) + (edge.green() * inv + 127) / 255,
                qBlue(argb) + (edge.blue() * inv + 127) / 255);
}

} // namespace

QImage MaskedPicture::unionMask(const QList<QImage>& argbs) {
    if (argbs.isEmpty())
        return {};
    QImage mask(argbs.first().size(), QImage::Format_RGB32);
    mask.fill(Qt::black);
    for (const QImage& source : argbs) {
        const QImage a = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < mask.height(); ++y) {
            const QRgb* in = reinterpret_cast<const QRgb*>(a.constScanLine(y));
            QRgb* out = reinterpret_cast<QRgb*>(mask.scanLine(y));
            for (int x = 0; x < mask.width(); ++x)
                if (qAlpha(in[x]) >= kCoveredAlpha)
                    out[x] = 0xFFFFFFFF;
        }
    }
    return mask;
}

QImage MaskedPicture::pictureFor(const QImage& argb, const QImage& mask, const QColor& edge) {
    const QImage a = argb.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage picture(a.size(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < a.width(); ++x)
            out[x] = (m[x] & 0xFFFFFF) ? over(in[x], edge) : 0xFFFFFFFF;
    }
    return picture;
}

MaskedPicture MaskedPicture::fromTransparent(const QImage& argb, const QColor& edge) {
    MaskedPicture result;
    result.mask = unionMask({argb});
    result.picture = pictureFor(argb, result.mask, edge);
    return result;
}

MaskedPicture MaskedPicture::render(QSize size, const QColor& edge,
                                    const std::function<void(QPainter&)>& draw) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        draw(p);
    }
    return fromTransparent(canvas, edge);
}
