#include "recordingspanel.h"

#include "ccheckbut.h"
#include "cnagdata.h"
#include "cnagrywanie.h"
#include "cprzyciskp.h"
#include "cscrollbar.h"
#include "form.h"
#include "hitarea.h"
#include "menulayout.h"
#include "messagebox.h"
#include "recordingcatalogue.h"
#include "recordingfile.h"
#include "widgetpictures.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <utility>

namespace {

// The panel's buttons in the order it makes them, and where the menu's layout puts them.
struct PanelButton {
    const char* name;
    QPoint (MenuLayout::*at)() const;
};
constexpr PanelButton Buttons[] = {{"rodtworz", &MenuLayout::RecPlay},
                                   {"rstop", &MenuLayout::RecStop},
                                   {"rrec", &MenuLayout::RecRecord},
                                   {"up", &MenuLayout::ScrollUp},
                                   {"down", &MenuLayout::ScrollDown}};
enum ButtonIndex { Play, Stop, Record, Up, Down };

// A column caption of the list: Arial Black 13 of the original look, drawn straight over the
// menu picture.
QLabel* columnLabel(QWidget& window, const QString& text) {
    auto* label = new QLabel(text, &window);
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(15);
    font.setWeight(QFont::Black);
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->adjustSize();
    label->hide();
    return label;
}

} // namespace

RecordingsPanel::RecordingsPanel(Form& window, const QImage& background, const CDisplay& display,
                                 const MenuLayout& layout, CNagrywanie& recorder,
                                 const QString& folder, std::function<void(int)> showNotice,
                                 std::vector<CPrzyciskP*> lockedWhileBusy)
    : m_window(window), m_background(background), m_display(display), m_recorder(recorder),
      m_folder(folder), m_showNotice(std::move(showNotice)),
      m_lockedWhileBusy(std::move(lockedWhileBusy)) {
    Canvas& front = window.canvas();
    auto button = [&](ButtonIndex index, CPrzyciskP::Action action) {
        const PanelButton& b = Buttons[index];
        const QPoint at = (layout.*b.at)();
        return std::make_unique<CPrzyciskP>(window, QString::fromLatin1(b.name), front, background,
                                            at.x(), at.y(), std::move(action));
    };
    m_rodtworz = button(Play, [this] { A_Rec_Play(); });
    m_rstop = button(Stop, [this] { MPStop(); });
    m_rrec = button(Record, [this] { A_Rec_Rec(); });
    // The list moves these two beside its rows; they scroll it on release.
    m_up = button(Up, {});
    m_down = button(Down, {});
    m_up->SetOnMouseUp([this] { Scroll(1); });
    m_down->SetOnMouseUp([this] { Scroll(-1); });
    m_lockedWhileBusy.push_back(&*m_up);
    m_lockedWhileBusy.push_back(&*m_down);

    const QPoint up = layout.ScrollUp();
    m_scrollBar = std::make_unique<CScrollBar>(window, up.x(), up.y() + 32, front, background);
    m_scrollBar->Hide();
    // A recording or playback that ends by itself leaves the panel as "rstop" does.
    m_recorder.SetHandlers([this] { MPStop(); }, [this] { MPStop(); });
    m_recorder.SetOnFirstSound([this] {
        if (m_recordingRow >= 0)
            m_list->StoreRecording(m_recordingRow);
    });
}

RecordingsPanel::~RecordingsPanel() {
    // The recorder outlives the panel: no handler may reach a panel that is gone.
    m_recorder.SetHandlers({}, {});
    m_recorder.SetOnFirstSound({});
}

QStringList RecordingsPanel::PictureFiles() {
    QStringList files;
    for (const PanelButton& button : Buttons)
        files << ImageButtonMadePictureFiles(QLatin1String(button.name));
    return files + CScrollBar::PictureFiles();
}

QStringList RecordingsPanel::LaterPictureFiles() {
    QStringList files = CNagData::PictureFiles();
    for (const PanelButton& button : Buttons)
        files << ImageButtonLaterPictureFiles(QLatin1String(button.name));
    return files;
}

void RecordingsPanel::MakeList() {
    if (m_list)
        return;
    m_nazwisko = columnLabel(m_window, QStringLiteral("Imię i Nazwisko"));
    m_data = columnLabel(m_window, QStringLiteral("Data"));
    CNagData::MenuWidgets listWidgets;
    listWidgets.nazwisko = m_nazwisko;
    listWidgets.data = m_data;
    listWidgets.up = &*m_up;
    listWidgets.down = &*m_down;
    listWidgets.scrollBar = &*m_scrollBar;
    m_list = std::make_unique<CNagData>(m_window, m_window.canvas(), m_display, listWidgets,
                                        RecordingCatalogue(m_folder));
}

CNagData& RecordingsPanel::List() {
    MakeList();
    return *m_list;
}

QLabel& RecordingsPanel::NameColumnLabel() {
    MakeList();
    return *m_nazwisko;
}

QLabel& RecordingsPanel::DateColumnLabel() {
    MakeList();
    return *m_data;
}

void RecordingsPanel::Show() {
    m_shown = true;
    List().ShowRows();
    m_nazwisko->show();
    m_data->show();
    m_up->Show();
    m_down->Show();
    m_scrollBar->Show();
    m_rrec->Show();
    m_rodtworz->Show();
    m_rstop->Hide();
    unfocus();
}

void RecordingsPanel::Hide() {
    m_shown = false;
    if (m_list && m_list->RowsVisible()) {
        m_list->HideRows();
        for (int row = 0; row < CNagData::Rows; ++row) {
            CCheckBut& check = m_list->CheckButton(row);
            const QRect rect(check.X(), check.Y(), check.control().width(),
                             check.control().height());
            m_window.canvas().copyFrom(rect, m_background, rect.topLeft());
        }
    }
    if (m_list) {
        m_nazwisko->hide();
        m_data->hide();
    }
    m_scrollBar->Hide();
    m_up->Hide();
    m_down->Hide();
    m_rrec->Hide();
    m_rodtworz->Hide();
    m_rstop->Hide();
}

void RecordingsPanel::DrawRows() {
    List().DrawRows();
}

void RecordingsPanel::Scroll(int lines) {
    if (m_busy || !m_list)
        return;
    bool moved = false;
    for (; lines > 0 && m_up->IsReady(); --lines)
        moved = m_list->ScrollUp() || moved;
    for (; lines < 0 && m_down->IsReady(); ++lines)
        moved = m_list->ScrollDown() || moved;
    // No line is chosen after a scroll, so no name field keeps the keyboard either.
    if (moved)
        unfocus();
}

void RecordingsPanel::setButtonsReady(bool ready) {
    for (CPrzyciskP* b : m_lockedWhileBusy)
        b->SetReady(ready);
}

void RecordingsPanel::EnterBusyState() {
    // Busy first: the buttons below repaint the window, and that paint must not close the
    // device about to be opened.
    m_busy = true;
    m_rrec->Hide();
    m_rodtworz->Hide();
    m_rstop->Show();
    setButtonsReady(false);
}

void RecordingsPanel::noticeAndUnfocus(int code) {
    if (m_showNotice)
        m_showNotice(code);
    unfocus();
}

void RecordingsPanel::unfocus() {
    // The window itself takes the keyboard: with no focus at all, the next activation would
    // hand it to the first name field, and typing would go into a line nobody chose.
    m_window.setFocus(Qt::OtherFocusReason);
}

QString RecordingsPanel::NoMicrophoneText() {
    return QStringLiteral("Nie znaleziono mikrofonu.\n\nPodłącz mikrofon i spróbuj jeszcze raz.");
}

QString RecordingsPanel::NoSoundText() {
    return QStringLiteral("Mikrofon nie przesyła dźwięku, nic nie nagrano.\n\nSprawdź, czy jest "
                          "podłączony i włączony, i spróbuj jeszcze raz.");
}

QString RecordingsPanel::NoPlaybackText() {
    return QStringLiteral("Nie można odtworzyć nagrania: nie znaleziono urządzenia dźwiękowego.");
}

QString RecordingsPanel::EmptyRecordingText() {
    return QStringLiteral("To nagranie jest puste.");
}

void RecordingsPanel::showMessage(const QString& text) {
    if (m_showMessage)
        m_showMessage(text);
    else
        MessageBox::show(&m_window, text, m_window.windowTitle(), MessageBox::Icon::Warning);
    unfocus();
}

void RecordingsPanel::A_Rec_Rec() {
    if (m_busy)
        return;
    const int row = List().SelectedRow();
    if (row < 0) {
        noticeAndUnfocus(10);
        return;
    }
    if (RecordingCatalogue::IsBlankName(m_list->TakeName(row))) {
        noticeAndUnfocus(11);
        return;
    }
    EnterBusyState();
    const QString path = m_list->RecordingPath(row);
    const bool existed = QFileInfo::exists(path);
    if (!m_recorder.OpenFile(path) || !m_recorder.StartRecording(RecordingLimitMs)) {
        // A place that was never recorded keeps no empty file either.
        if (!existed && m_list->SoundPath(row).isEmpty())
            QFile::remove(path);
        MPStop();
        showMessage(NoMicrophoneText());
        return;
    }
    // The catalogue names the place as recorded once its first sound is in the file.
    m_recordingRow = row;
}

void RecordingsPanel::A_Rec_Play() {
    if (m_busy)
        return;
    const int row = List().SelectedRow();
    if (row < 0) {
        noticeAndUnfocus(20);
        return;
    }
    const QString path = m_list->SoundPath(row);
    if (RecordingCatalogue::IsBlankName(m_list->TakeName(row)) || path.isEmpty() ||
        !QFileInfo(path).isFile()) {
        noticeAndUnfocus(21);
        return;
    }
    if (QFileInfo(path).size() <= RecordingFile::HeaderSize) {
        showMessage(EmptyRecordingText());
        return;
    }
    EnterBusyState();
    if (!m_recorder.OpenFile(path) || !m_recorder.StartPlayback()) {
        MPStop();
        showMessage(NoPlaybackText());
    }
}

void RecordingsPanel::MPStop() {
    m_recorder.Stop();
    m_recorder.CloseDevice();
    m_busy = false;
    setButtonsReady(true);
    m_rstop->Hide();
    // Its buttons come back only while the panel is shown.
    if (m_shown) {
        m_rrec->Show();
        m_rodtworz->Show();
    }
    const int row = std::exchange(m_recordingRow, -1);
    if (row >= 0 && m_recorder.HeardNothing()) {
        // Nothing reached the file: a place that was never recorded keeps no empty file.
        if (m_list->SoundPath(row).isEmpty())
            QFile::remove(m_list->RecordingPath(row));
        showMessage(NoSoundText());
    }
}
