#include "menufixture.h"

#include "cblad.h"
#include "cprzyciskp.h"
#include "tformoprogramie.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTextLayout>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>

namespace {

class TFormOProgramieTest : public MenuWindowTest {
protected:
    TFormOProgramie& makeAbout() {
        m_display = std::make_unique<CDisplay>(display());
        m_about = std::make_unique<TFormOProgramie>(*m_display);
        m_about->SetLinkOpener([this](const QString& target) {
            opened.push_back(target);
            return true;
        });
        return *m_about;
    }
    void TearDown() override {
        m_about.reset();
        MenuWindowTest::TearDown();
    }
    QStringList opened;

private:
    std::unique_ptr<CDisplay> m_display;
    std::unique_ptr<TFormOProgramie> m_about;
};

TEST_P(TFormOProgramieTest, TextsStayCentredOnThePlayAreaAboveTheButton) {
    TFormOProgramie& about = makeAbout();
    show(about);
    const CDisplay d = display();
    const QRect play(d.OffsetX, d.OffsetY, d.DesignWidth, d.DesignHeight);
    const int cx = d.OffsetX + d.DesignWidth / 2;
    EXPECT_EQ(about.geometry(), QRect(0, 0, d.ScreenWidth, d.ScreenHeight));
    EXPECT_EQ(about.LogoPosition(), d.IsSmall() ? QPoint(d.OffsetX + 320, d.OffsetY + 100)
                                                : QPoint(d.OffsetX + 410, d.OffsetY + 145));
    CPrzyciskP& stop = about.StopButton();
    EXPECT_EQ(QPoint(stop.Left(), stop.Top()),
              QPoint(cx - 40, d.OffsetY + d.DesignHeight * 8 / 10));
    QLabel& version = about.label(TFormOProgramie::LabelVer);
    EXPECT_EQ(version.text(), QStringLiteral("Wersja 1.6"));
    EXPECT_EQ(version.y(), d.OffsetY + d.DesignHeight / 4 + 35);
    for (auto which : {TFormOProgramie::LabelVer, TFormOProgramie::LabelPrawa1,
                       TFormOProgramie::LabelPrawa2, TFormOProgramie::LabelISBN}) {
        const QLabel& l = about.label(which);
        EXPECT_LE(std::abs(l.x() + l.width() / 2 - cx), 1) << l.text().toStdString();
    }
    // Every shown text lies inside the play area and clear of the logo and the button.
    const QRect logo(about.LogoPosition(), d.IsSmall() ? QSize(160, 60) : QSize(204, 78));
    for (int i = 0; i < TFormOProgramie::LabelCount; ++i) {
        const QLabel& l = about.label(static_cast<TFormOProgramie::Label>(i));
        if (l.isHidden())
            continue;
        EXPECT_TRUE(play.contains(l.geometry())) << l.text().toStdString();
        EXPECT_FALSE(l.geometry().intersects(stop.DestinationRect())) << l.text().toStdString();
        EXPECT_FALSE(l.geometry().intersects(logo)) << l.text().toStdString();
    }
}

// The lines a label shows: its text laid out in its font and width as the label lays it out,
// with non-breaking spaces and hyphens read as plain ones.
QStringList shownLines(const QLabel& label) {
    const QString text = label.text();
    QTextLayout layout(text, label.font());
    QTextOption option;
    option.setWrapMode(label.wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.contentsRect().width());
        EXPECT_LE(line.naturalTextWidth(), label.contentsRect().width() + 0.5)
            << text.toStdString();
        lines << text.mid(line.textStart(), line.textLength())
                     .replace(QChar(0x00A0), ' ')
                     .replace(QChar(0x2011), '-');
    }
    layout.endLayout();
    return lines;
}

TEST_P(TFormOProgramieTest, ALicenceNameIsNeverBrokenAcrossLines) {
    TFormOProgramie& about = makeAbout();
    show(about);
    const char* const licences[] = {"CC BY-SA 4.0", "CC BY 4.0", "Apache 2.0", "SIL OFL 1.1"};
    int found = 0;
    for (int i = 0; i < TFormOProgramie::LabelCount; ++i) {
        const QLabel& l = about.label(static_cast<TFormOProgramie::Label>(i));
        if (l.isHidden())
            continue;
        const QStringList lines = shownLines(l);
        const QString text = l.text().replace(QChar(0x00A0), ' ').replace(QChar(0x2011), '-');
        for (const char* licence : licences) {
            if (!text.contains(licence))
                continue;
            ++found;
            bool whole = false;
            for (const QString& line : lines)
                whole = whole || line.contains(licence);
            EXPECT_TRUE(whole) << licence << " in: " << lines.join(" | ").toStdString();
        }
    }
    EXPECT_EQ(found, 4);
}

TEST_P(TFormOProgramieTest, TextsStayInThePicturesCalmMiddle) {
    // The about picture keeps its stars and the moon out of a middle column and its hills
    // below it: 130..670 of 800 and above 530 of 600, scaled for the big variant.
    TFormOProgramie& about = makeAbout();
    show(about);
    const CDisplay d = display();
    const double s = d.DesignWidth / 800.0;
    const QRect calm(QPoint(d.OffsetX + int(std::ceil(130 * s)), d.OffsetY),
                     QPoint(d.OffsetX + int(670 * s) - 1, d.OffsetY + int(530 * s) - 1));
    for (int i = 0; i < TFormOProgramie::LabelCount; ++i) {
        const QLabel& l = about.label(static_cast<TFormOProgramie::Label>(i));
        if (!l.isHidden()) {
            EXPECT_TRUE(calm.contains(l.geometry())) << l.text().toStdString();
        }
    }
}

// The text of the message box the step shows, closed at once; empty when none shows.
QString boxTextOf(const std::function<void()>& step) {
    QString text;
    // The timer goes with this object when no box showed.
    QObject scope;
    QTimer::singleShot(50, &scope, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    step();
    return text;
}

TEST_P(TFormOProgramieTest, GuideLinkOpensTheGuideOrSaysWhereItIs) {
    QFile guideFile(QStringLiteral("Podrecznik.html"));
    ASSERT_TRUE(guideFile.open(QIODevice::WriteOnly));
    guideFile.close();
    TFormOProgramie& about = makeAbout();
    show(about);
    const QString guide = QDir::current().absoluteFilePath(QStringLiteral("Podrecznik.html"));
    QLabel& link = about.label(TFormOProgramie::LabelF6);
    EXPECT_FALSE(link.isHidden());
    EXPECT_EQ(boxTextOf([&] { QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(3, 3)); }),
              QString());
    EXPECT_EQ(opened, QStringList{guide});
    EXPECT_TRUE(about.label(TFormOProgramie::LabelF7).isHidden());
    about.A_Poczta();
    EXPECT_EQ(opened.size(), 1);
    // Nothing on the system opens pages, or the guide is gone: a message names the file.
    about.SetLinkOpener([](const QString&) { return false; });
    EXPECT_TRUE(boxTextOf([&] { about.A_Podrecznik(); }).contains(guide));
    guideFile.remove();
    about.SetLinkOpener([this](const QString& target) {
        opened.push_back(target);
        return true;
    });
    EXPECT_TRUE(boxTextOf([&] { about.A_Podrecznik(); }).contains(guide));
    EXPECT_EQ(opened.size(), 1);
}

// The window says where the licence and the guide of the running copy are.
TEST_P(TFormOProgramieTest, NamesTheLicenceAndGuideOfThisCopy) {
    const QString here = QDir::currentPath();
    struct Case {
        const char* name;
        const char* licence; // made relative to the pack's folder; "" for none
    };
    for (const Case& c : {Case{"portable", "LICENSE"}, Case{"installed", "../doc/wiklotek/LICENSE"},
                          Case{"none", ""}}) {
        SCOPED_TRACE(c.name);
        QDir pack(here + QStringLiteral("/share/wiklotek"));
        ASSERT_TRUE(pack.mkpath(QStringLiteral(".")));
        QString expected;
        if (*c.licence) {
            expected = QDir::cleanPath(pack.filePath(QString::fromUtf8(c.licence)));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(expected).path()));
            QFile(expected).open(QIODevice::WriteOnly);
        }
        EXPECT_EQ(TFormOProgramie::LicenceFile(pack.path()), expected);
        QDir(here + QStringLiteral("/share")).removeRecursively();
    }
    TFormOProgramie& about = makeAbout();
    EXPECT_EQ(about.label(TFormOProgramie::LabelPrawa2).toolTip(),
              QStringLiteral("Program jest wolny: licencja MIT."));
    EXPECT_EQ(about.label(TFormOProgramie::LabelF3).toolTip(),
              QStringLiteral("w pliku %1:").arg(here + QStringLiteral("/Podrecznik.html")));
}

TEST_P(TFormOProgramieTest, EscapeAndStopEndTheModalShow) {
    TFormOProgramie& about = makeAbout();
    QTimer::singleShot(50, &about, [&about] { QTest::keyClick(&about, Qt::Key_Escape); });
    about.showModal();
    EXPECT_FALSE(about.isVisible());
    QTimer::singleShot(50, &about, [&about] {
        QTest::mouseClick(&about.StopButton().control(), Qt::LeftButton, {}, QPoint(30, 30));
    });
    about.showModal();
    EXPECT_FALSE(about.isVisible());
}

TEST_P(TFormOProgramieTest, MissingPictureIsErrorOne) {
    const QString s = display().Suffix();
    for (const QString& file :
         {"Data/Intf/Spec/mT_OPro" + s + ".xji", "Data/Intf/Spec/l1" + s + ".xji",
          QString("Data/Intf/Lib/stop_M.png")}) {
        ASSERT_TRUE(QFile::copy(path(file), path("saved")));
        removeFile(file);
        try {
            makeAbout();
            ADD_FAILURE() << "no error without " << file.toStdString();
        } catch (const CBlad& error) {
            EXPECT_EQ(error.ErrorCode, 1);
        }
        ASSERT_TRUE(QFile::rename(path("saved"), path(file)));
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, TFormOProgramieTest,
                         ::testing::Values(QSize(800, 600), QSize(1024, 768), QSize(1280, 1024)),
                         screenName);

} // namespace
