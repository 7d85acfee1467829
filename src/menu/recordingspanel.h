#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class CDisplay;
class CNagData;
class CNagrywanie;
class CPrzyciskP;
class CScrollBar;
class Form;
class MenuLayout;
class QImage;
class QLabel;

// The menu's recordings tab: the list of the 30 recording places with its column captions and
// scroll controls, and the buttons that record a child's speech into the selected place (at
// most a minute), play it back and stop either. While it records or plays the panel is busy:
// only "rstop" answers, and the window's buttons it was given ignore the mouse until then.
class RecordingsPanel {
public:
    // Recording limit of one place.
    static constexpr int RecordingLimitMs = 60000;

    // The controls belong to window and draw on its canvas over background. folder holds the
    // recordings and their catalogue; showNotice shows the notice window with a code. While the
    // panel lives, the recorder's two completion handlers are its MPStop. Throws CBlad(1) when
    // a picture of its buttons is missing.
    RecordingsPanel(Form& window, const QImage& background, const CDisplay& display,
                    const MenuLayout& layout, CNagrywanie& recorder, const QString& folder,
                    std::function<void(int)> showNotice, std::vector<CPrzyciskP*> lockedWhileBusy);
    ~RecordingsPanel();
    RecordingsPanel(const RecordingsPanel&) = delete;
    RecordingsPanel& operator=(const RecordingsPanel&) = delete;

    // The pictures the panel reads when it is made (its buttons', then the scroll indicator's),
    // in that order, and those the buttons read when first lit or pressed together with the
    // list's.
    static QStringList PictureFiles();
    static QStringList LaterPictureFiles();

    // How a microphone or sound device the panel cannot use is told; a warning box unless
    // replaced (tests record instead).
    void SetMessageShower(std::function<void(const QString&)> show) {
        m_showMessage = std::move(show);
    }
    static QString NoMicrophoneText();
    static QString NoSoundText();
    static QString NoPlaybackText();
    static QString EmptyRecordingText();

    // The list (its rows, name fields and column captions) is made when first needed; the menu
    // makes it after its first paint. Throws CBlad(1) when a picture of the rows is missing.
    void MakeList();
    // Shows the controls with every line unselected, and nothing keeps the keyboard.
    void Show();
    // Hides them, putting the background back where the rows' check buttons were.
    void Hide();
    // Draws the shown rows again over a background just painted under them.
    void DrawRows();
    // Lines up (positive) or down (negative), as far as the list goes; not while busy.
    void Scroll(int lines);

    // The buttons' actions; a missing line, name or recording is told by a notice.
    void A_Rec_Rec();
    void A_Rec_Play();
    void MPStop();
    // Only "rstop" answers until MPStop.
    void EnterBusyState();
    bool IsBusy() const { return m_busy; }

    CPrzyciskP& RecordButton() { return *m_rrec; }
    CPrzyciskP& PlayButton() { return *m_rodtworz; }
    CPrzyciskP& StopButton() { return *m_rstop; }
    CPrzyciskP& UpButton() { return *m_up; }
    CPrzyciskP& DownButton() { return *m_down; }
    CScrollBar& ScrollBar() { return *m_scrollBar; }
    // Each makes the list first when it is not there yet.
    CNagData& List();
    QLabel& NameColumnLabel();
    QLabel& DateColumnLabel();

private:
    void noticeAndUnfocus(int code);
    void showMessage(const QString& text);
    void unfocus();
    void setButtonsReady(bool ready);

    Form& m_window;
    const QImage& m_background;
    const CDisplay& m_display;
    CNagrywanie& m_recorder;
    QString m_folder;
    std::function<void(int)> m_showNotice;
    std::function<void(const QString&)> m_showMessage;
    std::vector<CPrzyciskP*> m_lockedWhileBusy;

    std::unique_ptr<CPrzyciskP> m_rodtworz;
    std::unique_ptr<CPrzyciskP> m_rstop;
    std::unique_ptr<CPrzyciskP> m_rrec;
    std::unique_ptr<CPrzyciskP> m_up;
    std::unique_ptr<CPrzyciskP> m_down;
    std::unique_ptr<CScrollBar> m_scrollBar;
    QLabel* m_nazwisko = nullptr; // vL_Nazwisko, the names column's caption
    QLabel* m_data = nullptr;     // vL_Data, the dates column's caption
    std::unique_ptr<CNagData> m_list;

    // The row being recorded: it is stored in the catalogue once sound has reached its file.
    int m_recordingRow = -1;
    bool m_busy = false;
    bool m_shown = false;
};
