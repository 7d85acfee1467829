#include "tformpostepy.h"

#include "cdisplay.h"
#include "cprzyciskp.h"
#include "progresscsv.h"
#include "progressdayaxis.h"
#include "progressreport.h"
#include "progressrow.h"
#include "progresstablemodel.h"
#include "savetarget.h"
#include "textformat.h"

#include <QAbstractItemView>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

const QColor Ink(0x2E, 0x2A, 0x5A);
const QColor Panel(0xFF, 0xF7, 0xE3);
// Keeps the words of a value together when a line wraps: "72,1 %", "2 min 5 s".
const QChar NoBreak(0x00A0);
// What a sound group or position without answers shows instead of a bar.
const QString NoGames = QStringLiteral("—");

QFont uiFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel* label(QWidget* parent, const QString& text, const QFont& font) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, Ink);
    l->setPalette(palette);
    return l;
}

QComboBox* combo(QWidget* parent, const QStringList& items, const QFont& font) {
    auto* box = new QComboBox(parent);
    box->setFont(font);
    box->addItems(items);
    return box;
}

QChart* newChart(const QString& title, int pixelSize) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(uiFont(pixelSize, true));
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(6);
    return chart;
}

QValueAxis* percentAxis(int pixelSize) {
    auto* axis = new QValueAxis;
    // Room above 100 %, so that a perfect day's point and a bar's value are not cut by the
    // plot's top border; the scale still ends at 100 %.
    axis->setRange(0, 114);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(20);
    axis->setLabelFormat(QStringLiteral("%d %%"));
    axis->setLabelsFont(uiFont(pixelSize));
    return axis;
}

} // namespace

TFormPostepy::TFormPostepy(const CDisplay& display, QString statisticsPath, Clock clock,
                           QTimeZone zone)
    : m_display(display), m_path(std::move(statisticsPath)),
      m_clock(clock ? std::move(clock) : [] { return std::chrono::system_clock::now(); }),
      m_zone(std::move(zone)) {
    setWindowTitle(Title());
    setGeometry(0, 0, display.ScreenWidth, display.ScreenHeight);
    canvas().setBrushColor(Qt::black);

    const int x0 = display.OffsetX;
    const int y0 = display.OffsetY;
    const int w = display.DesignWidth;
    const int h = display.DesignHeight;
    const bool small = display.IsSmall();
    const int m = 12;
    const int text = small ? 13 : 15;

    m_background = QImage(display.ScreenWidth, display.ScreenHeight, QImage::Format_RGB32);
    m_background.fill(Qt::black);
    {
        QPainter p(&m_background);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(QRect(x0, y0, w, h), QColor(0x8F, 0xD8, 0xFA));
        p.setPen(QPen(Ink, 3));
        p.setBrush(Panel);
        p.drawRoundedRect(QRectF(x0 + 4.5, y0 + 4.5, w - 9, h - 9), 18, 18);
    }
    canvas().draw(0, 0, m_background);

    auto* title = label(this, QStringLiteral("Postępy"), uiFont(small ? 24 : 30, true));
    title->move(x0 + m + 8, y0 + 10);
    title->adjustSize();
    m_totals = label(this, QString(), uiFont(text, true));
    m_totals->setWordWrap(true);
    const int totalsLeft = title->geometry().right() + 16;
    m_totals->setGeometry(totalsLeft, y0 + 12, x0 + w - totalsLeft - m - 8, small ? 36 : 42);

    auto* filters = new QWidget(this);
    filters->setGeometry(x0 + m + 8, y0 + (small ? 50 : 58), w - 2 * m - 16, small ? 30 : 34);
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
    const QFont font = uiFont(text);
    m_game = combo(filters,
                   {QStringLiteral("wszystkie gry"), ProgressRow::GameName(1),
                    ProgressRow::GameName(2), ProgressRow::GameName(3), ProgressRow::GameName(4)},
                   font);
    QStringList sounds{QStringLiteral("wszystkie głoski")};
    for (int i = 0; i < 4; ++i)
        sounds << ProgressRow::SoundName(i);
    m_sound = combo(filters, sounds, font);
    QStringList positions{QStringLiteral("wszystkie pozycje")};
    for (int i = 0; i < 3; ++i)
        positions << ProgressRow::PositionName(i);
    m_position = combo(filters, positions, font);
    m_period = combo(filters,
                     {QStringLiteral("wszystko"), QStringLiteral("ostatnie 7 dni"),
                      QStringLiteral("ostatnie 30 dni")},
                     font);
    const std::pair<const char*, QComboBox*> named[] = {
        {"Gra:", m_game}, {"Głoska:", m_sound}, {"Pozycja:", m_position}, {"Okres:", m_period}};
    for (const auto& [caption, box] : named) {
        row->addWidget(label(filters, QString::fromUtf8(caption), font));
        row->addWidget(box, 1);
        row->addSpacing(8);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    }

    const int noteTop = y0 + (small ? 84 : 96);
    m_note = label(this, QString(), uiFont(text, true));
    m_note->setGeometry(x0 + m + 8, noteTop, w - 2 * m - 16, 20);
    QPalette notePalette = m_note->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    m_note->setPalette(notePalette);

    const int tableTop = noteTop + 22;
    const int tableHeight = h * 2 / 5 - (small ? 12 : 0);
    m_model = new ProgressTableModel(m_zone, this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setFont(uiFont(small ? 11 : 13));
    m_table->horizontalHeader()->setFont(uiFont(small ? 11 : 13, true));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(small ? 20 : 24);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setGeometry(x0 + m, tableTop, w - 2 * m, tableHeight);
    // Widths from the header and a typical cell: sizing columns to their contents would read
    // every row.
    const char* const samples[ProgressRow::ColumnCount] = {"08.12.2026 11:23",
                                                           "Uzupełnianie",
                                                           "średnio",
                                                           "SZ, Ż/RZ",
                                                           "nagłos, wygłos",
                                                           "10 min 30 s",
                                                           "100",
                                                           "100",
                                                           "100",
                                                           "nie",
                                                           "100,0 %",
                                                           "niemożliwa data"};
    const QFontMetrics cells(m_table->font());
    const QFontMetrics headers(m_table->horizontalHeader()->font());
    for (int c = 0; c < ProgressRow::ColumnCount; ++c)
        m_table->setColumnWidth(
            c,
            std::max(cells.horizontalAdvance(QString::fromUtf8(samples[c])),
                     headers.horizontalAdvance(ProgressRow::Header(c, ProgressRow::Style::Table))) +
                14);
    m_table->horizontalHeader()->setStretchLastSection(true);

    const int chartTop = tableTop + tableHeight + 8;
    const int chartHeight = h - 76 - chartTop + y0;
    const int chartWidth = (w - 3 * m) / 2;
    m_dayChart = new QChartView(this);
    m_groupChart = new QChartView(this);
    for (QChartView* view : {m_dayChart, m_groupChart})
        view->setRenderHint(QPainter::Antialiasing);
    m_dayChart->setGeometry(x0 + m, chartTop, chartWidth, chartHeight);
    m_groupChart->setGeometry(x0 + 2 * m + chartWidth, chartTop, chartWidth, chartHeight);
    buildCharts();

    const int bottom = y0 + h - 60;
    m_csvButton = new QPushButton(QStringLiteral("Zapisz CSV"), this);
    m_pdfButton = new QPushButton(QStringLiteral("Drukuj / PDF"), this);
    for (QPushButton* button : {m_csvButton, m_pdfButton}) {
        button->setFont(uiFont(text, true));
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_csvButton->setGeometry(x0 + m + 8, bottom + 6, small ? 130 : 150, 38);
    m_pdfButton->setGeometry(m_csvButton->geometry().right() + 10, bottom + 6, small ? 130 : 150,
                             38);
    connect(m_csvButton, &QPushButton::clicked, this, [this] { A_ZapiszCsv(); });
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { A_Drukuj(); });
    const int savedLeft = m_pdfButton->geometry().right() + 12;
    m_saved = label(this, QString(), uiFont(small ? 11 : 13));
    m_saved->setWordWrap(true);
    m_saved->setGeometry(savedLeft, bottom, x0 + w - 90 - savedLeft, 52);

    const PictureTable::Button stop = Pictures(display).buttons.front();
    m_stop = std::make_unique<CPrzyciskP>(*this, stop.name, canvas(), m_background, stop.at.x(),
                                          stop.at.y(), [this] { A_Stop(); });
    // Escape reaches the window wherever the keyboard is, a list or the table included.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { A_Stop(); });
    // ...except while a list is open: Escape closes the list first.
    for (QComboBox* box : {m_game, m_sound, m_position, m_period})
        box->view()->installEventFilter(this);

    m_askPath = [this](const QString& caption, const QString& name, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, QDir::home().filePath(name), filter);
    };
}

TFormPostepy::~TFormPostepy() {
    // The charts go with the window's children, after this object: nothing they say on the
    // way may reach it.
    m_groupChart->chart()->disconnect(this);
}

const std::vector<int>& TFormPostepy::Rows() const {
    return m_model->Rows();
}

ProgressFilter TFormPostepy::Filter() const {
    ProgressFilter filter;
    filter.kind = m_game->currentIndex();
    if (m_sound->currentIndex() > 0)
        filter.sound = ProgressRow::SoundBits[m_sound->currentIndex() - 1];
    if (m_position->currentIndex() > 0)
        filter.position = ProgressRow::PositionBits[m_position->currentIndex() - 1];
    static const ProgressFilter::Period Periods[] = {ProgressFilter::Period::Everything,
                                                     ProgressFilter::Period::Week,
                                                     ProgressFilter::Period::Month};
    filter.period = Periods[std::max(0, m_period->currentIndex())];
    return filter;
}

void TFormPostepy::Reload() {
    m_content = StatReader::ReadFile(m_path);
    QStringList notes;
    if (m_content.status == StatReader::Status::Unreadable)
        notes << QStringLiteral("Nie można odczytać pliku statystyk.");
    else if (m_content.records.empty())
        notes << QStringLiteral("Brak zapisanych gier");
    if (m_content.leftOutBytes > 0)
        notes << QStringLiteral("Plik statystyk jest niepełny: pominięto ostatnie %1 B.")
                     .arg(m_content.leftOutBytes);
    m_note->setText(notes.join(QLatin1Char(' ')));
    m_saved->clear();
    Refresh();
}

void TFormPostepy::Refresh() {
    std::vector<int> rows = Filter().Apply(m_content.records, m_clock());
    m_stats = ProgressStats::Of(m_content.records, rows, m_zone);
    m_model->SetRuns(&m_content.records, std::move(rows));
    m_totals->setText(TotalsText(m_stats));
    updateCharts();
}

QString TFormPostepy::TotalsText(const ProgressStats& stats) {
    const int seconds =
        static_cast<int>(std::min<std::int64_t>(stats.seconds, std::numeric_limits<int>::max()));
    const QString items[] = {
        QStringLiteral("Gry: %1").arg(stats.games),
        QStringLiteral("Czas gry: %1").arg(FormatDuration(seconds)),
        QStringLiteral("Odpowiedzi: %1 (poprawne %2, błędne %3)")
            .arg(stats.answers.correct + stats.answers.wrong)
            .arg(stats.answers.correct)
            .arg(stats.answers.wrong),
        QStringLiteral("Skuteczność: %1")
            .arg(stats.answers.Percent()
                     ? ProgressRow::PercentText(stats.answers.Percent()) + QStringLiteral(" %")
                     : ProgressRow::PercentText(std::nullopt)),
    };
    // A line may break only between the items, never inside one.
    QStringList kept;
    for (const QString& item : items)
        kept << QString(item).replace(QLatin1Char(' '), NoBreak);
    return kept.join(NoBreak + QStringLiteral("· "));
}

void TFormPostepy::buildCharts() {
    // The series and axes are made once and only given new values later: axes removed from a
    // hidden chart leave their labels in its scene, drawn under the new ones at the next show.
    const int titleSize = m_display.IsSmall() ? 12 : 14;
    const int labelSize = m_display.IsSmall() ? 9 : 11;
    QChart* day = newChart(QStringLiteral("Skuteczność dzień po dniu"), titleSize);
    m_dayChart->setChart(day);
    m_dayLine = new QLineSeries;
    m_dayLine->setPointsVisible(true);
    m_dayLine->setMarkerSize(m_display.IsSmall() ? 3.5 : 4.5);
    m_dayLine->setColor(QColor(0x3C, 0x8D, 0xEB));
    day->addSeries(m_dayLine);
    m_dayAxis = new QCategoryAxis;
    m_dayAxis->setLabelsFont(uiFont(labelSize));
    m_dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    day->addAxis(m_dayAxis, Qt::AlignBottom);
    QValueAxis* dayPercent = percentAxis(labelSize);
    day->addAxis(dayPercent, Qt::AlignLeft);
    m_dayLine->attachAxis(m_dayAxis);
    m_dayLine->attachAxis(dayPercent);

    QChart* groups = newChart(QStringLiteral("Skuteczność według głosek i pozycji"), titleSize);
    m_groupChart->setChart(groups);
    m_groupSet = new QBarSet(QStringLiteral("Skuteczność"));
    m_groupSet->setColor(QColor(0x9B, 0x6B, 0xE8));
    QStringList categories;
    for (int i = 0; i < 4; ++i)
        categories << ProgressRow::SoundName(i);
    for (int i = 0; i < 3; ++i)
        categories << ProgressRow::PositionName(i);
    for (qsizetype i = 0; i < categories.size(); ++i)
        *m_groupSet << 0.0;
    auto* bars = new QBarSeries;
    bars->append(m_groupSet);
    groups->addSeries(bars);
    auto* names = new QBarCategoryAxis;
    names->append(categories);
    names->setLabelsFont(uiFont(labelSize));
    groups->addAxis(names, Qt::AlignBottom);
    QValueAxis* groupPercent = percentAxis(labelSize);
    groups->addAxis(groupPercent, Qt::AlignLeft);
    bars->attachAxis(names);
    bars->attachAxis(groupPercent);
    for (int i = 0; i < 7; ++i) {
        auto* value = new QGraphicsSimpleTextItem(groups);
        value->setZValue(10); // over the bars
        m_groupValues.push_back(value);
    }
    connect(groups, &QChart::plotAreaChanged, this, [this] { placeGroupValues(); });
}

void TFormPostepy::updateCharts() {
    updateDayChart();
    updateGroupChart();
}

void TFormPostepy::updateDayChart() {
    // Days are whole numbers from the first day shown, so that the axis can only name whole
    // days and a single day sits in the middle.
    QDate first, last;
    for (const ProgressStats::Day& d : m_stats.days)
        if (d.answers.Percent()) {
            if (!first.isValid())
                first = d.date;
            last = d.date;
        }
    if (!last.isValid())
        first = last =
            QDateTime::fromMSecsSinceEpoch(
                std::chrono::duration_cast<std::chrono::milliseconds>(m_clock().time_since_epoch())
                    .count(),
                m_zone)
                .date();
    QList<QPointF> points;
    for (const ProgressStats::Day& d : m_stats.days)
        if (const auto percent = d.answers.Percent())
            points.append(QPointF(static_cast<qreal>(first.daysTo(d.date)), *percent));
    m_dayLine->replace(points);

    for (const QString& label : m_dayAxis->categoriesLabels())
        m_dayAxis->remove(label);
    const qreal span = static_cast<qreal>(first.daysTo(last));
    m_dayAxis->setRange(-0.5, span + 0.5);
    m_dayAxis->setStartValue(-0.5);
    // The plot is the view less the scale on the left and the chart's margins.
    const QFontMetrics metrics(m_dayAxis->labelsFont());
    const double plotWidth =
        m_dayChart->width() - metrics.horizontalAdvance(QStringLiteral("100 %")) - 48;
    const int fits =
        ProgressDayAxis::MaxLabels(plotWidth, metrics.horizontalAdvance(QStringLiteral("00.00")));
    for (const QDate& d : ProgressDayAxis::LabelDays(first, last, fits))
        m_dayAxis->append(d.toString(QStringLiteral("dd.MM")), static_cast<qreal>(first.daysTo(d)));
}

void TFormPostepy::updateGroupChart() {
    const int labelSize = m_display.IsSmall() ? 9 : 11;
    std::vector<std::optional<double>> percents;
    for (int i = 0; i < 4; ++i)
        percents.push_back(m_stats.sounds[static_cast<std::size_t>(i)].Percent());
    for (int i = 0; i < 3; ++i)
        percents.push_back(m_stats.positions[static_cast<std::size_t>(i)].Percent());
    // A group without answers has no bar and says so, large enough to be seen as a mark
    // rather than as a bar of nothing, unlike one whose answers were all wrong.
    const QFont valueFont = uiFont(labelSize, true);
    const QFont noGamesFont = uiFont(labelSize * 2, true);
    for (std::size_t i = 0; i < percents.size(); ++i) {
        m_groupSet->replace(static_cast<qsizetype>(i), percents[i].value_or(0.0));
        QGraphicsSimpleTextItem* value = m_groupValues[i];
        value->setText(percents[i]
                           ? ProgressRow::PercentText(percents[i]) + NoBreak + QLatin1Char('%')
                           : NoGames);
        value->setFont(percents[i] ? valueFont : noGamesFont);
        value->setBrush(percents[i] ? Ink : QColor(0x8A, 0x86, 0xA8));
    }
    placeGroupValues();
}

void TFormPostepy::placeGroupValues() {
    QChart* groups = m_groupChart->chart();
    if (groups->series().isEmpty())
        return;
    QAbstractSeries* bars = groups->series().first();
    const auto* set = static_cast<QBarSeries*>(bars)->barSets().first();
    for (std::size_t i = 0; i < m_groupValues.size(); ++i) {
        QGraphicsSimpleTextItem* value = m_groupValues[i];
        const QPointF top = groups->mapToPosition(
            QPointF(static_cast<qreal>(i), set->at(static_cast<int>(i))), bars);
        const QRectF box = value->boundingRect();
        value->setPos(top.x() - box.width() / 2, top.y() - box.height() - 1);
    }
}

QString TFormPostepy::filterText() const {
    return QStringLiteral("Gra: %1; głoska: %2; pozycja: %3; okres: %4.")
        .arg(m_game->currentText(), m_sound->currentText(), m_position->currentText(),
             m_period->currentText());
}

bool TFormPostepy::SaveCsv(const QString& path) {
    return save(path, ProgressCsv::Write(m_content.records, Rows(), m_zone),
                QStringLiteral("Zapisano tabelę: %1"));
}

bool TFormPostepy::SavePdf(const QString& path) {
    ProgressReport::Content content;
    content.filters = filterText();
    content.totals = m_totals->text();
    content.dayChart = m_dayChart;
    content.groupChart = m_groupChart;
    content.records = &m_content.records;
    content.rows = Rows();
    content.zone = m_zone;
    content.madeAt =
        QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_clock().time_since_epoch())
                .count(),
            m_zone)
            .toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    const QByteArray pdf = ProgressReport::Pdf(content);
    if (pdf.isEmpty()) {
        m_saved->setText(SaveTarget::Message({SaveTarget::Outcome::WriteFailed, {}}, path));
        return false;
    }
    return save(path, pdf, QStringLiteral("Zapisano raport: %1"));
}

bool TFormPostepy::save(const QString& path, const QByteArray& bytes, const QString& savedText) {
    const SaveTarget::Result result =
        SaveTarget::Write(path, bytes, QStringList(m_ownPaths) << m_path);
    const bool saved = result.outcome == SaveTarget::Outcome::Saved;
    m_saved->setText(saved ? savedText.arg(QDir::toNativeSeparators(path))
                           : SaveTarget::Message(result, path));
    return saved;
}

void TFormPostepy::A_ZapiszCsv() {
    const QString path =
        m_askPath ? m_askPath(QStringLiteral("Zapisz tabelę jako CSV"),
                              QStringLiteral("postepy.csv"), QStringLiteral("Pliki CSV (*.csv)"))
                  : QString();
    if (!path.isEmpty())
        SaveCsv(path);
}

void TFormPostepy::A_Drukuj() {
    const QString path =
        m_askPath ? m_askPath(QStringLiteral("Zapisz raport jako PDF"),
                              QStringLiteral("postepy.pdf"), QStringLiteral("Pliki PDF (*.pdf)"))
                  : QString();
    if (!path.isEmpty())
        SavePdf(path);
}

bool TFormPostepy::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    return false;
}

bool TFormPostepy::eventFilter(QObject* watched, QEvent* event) {
    // The open list closes on Escape while the key is offered to shortcuts, and the offer then
    // falls through to the window's Escape: taking it here keeps the window open.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
        for (QComboBox* box : {m_game, m_sound, m_position, m_period})
            if (watched == box->view() && box->view()->isVisible()) {
                box->hidePopup();
                event->accept();
                return true;
            }
    return Form::eventFilter(watched, event);
}

void TFormPostepy::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    Reload();
}
