#pragma once

#include "cdisplay.h"
#include "logfigures.h"
#include "practicelog.h"
#include "progressfilter.h"
#include "progressreport.h"
#include "progresssources.h"
#include "progressstats.h"
#include "statreader.h"
#include "therapistform.h"

#include <QHash>
#include <QImage>
#include <QStringList>
#include <QTimeZone>
#include <functional>
#include <memory>
#include <vector>

class LogReader;
class ProgressTableModel;
class QPlainTextEdit;
class QPrinter;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTabWidget;
class WeekChart;
class QBarSet;
class QCategoryAxis;
class QChartView;
class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QLineSeries;
class QPushButton;
class QTableView;

// The progress window for the therapist: the child chosen (everyone, the guest or one child),
// every game run as a table, newest first, with filters, two charts of accuracy (per day; per
// sound group and per position), the totals of what is shown; from the practice log also the
// eight sounds at the three positions, the words answered wrong most often with their
// pictures and the accuracy week by week; a CSV file, and a report to print or to save as PDF
// with the therapist's note. It covers the screen like the about window and keeps its content
// in the play area; "stop" and Escape close it. The log (or, when it cannot be read, the
// statistics file) is read each time the window opens and never written.
class TFormPostepy : public TherapistForm {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    // Asks where to save: caption, suggested file name, name filter; empty when cancelled.
    using PathAsker = std::function<QString(const QString&, const QString&, const QString&)>;
    // Sets up the printer (the print dialog); false when cancelled.
    using PrinterAsker = std::function<bool(QPrinter&)>;

    // Tabs of the window, in this order.
    enum Tab { GamesTab, SoundsTab, WeeksTab, NoteTab };

    // Throws CBlad(1) when the stop button's pictures are missing. The clock and zone are
    // there for tests.
    TFormPostepy(const CDisplay& display, ProgressSources sources, Clock clock = {},
                 QTimeZone zone = QTimeZone::systemTimeZone());
    // The statistics file alone, without a log.
    TFormPostepy(const CDisplay& display, QString statisticsPath, Clock clock = {},
                 QTimeZone zone = QTimeZone::systemTimeZone());
    ~TFormPostepy() override;

    // Apart from the menu's, so that the two windows are told apart on the desktop.
    static QString Title() { return QStringLiteral("Wiklotek Cz.I - Postępy"); }

    // Reads the log (or the statistics file) again, chooses the practising child, and shows
    // them with the current filters.
    void Reload();
    // Who practises now and where the files are; taken at the next Reload (the next opening).
    void SetSources(ProgressSources sources);
    // The program's files and folders that "Zapisz CSV" and "Drukuj / PDF" refuse to replace
    // (the statistics file is one anyway).
    void SetOwnPaths(QStringList paths) { m_ownPaths = std::move(paths); }
    // Applies the filters chosen in the window.
    void Refresh();

    // The two export buttons: ask for a file, write it, say where it went.
    void A_ZapiszCsv();
    // "Zapisz jako PDF": the report into a file.
    void A_Drukuj();
    // "Drukuj": the report through the print dialog, to a printer or to the file it names.
    void A_DrukujNaDrukarce();
    bool SaveCsv(const QString& path);
    bool SavePdf(const QString& path);
    bool Print(QPrinter& printer);
    void SetPathAsker(PathAsker asker) { m_askPath = std::move(asker); }
    void SetPrinterAsker(PrinterAsker asker) { m_askPrinter = std::move(asker); }
    // What "Drukuj / PDF" puts on paper, as now shown.
    ProgressReport::Content ReportContent() const;

    // The runs as read, and what the filters let through.
    const StatReader::Result& Content() const { return m_content; }
    const std::vector<int>& Rows() const;
    const ProgressStats& Stats() const { return m_stats; }
    ProgressFilter Filter() const;
    // The log's figures as shown; none when the log could not be read.
    const std::optional<LogFigures>& Figures() const { return m_figures; }
    bool ReadsLog() const { return m_log != nullptr; }
    PracticeReport::Filter LogFilter() const;
    // The days the view covers, "03.01.2026 – 05.03.2026"; empty when nothing is shown.
    QString PeriodText() const;

    QComboBox& ChildChooser() { return *m_child; }
    QTabWidget& Tabs() { return *m_tabs; }
    QTableView& SoundTable() { return *m_soundTable; }
    QTableView& WordTable() { return *m_wordTable; }
    QChartView& WeekChartView() { return *m_weekChart; }
    WeekChart& Weeks() { return *m_weeks; }
    QPlainTextEdit& NoteEdit() { return *m_noteEdit; }
    QComboBox& GameFilter() { return *m_game; }
    QComboBox& SoundFilter() { return *m_sound; }
    QComboBox& PositionFilter() { return *m_position; }
    QComboBox& PeriodFilter() { return *m_period; }
    QTableView& Table() { return *m_table; }
    QLabel& NoteLabel() { return *m_note; }
    QLabel& TotalsLabel() { return *m_totals; }
    QLabel& SavedLabel() { return *m_saved; }
    QChartView& DayChart() { return *m_dayChart; }
    QChartView& GroupChart() { return *m_groupChart; }
    QPushButton& CsvButton() { return *m_csvButton; }
    QPushButton& PdfButton() { return *m_pdfButton; }

    // "Gry: 3 · Czas gry: 4 min 5 s · ..." for the shown runs.
    static QString TotalsText(const ProgressStats& stats);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the bytes where the therapist asked, unless that is one of the program's files,
    // and says on the window how it went.
    bool save(const QString& path, const QByteArray& bytes, const QString& savedText);
    void buildCharts();
    QWidget* buildGamesTab();
    QWidget* buildSoundsTab();
    QWidget* buildWeeksTab();
    QWidget* buildNoteTab();
    void fillChooser();
    void placeTotals();
    const QStringList* namesShown() const;
    void readGames();
    void updateLogViews();
    QImage wordPicture(const QString& key);
    void updateCharts();
    void updateDayChart();
    void updateGroupChart();
    // Puts each group's value over its bar; again whenever the plot moves.
    void placeGroupValues();
    QString filterText() const;

    const CDisplay& m_display;
    ProgressSources m_sources;
    QString m_path;
    QStringList m_ownPaths;
    Clock m_clock;
    QTimeZone m_zone;
    StatReader::Result m_content;
    QStringList m_readNotes; // what reading said, shown above the table
    QStringList m_names;     // whose each record is, from the log
    ProgressStats m_stats;
    std::unique_ptr<LogReader> m_log;
    std::vector<PracticeLog::Child> m_children;
    std::optional<LogFigures> m_figures;
    QHash<QString, QImage> m_pictures;
    PathAsker m_askPath;
    PrinterAsker m_askPrinter;

    ProgressTableModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted = nullptr;
    QComboBox* m_child = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_soundTable = nullptr;
    QStandardItemModel* m_sounds = nullptr;
    QTableView* m_wordTable = nullptr;
    QStandardItemModel* m_words = nullptr;
    QChartView* m_weekChart = nullptr;
    WeekChart* m_weeks = nullptr;
    QPlainTextEdit* m_noteEdit = nullptr;
    QComboBox* m_game = nullptr;
    QComboBox* m_sound = nullptr;
    QComboBox* m_position = nullptr;
    QComboBox* m_period = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_saved = nullptr;
    QTableView* m_table = nullptr;
    QChartView* m_dayChart = nullptr;
    QChartView* m_groupChart = nullptr;
    QLineSeries* m_dayLine = nullptr;
    QCategoryAxis* m_dayAxis = nullptr;
    QBarSet* m_groupSet = nullptr;
    std::vector<QGraphicsSimpleTextItem*> m_groupValues; // four sound groups, three positions
    QPushButton* m_csvButton = nullptr;
    QPushButton* m_pdfButton = nullptr;
};
