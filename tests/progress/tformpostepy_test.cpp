// The progress window offscreen in both screen variants: what it shows for a missing, a cut
// and an odd file, the filters, both exports, the charts' labels, the totals' line breaks, and
// Escape.
#include "../menu/menufixture.h"

#include "cblad.h"
#include "cstatrec.h"
#include "practicelog.h"
#include "progressrow.h"
#include "statfile.h"
#include "tformpostepy.h"
#include "weekchart.h"
#include "wordbits.h"

#include <QBarCategoryAxis>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTableView>
#include <QTextBoundaryFinder>
#include <QValueAxis>
#include <chrono>
#include <set>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const system_clock::time_point kNow = sys_days{2024y / March / 5} + 14h;

class TFormPostepyTest : public MenuWindowTest {
protected:
    QString stats() const { return path("prgst1.stt"); }
    void writeStats(const std::vector<StatRecord>& records, const QByteArray& tail = {}) const {
        QByteArray bytes(StatFile::HeaderSize, '\0');
        StatFile::EncodeHeader(1, {2024, 3, 2, 5, 10, 0, 0, 0}, bytes.data());
        for (const StatRecord& r : records) {
            QByteArray one(StatRecord::Size, '\0');
            r.Encode(one.data());
            bytes += one;
        }
        QFile file(stats());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes + tail);
    }
    static StatRecord run(std::int32_t kind, int daysAgo, std::uint16_t gloski, int correct,
                          int wrong) {
        StatRecord r;
        r.kind = kind;
        SystemTime::fromTimePoint(floor<milliseconds>(kNow - daysAgo * 24h), r.start);
        r.poziom = 1;
        r.gloski = gloski;
        r.pozycja = 0x1000;
        r.duration = 60;
        r.correct = correct;
        r.wrong = wrong;
        return r;
    }
    std::unique_ptr<TFormPostepy> makeWindow() {
        m_display = std::make_unique<CDisplay>(display());
        return std::make_unique<TFormPostepy>(
            *m_display, stats(), [] { return kNow; }, QTimeZone::utc());
    }
    QString log() const { return path(PracticeLog::FileName()); }
    // Ala (the practising child) missed beczka twice of three and got sowa right with a hint
    // on top, the week before and the week of kNow; the guest missed sowa once; Ola played
    // nothing.
    void writeLog() const {
        PracticeLog practice(log());
        ASSERT_TRUE(practice.Open());
        const qint64 ala = *practice.AddChild("Ala");
        ASSERT_TRUE(practice.AddChild("Ola"));
        const auto at = [](int daysAgo) {
            SystemTime t;
            SystemTime::fromTimePoint(floor<milliseconds>(kNow - daysAgo * 24h), t);
            return t;
        };
        using O = PracticeLog::Outcome;
        const qint64 alas = *practice.BeginGame({ala, CStatRec::Memory, 1, 0x5, 0x3000, at(8)});
        const std::tuple<const char*, std::uint16_t, std::uint16_t, O, int> answers[] = {
            {"beczka", WordBits::Cz, WordBits::Srodglos, O::Wrong, 8},
            {"beczka", WordBits::Cz, WordBits::Srodglos, O::Wrong, 1},
            {"beczka", WordBits::Cz, WordBits::Srodglos, O::Correct, 1},
            {"sowa", WordBits::S, WordBits::Naglos, O::Correct, 1},
            {"sowa", WordBits::S, WordBits::Naglos, O::Hint, 1}};
        for (const auto& [word, sound, position, outcome, ago] : answers)
            ASSERT_TRUE(practice.AddAttempt(alas, {word, sound, position, outcome, {}, at(ago)}));
        ASSERT_TRUE(practice.FinishGame(alas, {60, true, 2, 2, 1, false}));
        const qint64 guests =
            *practice.BeginGame({{}, CStatRec::Podpisywanie, 1, 0x1, 0x1000, at(0)});
        ASSERT_TRUE(practice.AddAttempt(
            guests, {"sowa", WordBits::S, WordBits::Naglos, O::Wrong, "sofa", at(0)}));
        ASSERT_TRUE(practice.FinishGame(guests, {20, true, 0, 1, 0, false}));
    }
    std::unique_ptr<TFormPostepy> makeLogWindow() {
        m_display = std::make_unique<CDisplay>(display());
        return std::make_unique<TFormPostepy>(
            *m_display, ProgressSources{log(), stats(), 1, "Ala", {}}, [] { return kNow; },
            QTimeZone::utc());
    }
    std::unique_ptr<CDisplay> m_display;
};

// The texts of a report as drawn, measured on a PDF page as the report's.
struct Measured {
    ProgressReport::Drawn drawn;
    QStringList texts;
};
Measured pdfOf(const ProgressReport::Content& content) {
    Measured m;
    EXPECT_FALSE(ProgressReport::Pdf(content, &m.drawn).isEmpty());
    for (const ProgressReport::Text& t : m.drawn.texts)
        m.texts << t.text;
    return m;
}

QStringList column(QTableView& table, int c) {
    QStringList texts;
    for (int r = 0; r < table.model()->rowCount(); ++r)
        texts << table.model()->index(r, c).data().toString();
    return texts;
}

// The texts under the day chart's axis: its named days (none on any other kind of axis).
QStringList axisLabels(QAbstractAxis* axis) {
    if (auto* days = qobject_cast<QCategoryAxis*>(axis))
        return days->categoriesLabels();
    return {};
}

QAbstractAxis* axisOf(QChartView& view, Qt::Alignment side) {
    const QList<QAbstractAxis*> axes =
        view.chart()->axes(side == Qt::AlignBottom ? Qt::Horizontal : Qt::Vertical);
    return axes.isEmpty() ? nullptr : axes.first();
}

// The texts the chart shows inside its plot, besides its axes.
QStringList plotTexts(QChartView& view) {
    QStringList texts;
    for (QGraphicsItem* item : view.scene()->items())
        if (const auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item);
            text && text->isVisible() &&
            view.chart()->plotArea().intersects(text->sceneBoundingRect()))
            texts << text->text().replace(QChar(0x00A0), ' ');
    return texts;
}

TEST_P(TFormPostepyTest, ShowsWhatTheFileHoldsAndSaysWhatIsMissing) {
    struct Case {
        const char* name;
        bool write;
        std::vector<StatRecord> records;
        QByteArray tail;
        int rows;
        const char* note;
    };
    const Case cases[] = {
        {"no file", false, {}, {}, 0, "Brak zapisanych gier"},
        {"header only", true, {}, {}, 0, "Brak zapisanych gier"},
        {"cut record", true, {run(2, 1, 1, 3, 1)}, QByteArray(13, '\x07'), 1, "ostatnie 13 B"},
        {"odd kind", true, {run(9, 1, 1, 0, 0), run(2, 0, 1, 1, 0)}, {}, 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(stats());
        if (c.write)
            writeStats(c.records, c.tail);
        auto window = makeWindow();
        show(*window);
        EXPECT_EQ(c.rows, window->Table().model()->rowCount());
        EXPECT_TRUE(window->NoteLabel().text().contains(QString::fromUtf8(c.note)))
            << window->NoteLabel().text().toStdString();
        EXPECT_TRUE(window->geometry().contains(window->Table().geometry()));
        for (QWidget* part :
             {static_cast<QWidget*>(&window->Table()), static_cast<QWidget*>(&window->DayChart()),
              static_cast<QWidget*>(&window->GroupChart())})
            EXPECT_TRUE(QRect(m_display->OffsetX, m_display->OffsetY, m_display->DesignWidth,
                              m_display->DesignHeight)
                            .contains(part->geometry()));
    }
    // The odd kind is shown, marked, in the older row.
    auto window = makeWindow();
    show(*window);
    const QModelIndex odd = window->Table().model()->index(1, 1);
    EXPECT_EQ("nieznana (9)", odd.data().toString().toStdString());
    EXPECT_TRUE(odd.data(Qt::BackgroundRole).isValid());
}

TEST_P(TFormPostepyTest, FiltersChangeRowsTotalsAndCharts) {
    writeStats({run(1, 40, 0x0001, 1, 1), run(2, 10, 0x0002, 3, 1), run(2, 2, 0x0001, 4, 0)});
    auto window = makeWindow();
    show(*window);
    struct Case {
        const char* name;
        int game, sound, period;
        std::vector<int> rows;
        const char* totals;
    };
    const Case cases[] = {
        {"everything", 0, 0, 0, {2, 1, 0}, "Gry: 3"},
        {"Memory", 2, 0, 0, {2, 1}, "Skuteczność: 87,5 %"},
        {"SZ", 0, 1, 0, {2, 0}, "Odpowiedzi: 6"},
        {"7 days", 0, 0, 1, {2}, "Skuteczność: 100,0 %"},
        {"labelling in 7 days", 1, 0, 1, {}, "Skuteczność: –"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->GameFilter().setCurrentIndex(c.game);
        window->SoundFilter().setCurrentIndex(c.sound);
        window->PeriodFilter().setCurrentIndex(c.period);
        EXPECT_EQ(c.rows, window->Rows());
        // Read as spaces: the words of each total are held together by no-break spaces.
        const QString totals = window->TotalsLabel().text().replace(QChar(0x00A0), ' ');
        EXPECT_TRUE(totals.contains(QString::fromUtf8(c.totals))) << totals.toStdString();
        EXPECT_EQ(1, window->DayChart().chart()->series().size());
        EXPECT_EQ(1, window->GroupChart().chart()->series().size());
    }
}

TEST_P(TFormPostepyTest, ExportsWriteTheChosenFileAndSaySo) {
    writeStats({run(2, 1, 1, 3, 1), run(4, 0, 8, 0, 0)});
    auto window = makeWindow();
    show(*window);
    window->GameFilter().setCurrentIndex(4);
    QString asked;
    window->SetPathAsker([&](const QString&, const QString& name, const QString&) {
        asked = name;
        return path(name);
    });
    window->A_ZapiszCsv();
    EXPECT_EQ("postepy.csv", asked.toStdString());
    QFile csv(path("postepy.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(2, csv.readAll().count('\n')); // the header and the one falling run
    EXPECT_TRUE(window->SavedLabel().text().contains(path("postepy.csv")));

    window->A_Drukuj();
    QFile pdf(path("postepy.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(1, bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page>") + bytes.count("/Type /Page "));
    EXPECT_TRUE(window->SavedLabel().text().contains(path("postepy.pdf")));

    // A cancelled dialog writes nothing; a folder that is not there is said so.
    window->SetPathAsker([](const QString&, const QString&, const QString&) { return QString(); });
    window->A_ZapiszCsv();
    EXPECT_TRUE(window->SavedLabel().text().contains(path("postepy.pdf")));
    EXPECT_FALSE(window->SaveCsv(path("no/such/folder/x.csv")));
    EXPECT_FALSE(window->SavePdf(path("no/such/folder/x.pdf")));
    EXPECT_TRUE(window->SavedLabel().text().startsWith(QString::fromUtf8("Nie udało się")));
    // The statistics file is never written, not even when it is named.
    EXPECT_FALSE(window->SaveCsv(stats()));
    EXPECT_FALSE(window->SavePdf(stats()));
    EXPECT_TRUE(window->SavedLabel().text().contains(QString::fromUtf8("to plik programu")));
    EXPECT_EQ(QFileInfo(stats()).size(), StatFile::HeaderSize + 2 * StatRecord::Size);
}

TEST_P(TFormPostepyTest, DayChartNamesEachDayOnceAndKeepsItsPointsInside) {
    struct Case {
        const char* name;
        std::vector<int> daysAgo;
        std::vector<const char*> labels; // the newest ones, the axis's last
    };
    const Case cases[] = {
        {"one day", {0, 0, 0}, {"05.03"}},
        {"several weeks", {40, 33, 26, 19, 12, 5, 4, 3, 2, 1, 0}, {"05.03"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<StatRecord> records;
        for (int ago : c.daysAgo)
            records.push_back(run(2, ago, 1, 4, 0)); // 100 %: the top of the scale
        writeStats(records);
        auto window = makeWindow();
        show(*window);
        QChartView& chart = window->DayChart();
        const QStringList labels = axisLabels(axisOf(chart, Qt::AlignBottom));
        ASSERT_GE(labels.size(), static_cast<qsizetype>(c.labels.size()));
        EXPECT_EQ(labels.size(),
                  static_cast<qsizetype>(std::set(labels.begin(), labels.end()).size()))
            << labels.join(' ').toStdString();
        for (std::size_t i = 0; i < c.labels.size(); ++i)
            EXPECT_EQ(c.labels[c.labels.size() - 1 - i],
                      labels[labels.size() - 1 - static_cast<qsizetype>(i)].toStdString());
        // Neighbouring labels stand apart by more than a label's width.
        const auto* axis = qobject_cast<QCategoryAxis*>(axisOf(chart, Qt::AlignBottom));
        ASSERT_NE(nullptr, axis);
        const QFontMetrics metrics(axis->labelsFont());
        QAbstractSeries* line = chart.chart()->series().first();
        for (qsizetype i = 1; i < labels.size(); ++i) {
            const qreal left =
                chart.chart()->mapToPosition({axis->endValue(labels[i - 1]), 0}, line).x();
            const qreal right =
                chart.chart()->mapToPosition({axis->endValue(labels[i]), 0}, line).x();
            EXPECT_GT(right - left, metrics.horizontalAdvance(labels[i]) + 4) << i;
        }
        // A day at 100 % lies below the plot's top border, which is not a scale value.
        const auto* percent = qobject_cast<QValueAxis*>(axisOf(chart, Qt::AlignLeft));
        ASSERT_NE(nullptr, percent);
        EXPECT_GT(percent->max(), 100.0);
    }
}

TEST_P(TFormPostepyTest, GroupChartTellsNoGamesFromNoneRight) {
    // SZ at 75 %, Ż/RZ played with every answer wrong, CZ and DŻ never; nagłos only.
    writeStats({run(2, 1, 0x0001, 3, 1), run(3, 0, 0x0002, 0, 2)});
    auto window = makeWindow();
    show(*window);
    const QStringList texts = plotTexts(window->GroupChart());
    struct Case {
        const char* text;
        int count;
    };
    const Case cases[] = {{"75,0 %", 1}, {"0,0 %", 1}, {"50,0 %", 1}, {"—", 4}};
    for (const Case& c : cases)
        EXPECT_EQ(c.count, texts.count(QString::fromUtf8(c.text)))
            << c.text << " in " << texts.join(" | ").toStdString();
}

TEST(TFormPostepyTotalsTest, LinesBreakOnlyBetweenItems) {
    ProgressStats stats;
    stats.games = 18;
    stats.seconds = 7200;
    stats.answers.correct = 186;
    stats.answers.wrong = 72;
    ProgressStats none;
    for (const ProgressStats& s : {stats, none}) {
        const QString text = TFormPostepy::TotalsText(s);
        SCOPED_TRACE(text.toStdString());
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
        QStringList wrongBreaks;
        for (qsizetype at = breaks.toNextBoundary(); at > 0 && at < text.size();
             at = breaks.toNextBoundary())
            if (!text.left(at).endsWith(QString::fromUtf8("· ")))
                wrongBreaks << text.left(at).right(8) + "|" + text.mid(at, 8);
        EXPECT_EQ("", wrongBreaks.join("  ").toStdString());
    }
}

TEST_P(TFormPostepyTest, EscapeClosesTheWindowFromTheTable) {
    auto window = makeWindow();
    show(*window);
    window->Table().setFocus();
    QTest::keyClick(&window->Table(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

// Made from the pictures it lists and no others: in a folder holding only those it is made, and
// without one of them it is not, but for a button's hover and pressed pictures (read when first
// shown).
TEST_P(TFormPostepyTest, IsMadeFromThePicturesItLists) {
    const QStringList files = TFormPostepy::PictureFiles(display());
    ASSERT_FALSE(files.isEmpty());
    for (qsizetype left = -1; left < files.size(); ++left) {
        // A folder of its own each time: the picture library remembers every file it looked for.
        const QString folder = path("listed/" + QString::number(left + 1));
        for (qsizetype i = 0; i < files.size(); ++i)
            if (i != left) {
                ASSERT_TRUE(QDir().mkpath(QFileInfo(folder + '/' + files[i]).path()));
                ASSERT_TRUE(QFile::copy(path(files[i]), folder + '/' + files[i]));
            }
        ASSERT_TRUE(QDir::setCurrent(folder));
        const bool needed =
            left >= 0 && !files[left].endsWith("_A.png") && !files[left].endsWith("_.png");
        try {
            makeWindow();
            EXPECT_FALSE(needed) << "made without " << files[left].toStdString();
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1);
            EXPECT_TRUE(needed) << left;
        }
    }
}

TEST_P(TFormPostepyTest, TheLogsFiguresReadTheSameInTheViewAndTheReport) {
    writeLog();
    auto window = makeLogWindow();
    show(*window);
    ASSERT_TRUE(window->ReadsLog());
    struct Cell {
        int sound, position;
        const char* text;
    };
    struct Case {
        const char* name;
        int chooser; // 0 everyone, 1 the guest, 2 Ala, 3 Ola
        int games;
        std::vector<Cell> cells;
        QStringList words;
        QStringList weeks;
        const char* heading;
    };
    // Sounds: 2 cz, 4 s; positions: 0 nagłos, 1 śródgłos.
    const Case cases[] = {
        {"Ala, as the view opens",
         2,
         1,
         {{2, 1, "33 % (3)"}, {4, 0, "100 % (2)"}, {0, 0, "—"}, {4, 1, "—"}},
         {"beczka"},
         {"26.02", "04.03"},
         "postępy: Ala"},
        {"the guest", 1, 1, {{4, 0, "0 % (1)"}, {2, 1, "—"}}, {"sowa"}, {"04.03"}, "postępy: Gość"},
        {"everyone",
         0,
         2,
         {{2, 1, "33 % (3)"}, {4, 0, "50 % (3)"}},
         {"beczka", "sowa"},
         {"26.02", "04.03"},
         "postępy: Wszystkie dzieci"},
        {"Ola", 3, 0, {{2, 1, "—"}, {4, 0, "—"}}, {}, {}, "postępy: Ola"},
    };
    EXPECT_EQ(window->ChildChooser().currentIndex(), 2);
    // The week chart names its weeks at the width it is shown at.
    window->Tabs().setCurrentIndex(TFormPostepy::WeeksTab);
    QCoreApplication::processEvents();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->ChildChooser().setCurrentIndex(c.chooser);
        EXPECT_EQ(window->Table().model()->rowCount(), c.games);
        // Whose each game is, only where they may be anyone's.
        EXPECT_EQ(window->Table().model()->columnCount() > ProgressRow::ColumnCount,
                  c.chooser == 0);
        const Measured pdf = pdfOf(window->ReportContent());
        for (const Cell& cell : c.cells) {
            const QString text = window->SoundTable()
                                     .model()
                                     ->index(cell.sound, 1 + cell.position)
                                     .data()
                                     .toString()
                                     .replace(QChar(0x00A0), ' ');
            EXPECT_EQ(text.toStdString(), cell.text) << cell.sound << "/" << cell.position;
        }
        // The PDF's table: each sound's row, its name and then its three cells.
        for (int sound : {2, 4}) {
            const qsizetype at = pdf.texts.indexOf(LogFigures::SoundName(sound));
            ASSERT_GE(at, 0);
            for (int p = 0; p < 3; ++p)
                EXPECT_EQ(pdf.texts.value(at + 1 + p),
                          window->SoundTable().model()->index(sound, 1 + p).data().toString());
        }
        EXPECT_EQ(column(window->WordTable(), 1), c.words);
        for (const QString& word : c.words)
            EXPECT_TRUE(pdf.texts.contains(word)) << word.toStdString();
        EXPECT_EQ(window->Weeks().Labels(), c.weeks);
        EXPECT_TRUE(pdf.texts.first().endsWith(QString::fromUtf8(c.heading)))
            << pdf.texts.first().toStdString();
    }
}

// Every text of the report whole on its page: the table's headings, dates and a long name and
// note included, over as many pages as it takes.
TEST_P(TFormPostepyTest, TheReportsTextsAreWholeOnEveryPage) {
    std::vector<StatRecord> runs;
    for (int i = 0; i < 30; ++i)
        runs.push_back(run(1 + i % 4, i, 0x000F, 10, i % 7));
    runs.back().pozycja = 0x7000;
    writeStats(runs);
    writeLog();
    auto window = makeLogWindow();
    show(*window);
    window->ChildChooser().setCurrentIndex(0);
    window->NoteEdit().setPlainText(
        QString("Ćwiczyć codziennie wyrazy z głoską sz. ").repeated(60) + "\nhttps://przyklad.pl/" +
        QString("bardzo").repeated(30));
    ProgressReport::Content content = window->ReportContent();
    content.childName = QString::fromUtf8("Zuzanna Maria Kowalska-Wiśniewska Nowak");
    StatReader::Result file = StatReader::ReadFile(stats());
    content.records = &file.records;
    content.names = nullptr;
    content.rows.clear();
    for (int i = 29; i >= 0; --i)
        content.rows.push_back(i);
    const Measured pdf = pdfOf(content);
    EXPECT_GE(pdf.drawn.pages, 3);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter device(&buffer);
    device.setResolution(150);
    QStringList cut;
    for (const ProgressReport::Text& t : pdf.drawn.texts) {
        const QFontMetricsF metrics(t.font, &device);
        if (metrics.horizontalAdvance(t.text) > t.box.width() + 0.5 ||
            !pdf.drawn.page.adjusted(-0.5, -0.5, 0.5, 0.5).contains(t.box) || t.page < 0 ||
            t.page >= pdf.drawn.pages || t.text.contains(QChar(0x2026)))
            cut << t.text;
    }
    EXPECT_EQ(cut.join(" | ").toStdString(), "");
    // The words the old report cut short, each whole on a line of its own or among its words.
    for (const char* whole : {"Liczba", "zadań", "Poprawne", "Podpowiedzi", "Skuteczność", "14:00"})
        EXPECT_TRUE(std::any_of(pdf.texts.begin(), pdf.texts.end(), [&](const QString& text) {
            return text.split(' ').contains(QString::fromUtf8(whole));
        })) << whole;
}

TEST_P(TFormPostepyTest, PrintingToAFileSavesThePdfAsASaveWould) {
    writeLog();
    auto window = makeLogWindow();
    show(*window);
    struct Case {
        QString file;
        bool saved;
    };
    for (const Case& c : {Case{path("druk.pdf"), true}, Case{log(), false}}) {
        window->SetPrinterAsker([&](QPrinter& printer) {
            printer.setOutputFileName(c.file);
            return true;
        });
        window->A_DrukujNaDrukarce();
        QFile file(c.file);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(4) == "%PDF", c.saved);
        EXPECT_EQ(window->SavedLabel().text().startsWith("Zapisano raport"), c.saved)
            << window->SavedLabel().text().toStdString();
    }
}

// The week chart names no more weeks than fit side by side, at any width.
TEST(WeekChartTest, WeekLabelsNeverOverlap) {
    menuTestApp();
    std::vector<LogFigures::Week> weeks;
    for (int i = 0; i < 60; ++i) {
        LogFigures::Week week{QDate(2025, 12, 29).addDays(7 * i), {}};
        week.groups[std::size_t(i % 4)] = {4, 3, 1, 0, 0.75};
        weeks.push_back(week);
    }
    for (int width : {300, 640, 1000}) {
        SCOPED_TRACE(width);
        QChartView view;
        auto* chart = new WeekChart(14, 11);
        view.setChart(chart);
        view.resize(width, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        chart->SetWeeks(weeks);
        const QStringList labels = chart->Labels();
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_EQ(labels.last().toStdString(), "15.02.27"); // the newest week, its year shown
        const QFontMetrics metrics(chart->Axis().labelsFont());
        QAbstractSeries* line = chart->series().first();
        for (qsizetype i = 1; i < labels.size(); ++i) {
            const qreal left =
                chart->mapToPosition({chart->Axis().endValue(labels[i - 1]), 0}, line).x();
            const qreal right =
                chart->mapToPosition({chart->Axis().endValue(labels[i]), 0}, line).x();
            EXPECT_GT(right - left, metrics.horizontalAdvance(labels[i]) + 4) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormPostepyTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768)), screenName);

} // namespace
