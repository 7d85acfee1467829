#include "weekchart.h"

#include "chartstyle.h"
#include "progressdayaxis.h"
#include "progressrow.h"

#include <QCategoryAxis>
#include <QFontMetrics>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

namespace {

const QColor GroupColours[LogFigures::GroupCount] = {
    QColor(0x3C, 0x8D, 0xEB), QColor(0xE8, 0x7B, 0x1E), QColor(0x2E, 0xA0, 0x4F),
    QColor(0x9B, 0x4B, 0xD8)};

} // namespace

WeekChart::WeekChart(int titleSize, int labelSize) {
    setTitle(QStringLiteral("Skuteczność tydzień po tygodniu"));
    setTitleFont(ChartStyle::Font(titleSize, true));
    setMargins(QMargins(4, 4, 4, 4));
    setBackgroundRoundness(6);
    legend()->setAlignment(Qt::AlignBottom);
    legend()->setFont(ChartStyle::Font(labelSize));
    m_axis = new QCategoryAxis;
    m_axis->setLabelsFont(ChartStyle::Font(labelSize));
    m_axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    addAxis(m_axis, Qt::AlignBottom);
    QValueAxis* percent = ChartStyle::PercentAxis(labelSize);
    addAxis(percent, Qt::AlignLeft);
    for (int g = 0; g < LogFigures::GroupCount; ++g) {
        auto* line = new QLineSeries;
        line->setName(ProgressRow::SoundName(g));
        line->setColor(GroupColours[g]);
        line->setPointsVisible(true);
        line->setMarkerSize(labelSize * 0.45);
        addSeries(line);
        line->attachAxis(m_axis);
        line->attachAxis(percent);
        m_lines[std::size_t(g)] = line;
    }
    connect(this, &QChart::plotAreaChanged, this, [this] { relabel(); });
    SetWeeks({});
}

void WeekChart::SetWeeks(const std::vector<LogFigures::Week>& weeks) {
    m_first = weeks.empty() ? QDate() : weeks.front().monday;
    m_count = weeks.empty() ? 1 : int(m_first.daysTo(weeks.back().monday) / 7) + 1;
    m_withYear = !weeks.empty() && m_first.year() != weeks.back().monday.year();
    for (int g = 0; g < LogFigures::GroupCount; ++g) {
        QList<QPointF> points;
        for (const LogFigures::Week& week : weeks)
            if (const auto accuracy = week.groups[std::size_t(g)].accuracy)
                points.append(QPointF(WeekValue(week.monday), *accuracy * 100));
        m_lines[std::size_t(g)]->replace(points);
    }
    m_axis->setRange(-0.5, m_count - 0.5);
    m_axis->setStartValue(-0.5);
    relabel();
}

qreal WeekChart::WeekValue(const QDate& monday) const {
    return m_first.isValid() ? qreal(m_first.daysTo(monday)) / 7 : 0;
}

QStringList WeekChart::Labels() const {
    return m_axis->categoriesLabels();
}

void WeekChart::relabel() {
    QStringList wanted;
    std::vector<int> weeks;
    if (m_first.isValid()) {
        const QFontMetrics metrics(m_axis->labelsFont());
        const int labelWidth =
            metrics.horizontalAdvance(LogFigures::WeekLabel(QDate(2000, 12, 28), m_withYear));
        weeks = ProgressDayAxis::LabelIndices(
            m_count, ProgressDayAxis::MaxLabels(plotArea().width(), labelWidth));
        for (int week : weeks)
            wanted << LogFigures::WeekLabel(m_first.addDays(7 * qint64(week)), m_withYear);
    }
    // Changing the labels moves the plot, which asks again: the same labels end it.
    if (wanted == Labels())
        return;
    for (const QString& label : Labels())
        m_axis->remove(label);
    for (std::size_t i = 0; i < weeks.size(); ++i)
        m_axis->append(wanted[qsizetype(i)], qreal(weeks[i]));
}
