// The recordings list on a window: row layout, menu widget placement, selection, scrolling,
// names and dates in the rows.
#include "cblad.h"
#include "ccheckbut.h"
#include "cdisplay.h"
#include "cnagdata.h"
#include "cprzyciskp.h"
#include "cscrollbar.h"
#include "form.h"
#include "inifile.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <ostream>
#include <string>

namespace {

const QDate kToday(2024, 3, 15);
constexpr QRgb kOff = 0xFF2060C0u;
constexpr QRgb kOn = 0xFFE03020u;

QApplication& app() {
    static int argc = 1;
    static char name[] = "wk-cnagdata-test";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

std::string str(const QString& s) {
    return s.toStdString();
}

QImage plain(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A program folder of its own, made current as the program makes its folder current, with the
// library pictures of the list's check buttons, the scroll buttons and the scroll thumb.
class CNagDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Data/Intf/Lib")));
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        writePicture("S_CHBUT_D", plain(QSize(28, 28), kOff));
        writePicture("S_CHBUT_A", plain(QSize(28, 28), kOn));
        for (const char* button : {"up", "down"}) {
            for (const char* state : {"_D", "_A", "_"})
                writePicture(QString(button) + state, plain(QSize(28, 28), kOff));
            writePicture(QString(button) + "_M", plain(QSize(28, 28), 0xFFFFFFFFu));
        }
        writePicture("scroll_D", plain(QSize(20, 12), kOff));
        writePicture("scroll_M", plain(QSize(20, 12), 0xFFFFFFFFu));
    }
    void TearDown() override {
        list.reset();
        scrollBar.reset();
        up.reset();
        down.reset();
        form.reset();
        QDir::setCurrent(m_previous);
    }

    void writePicture(const QString& name, const QImage& image) const {
        ASSERT_TRUE(image.save(m_dir.filePath("Data/Intf/Lib/" + name + ".png"), "PNG"));
    }
    void writeCatalogue(const QByteArray& text) const {
        ASSERT_TRUE(QDir().mkpath(m_dir.filePath("Nagrane")));
        QFile out(m_dir.filePath("Nagrane/record.xtr"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(text), text.size());
    }

    // The main window's part of the recordings tab, laid out as the menu lays it out before
    // the list moves its buttons.
    void build(QSize screen = QSize(800, 600)) {
        display = std::make_unique<CDisplay>(screen);
        form = std::make_unique<Form>();
        form->setClientSize(screen.width(), screen.height());
        form->move(0, 0);
        background = plain(screen, 0xFFFFFFFFu);
        const int x0 = display->OffsetX;
        const int rowsTop = display->OffsetY + (display->DesignHeight / 70) * 22;
        up = std::make_unique<CPrzyciskP>(*form, "up", form->canvas(), background, x0 + 240,
                                          rowsTop - 32);
        down = std::make_unique<CPrzyciskP>(*form, "down", form->canvas(), background, x0 + 240,
                                            rowsTop + 256);
        scrollBar =
            std::make_unique<CScrollBar>(*form, x0 + 240, rowsTop, form->canvas(), background);
        nazwisko = new QLabel(QString::fromUtf8("Imię i Nazwisko"), form.get());
        data = new QLabel("Data", form.get());
        CNagData::MenuWidgets menu;
        menu.nazwisko = nazwisko;
        menu.data = data;
        menu.up = up.get();
        menu.down = down.get();
        menu.scrollBar = scrollBar.get();
        list = std::make_unique<CNagData>(*form, form->canvas(), *display, menu,
                                          RecordingCatalogue("Nagrane", [] { return kToday; }));
    }

    // Shows the window as the active one, with the rows shown, as the recordings tab does.
    void showTab() {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QApplication::setActiveWindow(form.get());
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        list->ShowRows();
    }

    void clickCheck(int row) {
        const QRect area = list->CheckButton(row).control().geometry();
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, area.center());
    }
    void clickEdit(int row) { QTest::mouseClick(&list->NameEdit(row), Qt::LeftButton); }
    void type(int row, const QString& text) {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, &list->NameEdit(row), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
    QRgb checkPixel(int row) const {
        const QPoint at = list->Layout(*display, row).check + QPoint(5, 5);
        return form->canvas().image().pixel(at) | 0xFF000000u;
    }
    std::vector<int> checkedRows() {
        std::vector<int> rows;
        for (int j = 0; j < CNagData::Rows; ++j)
            if (list->CheckButton(j).IsOn())
                rows.push_back(j);
        return rows;
    }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    std::unique_ptr<CDisplay> display;
    std::unique_ptr<Form> form;
    QImage background;
    std::unique_ptr<CPrzyciskP> up;
    std::unique_ptr<CPrzyciskP> down;
    std::unique_ptr<CScrollBar> scrollBar;
    QLabel* nazwisko = nullptr;
    QLabel* data = nullptr;
    std::unique_ptr<CNagData> list;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

struct LayoutCase {
    const char* name;
    QSize screen;
    QPoint firstNumber; // row 0's number label; the other parts follow from it
    QPoint nazwisko;
    QPoint data;
    int buttonsX;
    int upTop;
    int downTop;
};
void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class CNagDataLayoutTest : public CNagDataTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(CNagDataLayoutTest, RowsAndMenuWidgetsTakeTheirPlaces) {
    const LayoutCase& c = GetParam();
    build(c.screen);
    for (int j = 0; j < CNagData::Rows; ++j) {
        SCOPED_TRACE(j);
        const QPoint number = c.firstNumber + QPoint(0, 32 * j);
        const CNagData::RowLayout layout = CNagData::Layout(*display, j);
        EXPECT_EQ(layout.number, QRect(number, QSize(26, 26)));
        EXPECT_EQ(list->NumberLabel(j).geometry(), layout.number);
        EXPECT_EQ(list->NameEdit(j).geometry(), QRect(number + QPoint(26, 0), QSize(220, 26)));
        EXPECT_EQ(list->DateLabel(j).geometry(), QRect(number + QPoint(251, 2), QSize(100, 22)));
        EXPECT_EQ(list->CheckButton(j).control().geometry(),
                  QRect(number + QPoint(356, 0), QSize(28, 28)));
        EXPECT_EQ(str(list->NumberLabel(j).text()), std::to_string(j + 1) + ".");
        EXPECT_TRUE(list->NumberLabel(j).alignment() & Qt::AlignRight);
    }
    EXPECT_EQ(nazwisko->pos(), c.nazwisko);
    EXPECT_EQ(data->pos(), c.data);
    EXPECT_EQ(up->DestinationRect().topLeft(), QPoint(c.buttonsX, c.upTop));
    EXPECT_EQ(down->DestinationRect().topLeft(), QPoint(c.buttonsX, c.downTop));
    EXPECT_EQ(scrollBar->X(), c.buttonsX + 4);
    EXPECT_EQ(scrollBar->Y(), c.upTop + 30);
    EXPECT_EQ(scrollBar->Step(), (c.downTop - 5 - (c.upTop + 30)) / 22);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, CNagDataLayoutTest,
    ::testing::Values(LayoutCase{"Small", QSize(800, 600), QPoint(130, 176), QPoint(229, 155),
                                 QPoint(414, 155), 521, 144, 432},
                      LayoutCase{"Big", QSize(1024, 768), QPoint(244, 220), QPoint(329, 200),
                                 QPoint(524, 200), 635, 188, 476},
                      // A larger screen centres the play area: everything moves by the offset.
                      LayoutCase{"BigCentred", QSize(1280, 1024), QPoint(372, 348),
                                 QPoint(457, 328), QPoint(652, 328), 763, 316, 604},
                      LayoutCase{"SmallCentred", QSize(900, 700), QPoint(180, 226),
                                 QPoint(279, 205), QPoint(464, 205), 571, 194, 482}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CNagDataTest, RowsStartHiddenAndUnselectedAndShowWhatTheFileHolds) {
    writeCatalogue("[Nagranie0]\nPlik=Nagranie0\nNazwa=Ala\nData=02-05-2023\n"
                   "[Nagranie1]\nPlik=\nNazwa=Olek\nData=01-01-1990\n");
    build();
    EXPECT_FALSE(list->RowsVisible());
    EXPECT_FALSE(list->NameEdit(0).isVisibleTo(form.get()));
    EXPECT_FALSE(list->CheckButton(0).IsVisible());
    EXPECT_EQ(list->SelectedRow(), -1);
    EXPECT_EQ(str(list->NameEdit(0).text()), "Ala");
    EXPECT_EQ(str(list->DateLabel(0).text()), "02-05-2023");
    EXPECT_EQ(str(list->SoundPath(0)), "Nagrane/Nagranie0.wav");
    EXPECT_EQ(str(list->NameEdit(1).text()), "Olek");
    EXPECT_EQ(str(list->DateLabel(1).text()), "");
    EXPECT_EQ(str(list->SoundPath(1)), ""); // a name alone is no recording
}

TEST_F(CNagDataTest, ShowingDrawsEveryRowUnselectedAndHidingHidesEveryPart) {
    build();
    showTab();
    clickCheck(3);
    ASSERT_EQ(list->SelectedRow(), 3);
    list->ShowRows();
    EXPECT_EQ(list->SelectedRow(), -1);
    for (int j = 0; j < CNagData::Rows; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(checkPixel(j), kOff);
        EXPECT_TRUE(list->NameEdit(j).isVisible());
        EXPECT_TRUE(list->DateLabel(j).isVisible());
        EXPECT_TRUE(list->NumberLabel(j).isVisible());
    }
    list->HideRows();
    for (int j = 0; j < CNagData::Rows; ++j) {
        SCOPED_TRACE(j);
        EXPECT_FALSE(list->NameEdit(j).isVisible());
        EXPECT_FALSE(list->DateLabel(j).isVisible());
        EXPECT_FALSE(list->NumberLabel(j).isVisible());
        EXPECT_FALSE(list->CheckButton(j).IsVisible());
    }
}

TEST_F(CNagDataTest, RedrawingKeepsTheSelection) {
    build();
    showTab();
    clickCheck(2);
    form->canvas().fillRect(form->canvas().rect()); // the window repaints its background
    list->DrawRows();
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(checkPixel(2), kOn);
    EXPECT_EQ(checkPixel(1), kOff);
}

TEST_F(CNagDataTest, CheckButtonsSelectOneRowAndFocusItsName) {
    build();
    showTab();
    clickCheck(2);
    EXPECT_EQ(checkedRows(), std::vector<int>{2});
    EXPECT_EQ(checkPixel(2), kOn);
    EXPECT_EQ(form->focusWidget(), &list->NameEdit(2));

    clickCheck(5);
    EXPECT_EQ(checkedRows(), std::vector<int>{5});
    EXPECT_EQ(checkPixel(2), kOff);
    EXPECT_EQ(form->focusWidget(), &list->NameEdit(5));

    // Clicking the selected row's button unselects it and leaves no field focused.
    clickCheck(5);
    EXPECT_EQ(list->SelectedRow(), -1);
    EXPECT_EQ(checkPixel(5), kOff);
    EXPECT_FALSE(list->NameEdit(5).hasFocus());
}

TEST_F(CNagDataTest, ClickingANameSelectsItsRow) {
    build();
    showTab();
    clickCheck(1);
    clickEdit(6);
    EXPECT_EQ(checkedRows(), std::vector<int>{6});
    EXPECT_EQ(checkPixel(1), kOff);
    EXPECT_EQ(checkPixel(6), kOn);
    EXPECT_TRUE(list->NameEdit(6).hasFocus());
    // A second click on the same name keeps it selected.
    clickEdit(6);
    EXPECT_EQ(list->SelectedRow(), 6);
}

TEST_F(CNagDataTest, ScrollingStaysWithinTheThirtyPlacesAndStepsTheIndicator) {
    build();
    showTab();
    const int top = scrollBar->Y();
    const int step = scrollBar->Step();
    EXPECT_FALSE(list->ScrollUp());
    EXPECT_EQ(list->Top(), 0);
    EXPECT_EQ(scrollBar->Y(), top);

    for (int i = 1; i <= 22; ++i) {
        clickCheck(0);
        ASSERT_TRUE(list->ScrollDown()) << i;
        EXPECT_EQ(list->SelectedRow(), -1) << i;
    }
    EXPECT_FALSE(list->ScrollDown());
    EXPECT_EQ(list->Top(), 22);
    EXPECT_EQ(scrollBar->Y(), top + 22 * step);
    EXPECT_EQ(str(list->NumberLabel(0).text()), "23.");
    EXPECT_EQ(str(list->NumberLabel(7).text()), "30.");

    clickEdit(4);
    EXPECT_TRUE(list->ScrollUp());
    EXPECT_EQ(list->SelectedRow(), -1);
    EXPECT_EQ(checkPixel(4), kOff);
    EXPECT_EQ(list->Top(), 21);
    EXPECT_EQ(scrollBar->Y(), top + 21 * step);
    EXPECT_EQ(str(list->NumberLabel(0).text()), "22.");
}

TEST_F(CNagDataTest, RowsWorkOnThePlaceTheyShow) {
    build();
    showTab();
    list->ScrollDown();
    list->ScrollDown();
    list->ScrollDown();
    clickEdit(2);
    type(2, QString::fromUtf8("Źdźbło Łucja"));
    EXPECT_EQ(str(list->TakeName(2)), "Źdźbło Łucja");
    EXPECT_EQ(str(list->SoundPath(2)), "");
    ASSERT_TRUE(list->StoreRecording(2));
    EXPECT_EQ(str(list->DateLabel(2).text()), "15-03-2024");
    EXPECT_EQ(str(list->SoundPath(2)), "Nagrane/Nagranie5.wav");

    IniFile ini(path("Nagrane/record.xtr"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(str(ini.readString("Nagranie5", "Nazwa", "?")), "Źdźbło Łucja");
    EXPECT_EQ(str(ini.readString("Nagranie5", "Plik", "?")), "Nagranie5");
    EXPECT_EQ(str(ini.readString("Nagranie5", "Data", "?")), "15-03-2024");

    // The place keeps its name when it scrolls away and back.
    list->ScrollUp();
    EXPECT_EQ(str(list->NameEdit(3).text()), "Źdźbło Łucja");
    EXPECT_EQ(str(list->DateLabel(3).text()), "15-03-2024");
    EXPECT_EQ(str(list->NameEdit(2).text()), "");
}

TEST_F(CNagDataTest, ANameNeitherRecordedNorPlayedIsLostOnScrolling) {
    build();
    showTab();
    clickEdit(0);
    type(0, "Ala");
    clickEdit(1);
    type(1, "Ola");
    list->TakeName(1);
    list->ScrollDown();
    list->ScrollUp();
    EXPECT_EQ(str(list->NameEdit(0).text()), "");
    EXPECT_EQ(str(list->NameEdit(1).text()), "Ola");
    // Taken for a playback only: kept in memory, not written.
    IniFile ini(path("Nagrane/record.xtr"));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(str(ini.readString("Nagranie1", "Nazwa", "?")), "");
}

TEST_F(CNagDataTest, RowsOutsideTheListDoNothing) {
    build();
    for (int row : {-1, 8}) {
        EXPECT_EQ(str(list->TakeName(row)), "") << row;
        EXPECT_EQ(str(list->SoundPath(row)), "") << row;
        EXPECT_FALSE(list->StoreRecording(row)) << row;
    }
}

TEST_F(CNagDataTest, AMissingCheckButtonPictureIsErrorOneAndLeavesNoRowBehind) {
    ASSERT_TRUE(QFile::remove(path("Data/Intf/Lib/S_CHBUT_A.png")));
    display = std::make_unique<CDisplay>(QSize(800, 600));
    form = std::make_unique<Form>();
    try {
        CNagData failed(*form, form->canvas(), *display);
        FAIL() << "built without its pictures";
    } catch (const CBlad& error) {
        EXPECT_EQ(error.ErrorCode, 1);
    }
    EXPECT_TRUE(form->findChildren<QWidget*>().isEmpty());
}

} // namespace
