#include "cnagdata.h"

#include "ccheckbut.h"
#include "cdisplay.h"
#include "cprzyciskp.h"
#include "cscrollbar.h"
#include "widgetpictures.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

namespace {

constexpr int kRowPitch = 32;
constexpr int kNumberWidth = 26;
constexpr QSize kEditSize(220, 26);
constexpr QSize kDateSize(100, 22);
constexpr int kGap = 5;
// "up" and "down" stand this far right of the date column.
constexpr int kButtonsGap = 40;

const QString kCheckPicture = QStringLiteral("S_CHBUT");

// Arial Black 11 of the original look: a heavy sans of the same height.
QFont rowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(15);
    font.setWeight(QFont::Bold);
    return font;
}

int firstRowTop(const CDisplay& display) {
    return display.OffsetY + (display.DesignHeight / 70) * 22;
}

} // namespace

// One visible row. The check button comes first, so that a missing picture throws before any
// other control exists; whatever was made is deleted with the row unless the window took it.
struct CNagData::Row {
    std::unique_ptr<CCheckBut> check;
    QPointer<QLabel> number;
    QPointer<QLineEdit> edit;
    QPointer<QLabel> date;

    ~Row() {
        delete number.data();
        delete edit.data();
        delete date.data();
    }
};

CNagData::RowLayout CNagData::Layout(const CDisplay& display, int row) {
    const int left = display.OffsetX + (display.IsSmall() ? 130 : 244);
    const int top = firstRowTop(display) + kRowPitch * row;
    RowLayout layout;
    layout.number = QRect(left, top, kNumberWidth, kEditSize.height());
    layout.edit = QRect(QPoint(left + kNumberWidth, top), kEditSize);
    layout.date = QRect(QPoint(layout.edit.left() + kEditSize.width() + kGap, top + 2), kDateSize);
    layout.check = QPoint(layout.date.left() + kDateSize.width() + kGap, top);
    return layout;
}

CNagData::MenuLayout CNagData::Menu(const CDisplay& display) {
    const int x0 = display.OffsetX;
    const int y0 = display.OffsetY;
    MenuLayout layout;
    if (display.IsSmall()) {
        layout.nazwisko = QPoint(x0 + 229, y0 + 155);
        layout.data = QPoint(x0 + 414, y0 + 155);
    } else {
        layout.nazwisko = QPoint(x0 + 329, y0 + 200);
        layout.data = QPoint(x0 + 524, y0 + 200);
    }
    const RowLayout last = Layout(display, Rows - 1);
    layout.buttonsX = last.date.left() + last.date.width() + kButtonsGap;
    return layout;
}

QStringList CNagData::PictureFiles() {
    // Every row's check button is the same picture.
    return CheckButtonPictureFiles(kCheckPicture);
}

CNagData::CNagData(QWidget& window, Canvas& canvas, const CDisplay& display,
                   const MenuWidgets& menu, RecordingCatalogue catalogue)
    : m_window(window), m_catalogue(std::move(catalogue)), m_scrollBar(menu.scrollBar) {
    m_catalogue.Open();

    const QFont font = rowFont();
    for (int j = 0; j < Rows; ++j) {
        const RowLayout layout = Layout(display, j);
        auto row = std::make_unique<Row>();
        row->check = std::make_unique<CCheckBut>(
            window, kCheckPicture, canvas, layout.check.x(), layout.check.y(),
            [this, j] { rowClicked(j, ClickSource::CheckButton); });
        row->check->Hide();

        row->number = new QLabel(&window);
        row->number->setGeometry(layout.number);
        row->number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

        row->edit = new QLineEdit(&window);
        row->edit->setGeometry(layout.edit);
        row->edit->installEventFilter(this);

        row->date = new QLabel(&window);
        row->date->setGeometry(layout.date);
        row->date->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        for (QWidget* part :
             {static_cast<QWidget*>(row->number.data()), static_cast<QWidget*>(row->edit.data()),
              static_cast<QWidget*>(row->date.data())}) {
            part->setFont(font);
            part->setAutoFillBackground(true);
            QPalette palette = part->palette();
            palette.setColor(QPalette::Window, Qt::white);
            palette.setColor(QPalette::Base, Qt::white);
            palette.setColor(QPalette::WindowText, Qt::black);
            palette.setColor(QPalette::Text, Qt::black);
            part->setPalette(palette);
            part->hide();
        }
        m_rows.push_back(std::move(row));
    }

    placeMenu(display, menu);
    refreshRows(false);
}

CNagData::~CNagData() = default;

void CNagData::placeMenu(const CDisplay& display, const MenuWidgets& menu) {
    const MenuLayout layout = Menu(display);
    if (menu.nazwisko)
        menu.nazwisko->move(layout.nazwisko);
    if (menu.data)
        menu.data->move(layout.data);
    if (menu.up)
        menu.up->SetPosition(layout.buttonsX, -1);
    if (menu.down)
        menu.down->SetPosition(layout.buttonsX, -1);
    if (menu.up && menu.down && menu.scrollBar)
        menu.scrollBar->SetRange(menu.up->Left() + 4, menu.up->Top() + 30, menu.down->Top() - 5);
}

void CNagData::ShowRows() {
    m_visible = true;
    for (const auto& row : m_rows) {
        row->number->show();
        row->edit->show();
        row->date->show();
        row->check->Show();
        row->check->SetOn(0);
    }
}

void CNagData::HideRows() {
    m_visible = false;
    for (const auto& row : m_rows) {
        row->number->hide();
        row->edit->hide();
        row->date->hide();
        row->check->Hide();
    }
}

void CNagData::DrawRows() {
    if (!m_visible)
        return;
    for (const auto& row : m_rows)
        row->check->Draw();
}

int CNagData::SelectedRow() const {
    for (int j = 0; j < Rows; ++j) {
        if (m_rows[std::size_t(j)]->check->IsOn() != 0)
            return j;
    }
    return -1;
}

QString CNagData::TakeName(int row) {
    if (!validRow(row))
        return QString();
    const QString name = m_rows[std::size_t(row)]->edit->text();
    m_catalogue.SetName(m_top + row, name);
    return name;
}

QString CNagData::SoundPath(int row) const {
    return validRow(row) ? m_catalogue.SoundPath(m_top + row) : QString();
}

QString CNagData::RecordingPath(int row) const {
    if (!validRow(row))
        return QString();
    return m_catalogue.Folder() + u'/' + RecordingCatalogue::RecordingFileName(m_top + row) +
           QStringLiteral(".wav");
}

bool CNagData::StoreRecording(int row) {
    if (!validRow(row))
        return false;
    const int number = m_top + row;
    const bool stored = m_catalogue.StoreRecording(number);
    m_rows[std::size_t(row)]->date->setText(
        RecordingCatalogue::ShownDate(m_catalogue.Place(number).date));
    return stored;
}

bool CNagData::ScrollUp() {
    if (m_top <= 0)
        return false;
    --m_top;
    refreshRows(true);
    if (m_scrollBar)
        m_scrollBar->StepUp();
    return true;
}

bool CNagData::ScrollDown() {
    if (m_top >= MaxTop)
        return false;
    ++m_top;
    refreshRows(true);
    if (m_scrollBar)
        m_scrollBar->StepDown();
    return true;
}

void CNagData::refreshRows(bool unselect) {
    for (int j = 0; j < Rows; ++j) {
        Row& row = *m_rows[std::size_t(j)];
        const NagRec& place = m_catalogue.Place(m_top + j);
        row.number->setText(QString::number(place.number + 1) + u'.');
        row.edit->setText(place.name);
        row.edit->setCursorPosition(0);
        row.date->setText(RecordingCatalogue::ShownDate(place.date));
        if (unselect)
            row.check->SetOn(0);
    }
}

void CNagData::rowClicked(int row, ClickSource source) {
    for (int j = 0; j < Rows; ++j) {
        Row& r = *m_rows[std::size_t(j)];
        if (j == row && source == ClickSource::CheckButton) {
            if (r.check->IsOn() != 0) {
                r.check->SetOn(0);
                if (QWidget* focused = m_window.focusWidget())
                    focused->clearFocus();
            } else {
                r.check->SetOn(1);
                r.edit->setFocus(Qt::OtherFocusReason);
            }
        } else if (j == row && source == ClickSource::Edit) {
            if (r.check->IsOn() == 0)
                r.check->SetOn(1);
            r.edit->setFocus(Qt::OtherFocusReason);
        } else if (r.check->IsOn() != 0) {
            r.check->SetOn(0);
        }
    }
}

bool CNagData::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    // Moving into a field with Tab selects its row too, so typing always goes to the
    // selected row.
    const bool tabbedIn = event->type() == QEvent::FocusIn &&
                          (static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason ||
                           static_cast<QFocusEvent*>(event)->reason() == Qt::BacktabFocusReason);
    if (m_visible && (press || tabbedIn)) {
        for (int j = 0; j < Rows; ++j) {
            if (m_rows[std::size_t(j)]->edit == watched) {
                rowClicked(j, ClickSource::Edit);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QLabel& CNagData::NumberLabel(int row) {
    return *m_rows.at(std::size_t(row))->number;
}

QLineEdit& CNagData::NameEdit(int row) {
    return *m_rows.at(std::size_t(row))->edit;
}

QLabel& CNagData::DateLabel(int row) {
    return *m_rows.at(std::size_t(row))->date;
}

CCheckBut& CNagData::CheckButton(int row) {
    return *m_rows.at(std::size_t(row))->check;
}
