#include "progressreport.h"

#include "progressrow.h"
#include "weekchart.h"

#include <QBuffer>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>

namespace {

using Drawn = ProgressReport::Drawn;

constexpr int Columns[] = {ProgressRow::Date,      ProgressRow::Game,      ProgressRow::Tasks,
                           ProgressRow::Sounds,    ProgressRow::Positions, ProgressRow::Time,
                           ProgressRow::Correct,   ProgressRow::Wrong,     ProgressRow::Hints,
                           ProgressRow::Completed, ProgressRow::Accuracy};

QFont reportFont(qreal points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QStringList words(const QString& text) {
    // Only spaces part words: a no-break space keeps "75 %" together.
    static const QRegularExpression Spaces(QStringLiteral("[ \\t]+"));
    return text.split(Spaces, Qt::SkipEmptyParts);
}

// A table's column: its heading, and its cells right-aligned (numbers) or not.
struct Column {
    QString header;
    bool right = false;
};

// The report being drawn: where the next block goes, the page breaks, and every text kept for
// the caller. Texts are set line by line, broken between words by this code (never inside a
// word by the toolkit), so each drawn line is known to fit its box.
class Sheet {
public:
    Sheet(QPainter& painter, QPagedPaintDevice& device, Drawn* drawn)
        : m_p(painter), m_device(device), m_drawn(drawn),
          m_area(0, 0, device.width(), device.height()), m_y(0),
          m_unit(device.logicalDpiY() / 150.0) {
        if (m_drawn) {
            *m_drawn = {};
            m_drawn->pages = 1;
            m_drawn->page = m_area;
        }
    }

    qreal width() const { return m_area.width(); }
    qreal unit() const { return m_unit; }
    qreal y() const { return m_y; }
    void skip(qreal height) { m_y += height; }

    bool newPage() {
        if (!m_device.newPage())
            return false;
        ++m_page;
        m_y = m_area.top();
        if (m_drawn)
            m_drawn->pages = m_page + 1;
        return true;
    }
    // A new page when the block would not fit on what is left of this one.
    void keep(qreal height) {
        if (m_y + height > m_area.bottom() && m_y > m_area.top())
            newPage();
    }

    qreal lineHeight(const QFont& font) const { return QFontMetricsF(font, &m_device).height(); }
    qreal advance(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &m_device).horizontalAdvance(text);
    }

    // The lines of the text within width, broken between words; a word wider than the width
    // (a long address in a note) alone is broken where it must be.
    QStringList lines(const QString& text, const QFont& font, qreal width) const {
        QStringList result;
        for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
            QString line;
            for (QString word : words(paragraph)) {
                const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
                if (advance(font, joined) <= width) {
                    line = joined;
                    continue;
                }
                if (!line.isEmpty())
                    result << line;
                while (advance(font, word) > width && word.size() > 1) {
                    qsizetype fit = word.size() - 1;
                    while (fit > 1 && advance(font, word.left(fit)) > width)
                        --fit;
                    result << word.left(fit);
                    word = word.mid(fit);
                }
                line = word;
            }
            result << line;
        }
        return result;
    }

    void text(const QRectF& box, int flags, const QString& line, const QFont& font) {
        m_p.setFont(font);
        m_p.drawText(box, flags, line);
        if (m_drawn)
            m_drawn->texts.push_back({m_page, box, line, font, flags});
    }

    void paragraph(const QString& content, const QFont& font, qreal indent = 0) {
        const qreal height = lineHeight(font);
        for (const QString& line : lines(content, font, width() - indent)) {
            keep(height);
            text(QRectF(m_area.left() + indent, m_y, width() - indent, height),
                 Qt::AlignLeft | Qt::AlignVCenter, line, font);
            m_y += height;
        }
        m_y += height / 3;
    }

    // A heading stays on the page of what follows it: keepWith is that much.
    void heading(const QString& title, const QFont& font, qreal keepWith) {
        m_y += lineHeight(font) / 2;
        keep(lineHeight(font) * 1.3 + keepWith);
        paragraph(title, font);
    }

    void rule(qreal at) {
        m_p.setPen(QPen(QColor(0xB0, 0xB0, 0xC0), std::max(1.0, m_unit)));
        m_p.drawLine(QPointF(m_area.left(), at), QPointF(m_area.right(), at));
        m_p.setPen(Qt::black);
    }

    // Columns as wide as their longest word at least and their longest text at best, the rest
    // of the page shared out by what each still lacks; the type is made smaller until the
    // words fit side by side. The heading row comes again at the top of every page.
    void table(const std::vector<Column>& columns, const std::vector<QStringList>& rows,
               QFont font) {
        const qreal pad = 3 * m_unit;
        const std::size_t n = columns.size();
        std::vector<qreal> least(n), best(n);
        QFont bold = font;
        for (int tries = 0;; ++tries) {
            bold = font;
            bold.setBold(true);
            for (std::size_t c = 0; c < n; ++c) {
                least[c] = best[c] = 0;
                for (const QString& word : words(columns[c].header))
                    least[c] = std::max(least[c], advance(bold, word));
                best[c] = std::max(least[c], advance(bold, columns[c].header));
                for (const QStringList& row : rows) {
                    const QString cell = row.value(qsizetype(c));
                    for (const QString& word : words(cell))
                        least[c] = std::max(least[c], advance(font, word));
                    best[c] = std::max(best[c], advance(font, cell));
                }
                least[c] += 2 * pad;
                best[c] += 2 * pad;
            }
            // Smaller type (down to a size still read at arm's length) before any cell wraps.
            const bool wordsFit = std::accumulate(least.begin(), least.end(), 0.0) <= width();
            const bool textsFit = std::accumulate(best.begin(), best.end(), 0.0) <= width();
            if ((wordsFit && (textsFit || font.pointSizeF() * 0.9 < 6.5)) || tries == 8)
                break;
            font.setPointSizeF(font.pointSizeF() * 0.9);
        }
        // What is left over the least widths goes first to the columns that need little more
        // to stand on one line (a date, a duration); the longest texts wrap.
        const qreal sumBest = std::accumulate(best.begin(), best.end(), 0.0);
        std::vector<qreal> widths = least;
        if (sumBest <= width()) {
            for (std::size_t c = 0; c < n; ++c)
                widths[c] = best[c] + (width() - sumBest) * best[c] / sumBest;
        } else {
            std::vector<std::size_t> order(n);
            std::iota(order.begin(), order.end(), std::size_t(0));
            std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                return best[a] - least[a] < best[b] - least[b];
            });
            qreal left = std::max(0.0, width() - std::accumulate(least.begin(), least.end(), 0.0));
            for (std::size_t i = 0; i < n; ++i) {
                const std::size_t c = order[i];
                const qreal given = std::min(best[c] - least[c], left / qreal(n - i));
                widths[c] += given;
                left -= given;
            }
        }
        const auto cellLines = [&](const QString& cell, const QFont& f, std::size_t c) {
            return lines(cell, f, widths[c] - 2 * pad);
        };
        const auto rowHeight = [&](const QStringList& cells, const QFont& f) {
            qsizetype most = 1;
            for (std::size_t c = 0; c < n; ++c)
                most = std::max(most, cellLines(cells.value(qsizetype(c)), f, c).size());
            return qreal(most) * lineHeight(f) + 2 * pad;
        };
        const auto drawRow = [&](const QStringList& cells, const QFont& f) {
            const qreal height = rowHeight(cells, f);
            qreal x = m_area.left();
            for (std::size_t c = 0; c < n; ++c) {
                qreal ly = m_y + pad;
                for (const QString& line : cellLines(cells.value(qsizetype(c)), f, c)) {
                    text(QRectF(x + pad, ly, widths[c] - 2 * pad, lineHeight(f)),
                         (columns[c].right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                         line, f);
                    ly += lineHeight(f);
                }
                x += widths[c];
            }
            m_y += height;
            rule(m_y);
        };
        QStringList headers;
        for (const Column& column : columns)
            headers << column.header;
        const qreal headerHeight = rowHeight(headers, bold);
        keep(headerHeight + (rows.empty() ? 0 : rowHeight(rows.front(), font)));
        drawRow(headers, bold);
        for (const QStringList& row : rows) {
            const qreal height = rowHeight(row, font);
            if (m_y + height > m_area.bottom() && newPage())
                drawRow(headers, bold);
            drawRow(row, font);
        }
    }

private:
    QPainter& m_p;
    QPagedPaintDevice& m_device;
    Drawn* m_drawn;
    QRectF m_area;
    qreal m_y;
    qreal m_unit;
    int m_page = 0;
};

QString positionOf(std::uint16_t bit) {
    for (int i = 0; i < 3; ++i)
        if (bit == ProgressRow::PositionBits[i])
            return ProgressRow::PositionName(i);
    return {};
}

void soundTable(Sheet& sheet, const LogFigures& figures, const QFont& font) {
    std::vector<Column> columns{{QStringLiteral("Głoska")}};
    for (int p = 0; p < LogFigures::PositionCount; ++p)
        columns.push_back({ProgressRow::PositionName(p), true});
    std::vector<QStringList> rows;
    for (int s = 0; s < LogFigures::SoundCount; ++s) {
        QStringList row{LogFigures::SoundName(s)};
        for (int p = 0; p < LogFigures::PositionCount; ++p)
            row << LogFigures::CellText(figures.Cell(s, p));
        rows.push_back(row);
    }
    sheet.table(columns, rows, font);
}

void wordGrid(Sheet& sheet, QPainter& p, const ProgressReport::Content& content, const QFont& font,
              const QFont& bold) {
    const std::vector<LogFigures::Word>& list = content.figures->words;
    const qreal gap = 8 * sheet.unit();
    const qreal cellWidth = (sheet.width() - gap) / 2;
    const qreal picture = 3 * sheet.lineHeight(font) + 4 * sheet.unit();
    for (std::size_t i = 0; i < list.size(); i += 2) {
        sheet.keep(picture + gap);
        for (std::size_t j = i; j < std::min(i + 2, list.size()); ++j) {
            const LogFigures::Word& word = list[j];
            const qreal x = (j - i) * (cellWidth + gap);
            const QImage image =
                j < content.wordPictures.size() ? content.wordPictures[j] : QImage();
            if (!image.isNull()) {
                const QSizeF size =
                    QSizeF(image.size()).scaled(QSizeF(picture, picture), Qt::KeepAspectRatio);
                p.drawImage(QRectF(QPointF(x, sheet.y()), size), image);
            }
            const qreal textX = x + picture + gap;
            const qreal textWidth = cellWidth - picture - gap;
            QStringList where{LogFigures::SoundName(LogFigures::SoundIndex(word.sound)),
                              positionOf(word.position)};
            where.removeAll(QString());
            const QString texts[] = {word.written, where.join(QStringLiteral(", ")),
                                     LogFigures::WordDetail(word)};
            qreal ly = sheet.y();
            for (int t = 0; t < 3; ++t) {
                const QFont& f = t == 0 ? bold : font;
                const QString line = sheet.lines(texts[t], f, textWidth).join(QLatin1Char(' '));
                // A written word is short; one too long for its place is set smaller.
                QFont fitted = f;
                while (sheet.advance(fitted, line) > textWidth && fitted.pointSizeF() > 4)
                    fitted.setPointSizeF(fitted.pointSizeF() * 0.9);
                sheet.text(QRectF(textX, ly, textWidth, sheet.lineHeight(f)),
                           Qt::AlignLeft | Qt::AlignVCenter, line, fitted);
                ly += sheet.lineHeight(f);
            }
        }
        sheet.skip(picture + gap);
    }
}

void weekChart(Sheet& sheet, QPainter& p, const LogFigures& figures, qreal height) {
    // Laid out at a screen's size and scaled onto the page, so that its type reads as on the
    // window.
    const qreal scale = 1.6 * sheet.unit();
    QGraphicsScene scene;
    auto* chart = new WeekChart(14, 11);
    chart->setTitle(QString()); // the report's heading says it
    scene.addItem(chart);
    const QRectF source(0, 0, sheet.width() / scale, height / scale);
    chart->setGeometry(source);
    chart->SetWeeks(figures.weeks);
    scene.setSceneRect(source);
    scene.render(&p, QRectF(0, sheet.y(), sheet.width(), height), source);
    sheet.skip(height);
}

} // namespace

QByteArray ProgressReport::Pdf(const Content& content, Drawn* drawn) {
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
    if (!Paint(writer, content, drawn))
        return {};
    buffer.close();
    return buffer.data();
}

bool ProgressReport::Paint(QPagedPaintDevice& device, const Content& content, Drawn* drawn) {
    QPainter p;
    if (!p.begin(&device))
        return false;
    Sheet sheet(p, device, drawn);
    const QFont title = reportFont(16, true);
    const QFont heading = reportFont(12, true);
    const QFont body = reportFont(9.5);
    const QFont bold = reportFont(9.5, true);
    const qreal line = sheet.lineHeight(body);

    sheet.paragraph(content.childName.isEmpty()
                        ? QStringLiteral("Wiklotek Cz.I – postępy")
                        : QStringLiteral("Wiklotek Cz.I – postępy: %1").arg(content.childName),
                    title);
    if (!content.period.isEmpty())
        sheet.paragraph(QStringLiteral("Okres: %1").arg(content.period), bold);
    sheet.paragraph(QStringLiteral("Raport z %1. %2").arg(content.madeAt, content.filters), body);
    sheet.paragraph(content.totals, bold);
    if (!content.note.trimmed().isEmpty()) {
        sheet.heading(QStringLiteral("Uwagi terapeuty"), heading, 2 * line);
        sheet.paragraph(content.note.trimmed(), body);
    }

    if (content.figures) {
        const LogFigures& figures = *content.figures;
        sheet.heading(QStringLiteral("Głoski w wyrazach: skuteczność (w nawiasie liczba prób)"),
                      heading, 4 * line);
        soundTable(sheet, figures, body);
        const qreal chartHeight = sheet.width() * 0.42;
        sheet.heading(QStringLiteral("Skuteczność tydzień po tygodniu"), heading, chartHeight);
        if (figures.weeks.empty())
            sheet.paragraph(QStringLiteral("Brak odpowiedzi w tym okresie."), body);
        else
            weekChart(sheet, p, figures, chartHeight);
        sheet.heading(QStringLiteral("Wyrazy z najczęstszymi błędami"), heading, 4 * line);
        if (figures.words.empty())
            sheet.paragraph(QStringLiteral("Brak błędnych odpowiedzi."), body);
        else
            wordGrid(sheet, p, content, body, bold);
    }

    const qreal gap = 20 * sheet.unit();
    const qreal chartWidth = (sheet.width() - gap) / 2;
    const qreal chartHeight = chartWidth * 2 / 3;
    if (content.dayChart || content.groupChart) {
        sheet.skip(line / 2);
        sheet.keep(chartHeight);
        if (content.dayChart)
            content.dayChart->render(&p, QRectF(0, sheet.y(), chartWidth, chartHeight));
        if (content.groupChart)
            content.groupChart->render(
                &p, QRectF(chartWidth + gap, sheet.y(), chartWidth, chartHeight));
        sheet.skip(chartHeight + line / 2);
    }

    const int shown =
        content.records ? std::min<int>(RunsShown, static_cast<int>(content.rows.size())) : 0;
    sheet.heading(shown == 0 ? QStringLiteral("Brak gier do pokazania.")
                             : QStringLiteral("Ostatnie gry (%1):").arg(shown),
                  bold, shown == 0 ? 0 : 3 * line);
    if (shown > 0) {
        std::vector<Column> columns;
        for (int column : Columns)
            columns.push_back({ProgressRow::Header(column, ProgressRow::Style::Table),
                               column >= ProgressRow::Time && column <= ProgressRow::Accuracy});
        if (content.names)
            columns.push_back({QStringLiteral("Dziecko")});
        std::vector<QStringList> rows;
        for (int i = 0; i < shown; ++i) {
            const int index = content.rows[static_cast<std::size_t>(i)];
            const StatRecord& r = (*content.records)[static_cast<std::size_t>(index)];
            QStringList row;
            for (int column : Columns) {
                const QString text =
                    ProgressRow::Text(r, column, content.zone, ProgressRow::Style::Table);
                row << (ProgressRow::IsMarked(r, column) ? text + QStringLiteral(" (!)") : text);
            }
            if (content.names)
                row << content.names->value(index);
            rows.push_back(row);
        }
        sheet.table(columns, rows, reportFont(7.5));
    }
    return p.end();
}
