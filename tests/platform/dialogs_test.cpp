#include "cursors.h"
#include "guiapp.h"
#include "messagebox.h"
#include "shellopen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace {

struct UrlCase {
    const char* name;
    const char* input;
    const char* expected; // empty: an invalid URL
};

class ShellUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(ShellUrlTest, TurnsLinksAndPathsIntoUrls) {
    const UrlCase& c = GetParam();
    const QUrl url = ShellUrl(QString::fromUtf8(c.input));
    if (*c.expected == '\0') {
        EXPECT_FALSE(url.isValid()) << url.toString().toStdString();
        return;
    }
    EXPECT_EQ(url.toString().toStdString(), std::string(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ShellUrlTest,
    ::testing::Values(
        UrlCase{"Web", "https://example.org/a?b=c", "https://example.org/a?b=c"},
        UrlCase{"BareWww", "www.example.pl", "http://www.example.pl"},
        UrlCase{"BareWwwUpperCase", "WWW.Example.pl", "http://www.example.pl"},
        UrlCase{"MailWithSubject", "mailto:kto@example.pl?subject=Wiadomosc z Wiklotek",
                "mailto:kto@example.pl?subject=Wiadomosc z Wiklotek"},
        UrlCase{"AbsolutePath", "/tmp/Raport zasobów.txt", "file:///tmp/Raport zasobów.txt"},
        UrlCase{"SpacesAround", "  https://example.org  ", "https://example.org"},
        UrlCase{"Empty", "", ""}, UrlCase{"Blank", "   ", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShellUrlPathTest, RelativePathsAndDriveLettersAreLocalFiles) {
    const QUrl relative = ShellUrl(QStringLiteral("Nagrane/rec1.wav"));
    EXPECT_TRUE(relative.isLocalFile());
    EXPECT_EQ(relative.toLocalFile(), QDir::current().absoluteFilePath("Nagrane/rec1.wav"));
    // One letter before a colon is a Windows drive, never a scheme.
    EXPECT_TRUE(ShellUrl(QStringLiteral("C:/Data/x.txt")).isLocalFile());
}

class GuiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testApp(); }
};

TEST_F(GuiTest, ShotCursorIsACrossHairAimedAtItsCentre) {
    const QCursor shot = cursorFor(5);
    ASSERT_EQ(shot.shape(), Qt::BitmapCursor);
    const QImage picture = shot.pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(shot.hotSpot(), QPoint(picture.width() / 2, picture.height() / 2));
    // The middle stays open so the child sees what is aimed at; the cross arms are drawn.
    const int mid = picture.width() / 2;
    EXPECT_EQ(qAlpha(picture.pixel(mid, mid)), 0);
    EXPECT_GT(qAlpha(picture.pixel(mid, 4)), 0);
    EXPECT_GT(qAlpha(picture.pixel(4, mid)), 0);
}

struct BoxCase {
    MessageBox::Icon icon;
    QMessageBox::Icon expected;
};

TEST_F(GuiTest, MessageBoxShowsCaptionTextAndIconAndReturnsWhenClosed) {
    const BoxCase cases[] = {{MessageBox::Icon::Information, QMessageBox::Information},
                             {MessageBox::Icon::Warning, QMessageBox::Warning},
                             {MessageBox::Icon::Error, QMessageBox::Critical}};
    for (const BoxCase& c : cases) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->accept();
        });
        MessageBox::show(nullptr, QStringLiteral("Aplikacja jest aktualnie uruchomiona."),
                         QStringLiteral("Wiklotek Cz.I"), c.icon);
        EXPECT_EQ(title, QStringLiteral("Wiklotek Cz.I"));
        EXPECT_EQ(text, QStringLiteral("Aplikacja jest aktualnie uruchomiona."));
        EXPECT_EQ(icon, c.expected);
    }
}

} // namespace
