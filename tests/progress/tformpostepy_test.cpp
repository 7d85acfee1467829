// The progress window offscreen in both screen variants: what it shows for a missing, a cut
// and an odd file, the filters, both exports, and Escape.
#include "../menu/menufixture.h"

#include "statfile.h"
#include "tformpostepy.h"

#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>
#include <chrono>

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
    std::unique_ptr<CDisplay> m_display;
};

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
        EXPECT_TRUE(window->TotalsLabel().text().contains(QString::fromUtf8(c.totals)))
            << window->TotalsLabel().text().toStdString();
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
    // The statistics file is never written.
    EXPECT_EQ(QFileInfo(stats()).size(), StatFile::HeaderSize + 2 * StatRecord::Size);
}

TEST_P(TFormPostepyTest, EscapeClosesTheWindowFromTheTable) {
    auto window = makeWindow();
    show(*window);
    window->Table().setFocus();
    QTest::keyClick(&window->Table(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormPostepyTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768)), screenName);

} // namespace
