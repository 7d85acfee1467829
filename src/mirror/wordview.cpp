#include "wordview.h"

#include "takespectrogram.h"

#include <QPainter>
#include <algorithm>

namespace {
const QColor Ink(0x2E, 0x2A, 0x5A);
// Levels drawn from white (this far below the loudest) to ink (the loudest).
constexpr float kRangeDb = 60.f;

QColor placeColour(Sibilant sound) {
    switch (sound) {
    case Sibilant::S:
        return QColor(0x4C, 0xB8, 0x4C);
    case Sibilant::Si:
        return QColor(0xF2, 0xB7, 0x05);
    case Sibilant::Sz:
        return QColor(0x3D, 0x8B, 0xF2);
    }
    return Ink;
}
} // namespace

WordView::WordView(QString caption, QWidget* parent)
    : QWidget(parent), m_caption(std::move(caption)) {}

void WordView::ShowTake(std::span<const short> samples, int sampleRate, const ScaleEnds& ends) {
    m_picture = QImage();
    m_analysis = {};
    m_lengthMs = 0;
    if (!samples.empty() && sampleRate > 0) {
        m_analysis = SibilantAnalysis::Of(samples, sampleRate, ends);
        const TakeSpectrogram s = TakeSpectrogram::Of(samples, sampleRate, 96, 11025.0);
        m_lengthMs = 1000.0 * double(samples.size()) / sampleRate;
        if (s.frameCount() > 0) {
            const float loudest = *std::max_element(s.levels().begin(), s.levels().end());
            m_picture = QImage(s.frameCount(), s.bandCount(), QImage::Format_RGB32);
            for (int f = 0; f < s.frameCount(); ++f)
                for (int b = 0; b < s.bandCount(); ++b) {
                    const float v =
                        std::clamp((s.db(f, b) - (loudest - kRangeDb)) / kRangeDb, 0.f, 1.f);
                    const int shade = 255 - int(v * 215);
                    m_picture.setPixel(f, s.bandCount() - 1 - b,
                                       qRgb(shade, shade, std::min(255, shade + 20)));
                }
        }
    }
    update();
}

void WordView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(12, height() / 12));
    p.setFont(font);
    p.setPen(Ink);
    const QRectF captionBox(0, 0, width(), font.pixelSize() * 1.5);
    p.drawText(captionBox, Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    const QRectF area(0, captionBox.bottom(), width(), height() - captionBox.bottom());
    p.setPen(QPen(Ink, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(area.adjusted(1, 1, -1, -1), 8, 8);
    if (m_picture.isNull() || m_lengthMs <= 0) {
        p.drawText(area, Qt::AlignCenter, QStringLiteral("—"));
        return;
    }
    const QRectF inner = area.adjusted(6, 6, -6, -22);
    p.drawImage(inner, m_picture);
    for (const SibilantSegment& segment : m_analysis.segments) {
        const double x0 = inner.left() + inner.width() * segment.startMs / m_lengthMs;
        const double x1 = inner.left() + inner.width() * segment.endMs / m_lengthMs;
        QColor colour = placeColour(segment.verdict);
        p.setPen(QPen(colour, 3));
        colour.setAlpha(70);
        p.setBrush(colour);
        p.drawRect(QRectF(x0, inner.top(), std::max(3.0, x1 - x0), inner.height()));
        p.setPen(Ink);
        p.drawText(QRectF(x0 - 30, inner.bottom(), x1 - x0 + 60, 22), Qt::AlignCenter,
                   ScaleEnds::Name(segment.verdict));
    }
}
