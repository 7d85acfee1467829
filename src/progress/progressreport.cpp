#include "progressreport.h"

#include "progressrow.h"

#include <QBuffer>
#include <QChartView>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

// Columns of the printed table and their share of the page width, in tenths of a percent.
struct PrintedColumn {
    int column;
    int share;
};
constexpr PrintedColumn Printed[] = {
    {ProgressRow::Date, 135},     {ProgressRow::Game, 110},      {ProgressRow::Tasks, 70},
    {ProgressRow::Sounds, 120},   {ProgressRow::Positions, 150}, {ProgressRow::Time, 85},
    {ProgressRow::Correct, 65},   {ProgressRow::Wrong, 55},      {ProgressRow::Hints, 75},
    {ProgressRow::Completed, 60}, {ProgressRow::Accuracy, 75},
};

} // namespace

QByteArray ProgressReport::Pdf(const Content& content) {
    // Made in memory: the file is written only once the whole report is there, and only where
    // the caller allows it.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(150);
    writer.setTitle(QStringLiteral("Wiklotek Cz.I – postępy"));
    writer.setCreator(QStringLiteral("Wiklotek Cz.I"));
    writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QPainter p;
    if (!p.begin(&writer))
        return {};
    const QRect page = p.viewport();
    const int w = page.width();
    int y = 0;

    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPointSizeF(16);
    heading.setBold(true);
    p.setFont(heading);
    const int headingHeight = QFontMetrics(heading, &writer).height();
    p.drawText(QRect(0, y, w, headingHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Wiklotek Cz.I – postępy"));
    y += headingHeight + 10;

    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(9.5);
    p.setFont(body);
    const int line = QFontMetrics(body, &writer).height();
    const auto paragraph = [&](const QString& text) {
        const QRect box = p.boundingRect(QRect(0, y, w, 10 * line), Qt::TextWordWrap, text);
        p.drawText(QRect(0, y, w, box.height()), Qt::TextWordWrap, text);
        y += box.height() + line / 3;
    };
    paragraph(QStringLiteral("Raport z %1. %2").arg(content.madeAt, content.filters));
    QFont bold = body;
    bold.setBold(true);
    p.setFont(bold);
    paragraph(content.totals);
    p.setFont(body);
    y += line / 2;

    const int chartWidth = (w - 20) / 2;
    const int chartHeight = chartWidth * 2 / 3;
    if (content.dayChart)
        content.dayChart->render(&p, QRectF(0, y, chartWidth, chartHeight));
    if (content.groupChart)
        content.groupChart->render(&p, QRectF(chartWidth + 20, y, chartWidth, chartHeight));
    y += chartHeight + line;

    const int shown = std::min<int>(RunsShown, static_cast<int>(content.rows.size()));
    p.setFont(bold);
    p.drawText(QRect(0, y, w, line), Qt::AlignLeft | Qt::AlignVCenter,
               shown == 0 ? QStringLiteral("Brak gier do pokazania.")
                          : QStringLiteral("Ostatnie gry (%1):").arg(shown));
    y += line + 4;
    QFont small = body;
    small.setPointSizeF(7.5);
    const int rowHeight = QFontMetrics(small, &writer).height() + 6;
    const auto drawRow = [&](auto cellText, bool header) {
        int x = 0;
        p.setFont(header ? QFont(small.family(), small.pointSize(), QFont::Bold) : small);
        for (const PrintedColumn& c : Printed) {
            const int cw = w * c.share / 1000;
            p.drawText(QRect(x + 3, y, cw - 6, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetrics(p.font(), &writer)
                           .elidedText(cellText(c.column), Qt::ElideRight, cw - 6));
            x += cw;
        }
        p.setPen(QPen(QColor(0xB0, 0xB0, 0xC0), 1));
        p.drawLine(0, y + rowHeight, w, y + rowHeight);
        p.setPen(Qt::black);
        y += rowHeight;
    };
    if (shown > 0 && content.records) {
        drawRow([](int column) { return ProgressRow::Header(column, ProgressRow::Style::Table); },
                true);
        for (int i = 0; i < shown; ++i) {
            const StatRecord& r = (*content.records)[static_cast<std::size_t>(
                content.rows[static_cast<std::size_t>(i)])];
            drawRow(
                [&](int column) {
                    QString text =
                        ProgressRow::Text(r, column, content.zone, ProgressRow::Style::Table);
                    return ProgressRow::IsMarked(r, column) ? text + QStringLiteral(" (!)") : text;
                },
                false);
        }
    }
    return p.end() ? buffer.data() : QByteArray();
}
