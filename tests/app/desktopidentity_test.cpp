#include "desktopidentity.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

QGuiApplication& guiApp() {
    static int argc = 1;
    static char name[] = "wk-desktopidentity-test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

// Icon files under a temporary root holding usr/bin (the program's folder), each a square PNG
// of its own size, or bytes that are no picture when the size is 0; the window icon is then
// told apart by its size.
struct IconCase {
    const char* name;
    std::vector<std::pair<const char*, int>> files; // under the root
    bool themeHasIcon;                              // a hicolor theme with a 16 px icon
    int expectedSize;                               // 0: no icon
};

class WindowIcons : public testing::TestWithParam<IconCase> {
protected:
    static void SetUpTestSuite() { guiApp(); }
};

void writeFile(const QString& path, int size) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    if (size == 0) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("no picture");
        return;
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path, "PNG"));
}

TEST_P(WindowIcons, ThemeFirstThenBesideTheProgramThenTheInstalledCopy) {
    const IconCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString r = root.path();
    for (const auto& [file, size] : c.files)
        writeFile(r + u'/' + QString::fromUtf8(file), size);
    ASSERT_TRUE(QDir().mkpath(r + "/usr/bin"));
    // The theme the desktop would offer, or none at all.
    const QString themes = r + "/themes";
    if (c.themeHasIcon) {
        writeFile(themes + "/hicolor/16x16/apps/wiklotek.png", 16);
        QFile index(themes + "/hicolor/index.theme");
        ASSERT_TRUE(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Hicolor\nDirectories=16x16/apps\n\n"
                    "[16x16/apps]\nSize=16\nType=Fixed\n");
    }
    QIcon::setThemeSearchPaths({themes});
    QIcon::setThemeName(QStringLiteral("hicolor"));

    const QIcon icon = DesktopIdentity::WindowIcon(r + "/usr/bin");
    if (c.expectedSize == 0) {
        EXPECT_TRUE(icon.isNull());
        return;
    }
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(QSize(512, 512)).size(), QSize(c.expectedSize, c.expectedSize));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WindowIcons,
    testing::Values(IconCase{"ThemeIcon", {{"usr/bin/wiklotek.png", 32}}, true, 16},
                    IconCase{"BesideTheProgram", {{"usr/bin/wiklotek.png", 32}}, false, 32},
                    IconCase{"InstalledCopy",
                             {{"usr/share/icons/hicolor/256x256/apps/wiklotek.png", 48}},
                             false,
                             48},
                    IconCase{"BesideBeforeInstalled",
                             {{"usr/bin/wiklotek.png", 32},
                              {"usr/share/icons/hicolor/256x256/apps/wiklotek.png", 48}},
                             false,
                             32},
                    IconCase{"UnreadableFileSkipped",
                             {{"usr/bin/wiklotek.png", 0},
                              {"usr/share/icons/hicolor/256x256/apps/wiklotek.png", 48}},
                             false,
                             48},
                    IconCase{"NoIconAnywhere", {}, false, 0}),
    [](const testing::TestParamInfo<IconCase>& info) { return std::string(info.param.name); });

// The desktop entry and the metainfo name what the program tells the desktop: the window
// class, the icon and the entry's own file name must agree for docks to tie them together.
QString desktopEntryValue(const QString& key) {
    QFile file(QStringLiteral(WK_SOURCE_DIR "/dist/") + DesktopIdentity::DesktopFileName() +
               QStringLiteral(".desktop"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("<no desktop entry>");
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return QStringLiteral("<no %1>").arg(key);
}

TEST(DesktopEntry, NamesTheProgramsWindowClassAndIcon) {
    const std::vector<std::pair<QString, QString>> expected = {
        {QStringLiteral("StartupWMClass"), DesktopIdentity::ApplicationName()},
        {QStringLiteral("Icon"), DesktopIdentity::IconName()},
        {QStringLiteral("StartupNotify"), QStringLiteral("true")},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(desktopEntryValue(key), value) << key.toStdString();

    QFile metainfo(QStringLiteral(WK_SOURCE_DIR "/dist/pl.wiklotek.Wiklotek.metainfo.xml.in"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains((QStringLiteral("<launchable type=\"desktop-id\">") +
                                             DesktopIdentity::DesktopFileName() +
                                             QStringLiteral(".desktop</launchable>"))
                                                .toUtf8()));
}

} // namespace
