#pragma once

#include "recordingcatalogue.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class Canvas;
class CCheckBut;
class CDisplay;
class CPrzyciskP;
class CScrollBar;
class QLabel;
class QLineEdit;
class QWidget;

// The recordings list of the main window's recordings tab: eight editable rows over the 30
// places of the recordings catalogue, scrolled one place at a time. Each row has its number, an
// edit field with the place's name, the date of its last recording and a check button that
// marks it as the selected row; at most one row is selected.
//
// The list places the main window's column labels, its "up" and "down" buttons and the scroll
// indicator beside the rows, and moves the indicator as it scrolls.
class CNagData : public QObject {
public:
    using NagRec = RecordingCatalogue::NagRec;

    static constexpr int Rows = 8;
    static constexpr int MaxTop = RecordingCatalogue::Places - Rows;

    // Where one row's parts go, in window coordinates.
    struct RowLayout {
        QRect number;
        QRect edit;
        QRect date;
        QPoint check;
    };
    // Where the list puts the main window's widgets.
    struct MenuLayout {
        QPoint nazwisko; // vL_Nazwisko
        QPoint data;     // vL_Data
        int buttonsX;    // left of "up" and "down"; their tops stay
    };
    static RowLayout Layout(const CDisplay& display, int row);
    // The pictures the rows are made of.
    static QStringList PictureFiles();
    static MenuLayout Menu(const CDisplay& display);

    // The main window's widgets the list places; any of them may be left out.
    struct MenuWidgets {
        QWidget* nazwisko = nullptr;
        QWidget* data = nullptr;
        CPrzyciskP* up = nullptr;
        CPrzyciskP* down = nullptr;
        CScrollBar* scrollBar = nullptr;
    };

    // Opens the catalogue (creating its file when missing) and builds the rows hidden and
    // unselected, showing places 0..7. The check buttons draw on canvas, the window's visible
    // canvas. Throws CBlad(1) when the check button pictures are missing; nothing of the list
    // is left on the window then.
    CNagData(QWidget& window, Canvas& canvas, const CDisplay& display, const MenuWidgets& menu,
             RecordingCatalogue catalogue = RecordingCatalogue());
    // Without the main window's widgets, for a list shown on its own.
    CNagData(QWidget& window, Canvas& canvas, const CDisplay& display)
        : CNagData(window, canvas, display, MenuWidgets()) {}
    ~CNagData() override;
    CNagData(const CNagData&) = delete;
    CNagData& operator=(const CNagData&) = delete;

    // Shows the eight rows, every one drawn unselected.
    void ShowRows();
    // Hides them; the window repaints its background over their check buttons.
    void HideRows();
    bool RowsVisible() const { return m_visible; }
    // Draws the shown rows' check buttons as they are, keeping the selection; for a window
    // that has just painted its background over them.
    void DrawRows();

    // The first selected row (0..7), or -1.
    int SelectedRow() const;
    // Copies the row's edit text into its place's name and returns it.
    QString TakeName(int row);
    // The sound file of the row's place, or empty when it was never recorded.
    QString SoundPath(int row) const;
    // The sound file a recording of the row's place goes into, recorded before or not.
    QString RecordingPath(int row) const;
    // Records the row's place as recorded today into the catalogue file and shows the date.
    // False when it could not be written.
    bool StoreRecording(int row);

    // One place up or down (top stays within 0..22): the rows show their new places, none is
    // selected and the scroll indicator steps. False when already at the end.
    bool ScrollUp();
    bool ScrollDown();

    int Top() const { return m_top; }
    const RecordingCatalogue& Catalogue() const { return m_catalogue; }

    // The row's parts, for the window's keyboard handling and for tests.
    QLabel& NumberLabel(int row);
    QLineEdit& NameEdit(int row);
    QLabel& DateLabel(int row);
    CCheckBut& CheckButton(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row;
    enum class ClickSource { CheckButton, Edit };

    void rowClicked(int row, ClickSource source);
    void refreshRows(bool unselect);
    void placeMenu(const CDisplay& display, const MenuWidgets& menu);
    bool validRow(int row) const { return row >= 0 && row < Rows; }

    QWidget& m_window;
    RecordingCatalogue m_catalogue;
    CScrollBar* m_scrollBar;
    std::vector<std::unique_ptr<Row>> m_rows;
    int m_top = 0;
    bool m_visible = false;
};
