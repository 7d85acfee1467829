#include "tformpostepy.h"

#include "cdisplay.h"
#include "chartstyle.h"
#include "logreader.h"
#include "mediafiles.h"
#include "progresscsv.h"
#include "progressdayaxis.h"
#include "progressreport.h"
#include "progressrow.h"
#include "progresstablemodel.h"
#include "progresswords.h"
#include "savetarget.h"
#include "textformat.h"
#include "weekchart.h"

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
#include <QFileInfo>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Keeps the words of a value together when a line wraps: "72,1 %", "2 min 5 s".
const QChar NoBreak(0x00A0);
// What a sound group or position without answers shows instead of a bar.
const QString NoGames = QStringLiteral("—");

QComboBox* combo(QWidget* parent, const QStringList& items, const QFont& font) {
    auto* box = new QComboBox(parent);
    box->setFont(font);
    box->addItems(items);
    return box;
}

// Chooser entries other than a child's id.
constexpr qint64 Everyone = -1;
constexpr qint64 Guest = -2;

QTableView* newTable(QWidget* parent, bool small) {
    auto* table = new QTableView(parent);
    table->setFont(ChartStyle::Font(small ? 11 : 13));
    table->horizontalHeader()->setFont(ChartStyle::Font(small ? 11 : 13, true));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(small ? 20 : 24);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    // Unsorted until the therapist asks: the rows come newest first.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->horizontalHeader()->setSectionsClickable(true);
    return table;
}

QSortFilterProxyModel* sorted(QAbstractItemModel* model, QObject* parent) {
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(ProgressTableModel::SortRole);
    proxy->setSortLocaleAware(true);
    return proxy;
}

QStandardItem* item(const QString& text, const QVariant& sortKey, bool right = false) {
    auto* cell = new QStandardItem(text);
    cell->setData(sortKey, ProgressTableModel::SortRole);
    cell->setTextAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return cell;
}

QString positionName(std::uint16_t bit) {
    for (int i = 0; i < 3; ++i)
        if (bit == ProgressRow::PositionBits[i])
            return ProgressRow::PositionName(i);
    return {};
}

QChart* newChart(const QString& title, int pixelSize) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(ChartStyle::Font(pixelSize, true));
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(6);
    return chart;
}

} // namespace

TFormPostepy::TFormPostepy(const CDisplay& display, QString statisticsPath, Clock clock,
                           QTimeZone zone)
    : TFormPostepy(display,
                   ProgressSources{{}, std::move(statisticsPath), {}, QStringLiteral("Gość"), {}},
                   std::move(clock), std::move(zone)) {}

TFormPostepy::TFormPostepy(const CDisplay& display, ProgressSources sources, Clock clock,
                           QTimeZone zone)
    : TherapistForm(display, Title(), QColor(0x8F, 0xD8, 0xFA), QStringLiteral("Postępy")),
      m_display(display), m_sources(std::move(sources)), m_path(m_sources.statisticsPath),
      m_ownPaths(m_sources.ownPaths),
      m_clock(clock ? std::move(clock) : [] { return std::chrono::system_clock::now(); }),
      m_zone(std::move(zone)) {
    const auto [x0, y0, w, h, small, text] = PlayArea();
    const int m = 12;

    const QFont font = ChartStyle::Font(text);
    // Whose progress: the title's own line, as the page's subject.
    m_child = combo(this, {}, ChartStyle::Font(text, true));
    m_child->move(TitleLabel().geometry().right() + 12, y0 + (small ? 14 : 18));
    m_child->resize(small ? 170 : 220, small ? 28 : 32);
    connect(m_child, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    m_totals = Label(this, QString(), ChartStyle::Font(small ? 11 : 13, true));
    m_totals->setWordWrap(true);
    placeTotals();

    auto* filters = new QWidget(this);
    filters->setGeometry(x0 + m + 8, y0 + (small ? 50 : 58), w - 2 * m - 16, small ? 30 : 34);
    auto* row = new QHBoxLayout(filters);
    row->setContentsMargins(0, 0, 0, 0);
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
        row->addWidget(Label(filters, QString::fromUtf8(caption), font));
        row->addWidget(box, 1);
        row->addSpacing(8);
        connect(box, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
    }

    const int noteTop = y0 + (small ? 84 : 96);
    m_note = Label(this, QString(), ChartStyle::Font(text, true));
    m_note->setGeometry(x0 + m + 8, noteTop, w - 2 * m - 16, 20);
    QPalette notePalette = m_note->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xB0, 0x20, 0x20));
    m_note->setPalette(notePalette);

    const int tabsTop = noteTop + 22;
    m_tabs = new QTabWidget(this);
    m_tabs->setFont(ChartStyle::Font(small ? 12 : 14, true));
    m_tabs->setDocumentMode(true);
    m_tabs->setGeometry(x0 + m, tabsTop, w - 2 * m, y0 + h - 72 - tabsTop);
    m_tabs->addTab(buildGamesTab(), QStringLiteral("Gry"));
    m_tabs->addTab(buildSoundsTab(), QStringLiteral("Głoski i wyrazy"));
    m_tabs->addTab(buildWeeksTab(), QStringLiteral("Tydzień po tygodniu"));
    m_tabs->addTab(buildNoteTab(), QStringLiteral("Uwagi do raportu"));
    buildCharts();

    const int bottom = y0 + h - 60;
    m_csvButton = new QPushButton(QStringLiteral("Zapisz CSV"), this);
    m_pdfButton = new QPushButton(QStringLiteral("Drukuj / PDF"), this);
    for (QPushButton* button : {m_csvButton, m_pdfButton}) {
        button->setFont(ChartStyle::Font(text, true));
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_csvButton->setGeometry(x0 + m + 8, bottom + 6, small ? 130 : 150, 38);
    m_pdfButton->setGeometry(m_csvButton->geometry().right() + 10, bottom + 6, small ? 130 : 150,
                             38);
    connect(m_csvButton, &QPushButton::clicked, this, [this] { A_ZapiszCsv(); });
    auto* print = new QMenu(m_pdfButton);
    print->setFont(ChartStyle::Font(text));
    print->addAction(QStringLiteral("Drukuj…"), this, [this] { A_DrukujNaDrukarce(); });
    print->addAction(QStringLiteral("Zapisz jako PDF…"), this, [this] { A_Drukuj(); });
    m_pdfButton->setMenu(print);
    const int savedLeft = m_pdfButton->geometry().right() + 12;
    m_saved = Label(this, QString(), ChartStyle::Font(small ? 11 : 13));
    m_saved->setWordWrap(true);
    m_saved->setGeometry(savedLeft, bottom, x0 + w - 90 - savedLeft, 52);

    // Escape reaches the window wherever the keyboard is, except while a list is open: Escape
    // closes the list first.
    for (QComboBox* box : {m_child, m_game, m_sound, m_position, m_period})
        box->view()->installEventFilter(this);

    m_askPath = [this](const QString& caption, const QString& name, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, QDir::home().filePath(name), filter);
    };
    m_askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Drukuj raport"));
        return dialog.exec() == QDialog::Accepted;
    };
}

QWidget* TFormPostepy::buildGamesTab() {
    const bool small = m_display.IsSmall();
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 4, 0, 0);
    column->setSpacing(8);
    m_model = new ProgressTableModel(m_zone, this);
    m_sorted = sorted(m_model, this);
    m_table = newTable(page, small);
    m_table->setModel(m_sorted);
    // Widths from the header and a typical cell: sizing columns to their contents would read
    // every row. The therapist may widen any of them.
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
    // The sort mark takes room beside a header's text.
    const int mark = headers.height();
    for (int c = 0; c < ProgressRow::ColumnCount; ++c)
        m_table->setColumnWidth(c, std::max(cells.horizontalAdvance(QString::fromUtf8(samples[c])),
                                            headers.horizontalAdvance(
                                                ProgressRow::Header(c, ProgressRow::Style::Table)) +
                                                mark) +
                                       14);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setResizeContentsPrecision(0);
    column->addWidget(m_table, 5);
    auto* charts = new QHBoxLayout;
    charts->setSpacing(12);
    m_dayChart = new QChartView(page);
    m_groupChart = new QChartView(page);
    for (QChartView* view : {m_dayChart, m_groupChart}) {
        view->setRenderHint(QPainter::Antialiasing);
        charts->addWidget(view, 1);
    }
    column->addLayout(charts, 4);
    return page;
}

QWidget* TFormPostepy::buildSoundsTab() {
    const bool small = m_display.IsSmall();
    auto* page = new QWidget;
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(0, 4, 0, 0);
    columns->setSpacing(12);
    m_sounds = new QStandardItemModel(LogFigures::SoundCount, 1 + LogFigures::PositionCount, this);
    m_sounds->setHorizontalHeaderLabels({QStringLiteral("Głoska"), ProgressRow::PositionName(0),
                                         ProgressRow::PositionName(1),
                                         ProgressRow::PositionName(2)});
    m_soundTable = newTable(page, small);
    m_soundTable->setModel(sorted(m_sounds, this));
    m_soundTable->setToolTip(
        QStringLiteral("Skuteczność i, w nawiasie, liczba prób; „—”: nie było prób"));
    m_soundTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_soundTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    columns->addWidget(m_soundTable, 4);

    m_words = new QStandardItemModel(0, 5, this);
    m_words->setHorizontalHeaderLabels({QString(), QStringLiteral("Wyraz"),
                                        QStringLiteral("Głoska"), QStringLiteral("Pozycja"),
                                        QStringLiteral("Błędne z prób")});
    m_wordTable = newTable(page, small);
    m_wordTable->setModel(sorted(m_words, this));
    m_wordTable->setIconSize(QSize(small ? 28 : 34, small ? 34 : 42));
    m_wordTable->verticalHeader()->setDefaultSectionSize(small ? 36 : 44);
    m_wordTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_wordTable->horizontalHeader()->setStretchLastSection(true);
    columns->addWidget(m_wordTable, 5);
    return page;
}

QWidget* TFormPostepy::buildWeeksTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 4, 0, 0);
    m_weekChart = new QChartView(page);
    m_weekChart->setRenderHint(QPainter::Antialiasing);
    m_weeks = new WeekChart(m_display.IsSmall() ? 12 : 14, m_display.IsSmall() ? 9 : 11);
    m_weekChart->setChart(m_weeks);
    column->addWidget(m_weekChart);
    return page;
}

QWidget* TFormPostepy::buildNoteTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 4, 0, 0);
    column->addWidget(Label(page,
                            QStringLiteral("Uwagi dla rodzica: ten tekst trafi do raportu "
                                           "(Drukuj / PDF)."),
                            ChartStyle::Font(m_display.IsSmall() ? 12 : 14)));
    m_noteEdit = new QPlainTextEdit(page);
    m_noteEdit->setFont(ChartStyle::Font(m_display.IsSmall() ? 13 : 15));
    m_noteEdit->setPlaceholderText(
        QStringLiteral("Np. co ćwiczyć w domu, które wyrazy powtarzać, kiedy następne zajęcia."));
    column->addWidget(m_noteEdit, 1);
    return page;
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

void TFormPostepy::SetSources(ProgressSources sources) {
    m_sources = std::move(sources);
    m_path = m_sources.statisticsPath;
    m_ownPaths = m_sources.ownPaths;
}

void TFormPostepy::Reload() {
    m_log.reset();
    m_children.clear();
    m_readNotes.clear();
    if (!m_sources.logPath.isEmpty()) {
        auto log = std::make_unique<LogReader>(m_sources.logPath);
        std::optional<std::vector<PracticeLog::Child>> children;
        if (log->Open() && (children = log->Children())) {
            m_log = std::move(log);
            m_children = std::move(*children);
        } else if (QFileInfo::exists(m_sources.logPath)) {
            m_readNotes << QStringLiteral("Nie można odczytać dziennika ćwiczeń: pokazano plik "
                                          "statystyk.");
        }
    }
    if (!m_log) {
        m_content = StatReader::ReadFile(m_path);
        if (m_content.status == StatReader::Status::Unreadable)
            m_readNotes << QStringLiteral("Nie można odczytać pliku statystyk.");
        if (m_content.leftOutBytes > 0)
            m_readNotes << QStringLiteral("Plik statystyk jest niepełny: pominięto ostatnie %1 B.")
                               .arg(m_content.leftOutBytes);
    }
    fillChooser();
    m_saved->clear();
    Refresh();
}

void TFormPostepy::placeTotals() {
    const int x0 = m_display.OffsetX;
    const int y0 = m_display.OffsetY;
    const int totalsLeft = m_child->geometry().right() + 14;
    m_totals->setGeometry(totalsLeft, y0 + 6, x0 + m_display.DesignWidth - totalsLeft - 20,
                          m_display.IsSmall() ? 44 : 50);
}

void TFormPostepy::fillChooser() {
    const QSignalBlocker quiet(m_child);
    m_child->clear();
    if (!m_log) {
        // The statistics file is the practising profile's alone.
        m_child->addItem(m_sources.childName.isEmpty() ? QStringLiteral("Gość")
                                                       : m_sources.childName);
        m_child->setEnabled(false);
        return;
    }
    m_child->setEnabled(true);
    m_child->addItem(QStringLiteral("Wszystkie dzieci"), Everyone);
    m_child->addItem(QStringLiteral("Gość"), Guest);
    for (const PracticeLog::Child& child : m_children)
        m_child->addItem(child.name, child.id);
    // The view opens on whoever practises now.
    const int practising = m_sources.childId ? m_child->findData(*m_sources.childId) : -1;
    m_child->setCurrentIndex(practising >= 0 ? practising : 1);
    // As wide as the longest name (up to 40 characters) allows, the totals beside it.
    const int most = m_display.IsSmall() ? 250 : 320;
    m_child->resize(std::clamp(m_child->sizeHint().width(), m_display.IsSmall() ? 170 : 220, most),
                    m_child->height());
    placeTotals();
}

PracticeReport::Filter TFormPostepy::LogFilter() const {
    PracticeReport::Filter filter;
    const qint64 chosen =
        m_child->currentData().isValid() ? m_child->currentData().toLongLong() : Everyone;
    if (chosen == Guest)
        filter.who = PracticeReport::Filter::Who::Guest;
    else if (chosen != Everyone) {
        filter.who = PracticeReport::Filter::Who::Child;
        filter.childId = chosen;
    }
    const ProgressFilter shown = Filter();
    filter.kind = shown.kind;
    filter.sounds = shown.sound ? std::uint16_t(shown.sound | WordBits::partnerOf(shown.sound)) : 0;
    filter.positions = shown.position;
    if (shown.period != ProgressFilter::Period::Everything)
        filter.from =
            QDateTime::fromMSecsSinceEpoch(
                std::chrono::duration_cast<std::chrono::milliseconds>(m_clock().time_since_epoch())
                        .count() -
                    qint64(shown.period == ProgressFilter::Period::Week ? 7 : 30) * 86'400'000,
                QTimeZone::utc())
                .date();
    return filter;
}

void TFormPostepy::readGames() {
    // Every game of whoever is chosen, as the statistics file would hold them; the view's
    // filters then apply to them as to the file's.
    PracticeReport::Filter whose;
    const PracticeReport::Filter chosen = LogFilter();
    whose.who = chosen.who;
    whose.childId = chosen.childId;
    PracticeReport report(*m_log);
    m_content = {};
    m_names.clear();
    if (const auto games = report.Games(whose)) {
        m_content.status = StatReader::Status::Read;
        m_content.records.reserve(games->size());
        for (const PracticeReport::Game& game : *games) {
            m_content.records.push_back(game.record);
            m_names << ProgressCsv::ChildName(game.childName);
        }
    } else {
        m_content.status = StatReader::Status::Unreadable;
        m_readNotes << QStringLiteral("Nie można odczytać dziennika ćwiczeń.");
    }
    m_figures = LogFigures::Read(report, chosen);
}

void TFormPostepy::Refresh() {
    m_figures.reset();
    if (m_log)
        readGames();
    QStringList notes = m_readNotes;
    if (m_content.status != StatReader::Status::Unreadable && m_content.records.empty())
        notes.prepend(QStringLiteral("Brak zapisanych gier"));
    m_note->setText(notes.join(QLatin1Char(' ')));
    std::vector<int> rows = Filter().Apply(m_content.records, m_clock());
    m_stats = ProgressStats::Of(m_content.records, rows, m_zone);
    m_model->SetRuns(&m_content.records, std::move(rows), namesShown());
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    // The rows in sight decide the widths (not every row: a long log would be read whole).
    m_table->resizeColumnsToContents();
    m_totals->setText(TotalsText(m_stats));
    updateCharts();
    updateLogViews();
}

const QStringList* TFormPostepy::namesShown() const {
    // One child's table says whose it is in its title.
    return m_log && LogFilter().who == PracticeReport::Filter::Who::All ? &m_names : nullptr;
}

QImage TFormPostepy::wordPicture(const QString& key) {
    const auto found = m_pictures.constFind(key);
    if (found != m_pictures.constEnd())
        return *found;
    const QString path = ProgressWords::SmallPicturePath(key);
    const QImage picture = path.isEmpty() ? QImage() : LoadOptionalJpeg(path);
    m_pictures.insert(key, picture);
    return picture;
}

void TFormPostepy::updateLogViews() {
    const bool shown = m_figures.has_value();
    for (int tab : {SoundsTab, WeeksTab})
        m_tabs->setTabEnabled(tab, shown);
    for (int s = 0; s < LogFigures::SoundCount; ++s) {
        m_sounds->setItem(s, 0, item(LogFigures::SoundName(s), s));
        for (int p = 0; p < LogFigures::PositionCount; ++p) {
            const PracticeReport::Figures f =
                shown ? m_figures->Cell(s, p) : PracticeReport::Figures{};
            QStandardItem* cell = item(LogFigures::CellText(f),
                                       f.accuracy       ? *f.accuracy
                                       : f.attempts > 0 ? -0.5
                                                        : -1.0,
                                       true);
            if (f.attempts > 0)
                cell->setToolTip(QStringLiteral("poprawne %1, błędne %2, podpowiedzi %3")
                                     .arg(f.correct)
                                     .arg(f.wrong)
                                     .arg(f.hints));
            m_sounds->setItem(s, 1 + p, cell);
        }
    }
    m_words->setRowCount(0);
    if (shown)
        for (const LogFigures::Word& word : m_figures->words) {
            const int sound = LogFigures::SoundIndex(word.sound);
            auto* picture = item(QString(), QVariant());
            const QImage image = wordPicture(word.key);
            if (!image.isNull())
                picture->setData(
                    QPixmap::fromImage(image.scaled(m_wordTable->iconSize(), Qt::KeepAspectRatio,
                                                    Qt::SmoothTransformation)),
                    Qt::DecorationRole);
            m_words->appendRow({picture, item(word.written, word.written),
                                item(LogFigures::SoundName(sound), sound),
                                item(positionName(word.position), word.position),
                                item(QStringLiteral("%1 z %2").arg(word.wrong).arg(word.attempts),
                                     word.wrong, true)});
        }
    m_weeks->SetWeeks(shown ? m_figures->weeks : std::vector<LogFigures::Week>());
}

QString TFormPostepy::PeriodText() const {
    const QString format = QStringLiteral("dd.MM.yyyy");
    const QDate today =
        QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_clock().time_since_epoch())
                .count(),
            m_zone)
            .date();
    if (Filter().period != ProgressFilter::Period::Everything) {
        const int days = Filter().period == ProgressFilter::Period::Week ? 7 : 30;
        return QStringLiteral("%1 – %2").arg(today.addDays(1 - days).toString(format),
                                             today.toString(format));
    }
    if (m_stats.days.empty())
        return {};
    const QDate first = m_stats.days.front().date;
    const QDate last = m_stats.days.back().date;
    return first == last
               ? first.toString(format)
               : QStringLiteral("%1 – %2").arg(first.toString(format), last.toString(format));
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
    m_dayAxis->setLabelsFont(ChartStyle::Font(labelSize));
    m_dayAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    day->addAxis(m_dayAxis, Qt::AlignBottom);
    QValueAxis* dayPercent = ChartStyle::PercentAxis(labelSize);
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
    names->setLabelsFont(ChartStyle::Font(labelSize));
    groups->addAxis(names, Qt::AlignBottom);
    QValueAxis* groupPercent = ChartStyle::PercentAxis(labelSize);
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
    const QFont valueFont = ChartStyle::Font(labelSize, true);
    const QFont noGamesFont = ChartStyle::Font(labelSize * 2, true);
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
    return save(path,
                ProgressCsv::Write(m_content.records, Rows(), m_zone, m_log ? &m_names : nullptr),
                QStringLiteral("Zapisano tabelę: %1"));
}

ProgressReport::Content TFormPostepy::ReportContent() const {
    ProgressReport::Content content;
    content.childName = m_child->currentText();
    content.period = PeriodText();
    content.filters = filterText();
    content.totals = m_totals->text();
    content.note = m_noteEdit->toPlainText();
    content.figures = m_figures;
    if (m_figures)
        for (const LogFigures::Word& word : m_figures->words)
            content.wordPictures.push_back(m_pictures.value(word.key));
    content.dayChart = m_dayChart;
    content.groupChart = m_groupChart;
    content.records = &m_content.records;
    content.names = namesShown();
    content.rows = Rows();
    content.zone = m_zone;
    content.madeAt =
        QDateTime::fromMSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::milliseconds>(m_clock().time_since_epoch())
                .count(),
            m_zone)
            .toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    return content;
}

bool TFormPostepy::SavePdf(const QString& path) {
    const QByteArray pdf = ProgressReport::Pdf(ReportContent());
    if (pdf.isEmpty()) {
        m_saved->setText(SaveTarget::Message({SaveTarget::Outcome::WriteFailed, {}}, path));
        return false;
    }
    return save(path, pdf, QStringLiteral("Zapisano raport: %1"));
}

bool TFormPostepy::Print(QPrinter& printer) {
    // "Print to file" goes through the same checks as a save: never over the program's files.
    if (printer.outputFormat() == QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return SavePdf(printer.outputFileName());
    const bool printed = ProgressReport::Paint(printer, ReportContent());
    m_saved->setText(
        printed ? QStringLiteral("Wysłano raport do drukarki %1.").arg(printer.printerName())
                : QStringLiteral("Nie udało się wydrukować raportu na drukarce %1.")
                      .arg(printer.printerName()));
    return printed;
}

bool TFormPostepy::save(const QString& path, const QByteArray& bytes, const QString& savedText) {
    QStringList own = QStringList(m_ownPaths) << m_path;
    if (!m_sources.logPath.isEmpty())
        own << m_sources.logPath << m_sources.logPath + QStringLiteral("-wal")
            << m_sources.logPath + QStringLiteral("-shm");
    const SaveTarget::Result result = SaveTarget::Write(path, bytes, own);
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

void TFormPostepy::A_DrukujNaDrukarce() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    printer.setDocName(QStringLiteral("Wiklotek Cz.I – postępy"));
    if (m_askPrinter && m_askPrinter(printer))
        Print(printer);
}

bool TFormPostepy::eventFilter(QObject* watched, QEvent* event) {
    // The open list closes on Escape while the key is offered to shortcuts, and the offer then
    // falls through to the window's Escape: taking it here keeps the window open.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
        for (QComboBox* box : {m_child, m_game, m_sound, m_position, m_period})
            if (watched == box->view() && box->view()->isVisible()) {
                box->hidePopup();
                event->accept();
                return true;
            }
    return TherapistForm::eventFilter(watched, event);
}

void TFormPostepy::showEvent(QShowEvent* event) {
    TherapistForm::showEvent(event);
    Reload();
}
