#pragma once

#include "cdisplay.h"
#include "form.h"
#include "picturetable.h"
#include "progressfilter.h"
#include "progressstats.h"
#include "statreader.h"

#include <QImage>
#include <QStringList>
#include <QTimeZone>
#include <functional>
#include <memory>
#include <vector>

class CPrzyciskP;
class ProgressTableModel;
class QBarSet;
class QCategoryAxis;
class QChartView;
class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QLineSeries;
class QPushButton;
class QTableView;

// The progress window for the therapist: every stored game run as a table, newest first, with
// filters, two charts of accuracy (per day; per sound group and per position), the totals of
// what is shown, a CSV file and a one-page PDF report. It covers the screen like the about
// window and keeps its content in the play area; "stop" and Escape close it. The statistics
// file is read each time the window opens and never written.
class TFormPostepy : public Form {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    // Asks where to save: caption, suggested file name, name filter; empty when cancelled.
    using PathAsker = std::function<QString(const QString&, const QString&, const QString&)>;

    // Throws CBlad(1) when the stop button's pictures are missing. The clock and zone are
    // there for tests.
    TFormPostepy(const CDisplay& display, QString statisticsPath, Clock clock = {},
                 QTimeZone zone = QTimeZone::systemTimeZone());
    ~TFormPostepy() override;

    // The pictures it is made from: only "stop", in the play area's bottom right corner. Here,
    // so that the program lists them without loading the window's module.
    static PictureTable Pictures(const CDisplay& display) {
        return {{},
                {{QStringLiteral("stop"), QPoint(display.OffsetX + display.DesignWidth - 84,
                                                 display.OffsetY + display.DesignHeight - 68)}}};
    }
    // Their files, relative to the program's folder.
    static QStringList PictureFiles(const CDisplay& display) { return Pictures(display).Files(); }

    // Apart from the menu's, so that the two windows are told apart on the desktop.
    static QString Title() { return QStringLiteral("Wiklotek Cz.I - Postępy"); }

    // Reads the statistics file again and shows it with the current filters.
    void Reload();
    // The program's files and folders that "Zapisz CSV" and "Drukuj / PDF" refuse to replace
    // (the statistics file is one anyway).
    void SetOwnPaths(QStringList paths) { m_ownPaths = std::move(paths); }
    // Applies the filters chosen in the window.
    void Refresh();

    void A_Stop() { close(); }
    // The two export buttons: ask for a file, write it, say where it went.
    void A_ZapiszCsv();
    void A_Drukuj();
    bool SaveCsv(const QString& path);
    bool SavePdf(const QString& path);
    void SetPathAsker(PathAsker asker) { m_askPath = std::move(asker); }

    // The runs as read, and what the filters let through.
    const StatReader::Result& Content() const { return m_content; }
    const std::vector<int>& Rows() const;
    const ProgressStats& Stats() const { return m_stats; }
    ProgressFilter Filter() const;

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
    CPrzyciskP& StopButton() { return *m_stop; }

    // "Gry: 3 · Czas gry: 4 min 5 s · ..." for the shown runs.
    static QString TotalsText(const ProgressStats& stats);

protected:
    bool keyPressed(char16_t ch) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Writes the bytes where the therapist asked, unless that is one of the program's files,
    // and says on the window how it went.
    bool save(const QString& path, const QByteArray& bytes, const QString& savedText);
    void buildCharts();
    void updateCharts();
    void updateDayChart();
    void updateGroupChart();
    // Puts each group's value over its bar; again whenever the plot moves.
    void placeGroupValues();
    QString filterText() const;

    const CDisplay& m_display;
    QString m_path;
    QStringList m_ownPaths;
    Clock m_clock;
    QTimeZone m_zone;
    QImage m_background;
    StatReader::Result m_content;
    ProgressStats m_stats;
    PathAsker m_askPath;

    ProgressTableModel* m_model = nullptr;
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
    std::unique_ptr<CPrzyciskP> m_stop;
};
