#include "filehome.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Kind = FileHome::Kind;

// A program folder laid out under a temporary root: "portable/wiklotek" with or without its
// pack beside it, and "usr/bin/wiklotek" with the shared pack in "usr/share/wiklotek".
struct HomeCase {
    const char* name;
    const char* programFolder; // under the root
    bool packBeside;
    bool packShared;
    bool writable;
    const char* xdgDataHome; // "<root>" stands for the root; may be empty
    Kind kind;
    const char* packFolder; // under the root
    const char* userFolder; // under the root
    const char* settingsFile;
    const char* readOnlyPortable; // under the root; empty for none
};

class FileHomes : public testing::TestWithParam<HomeCase> {};

QString underRoot(const QString& root, const char* path) {
    QString text = QString::fromUtf8(path);
    text.replace(QStringLiteral("<root>"), root);
    return text.startsWith(u'/') ? text : root + u'/' + text;
}

TEST_P(FileHomes, PackAndUserFilesFromTheLayout) {
    const HomeCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString r = root.path();
    if (c.packBeside) {
        ASSERT_TRUE(QDir().mkpath(r + "/portable/Data"));
    }
    if (c.packShared) {
        ASSERT_TRUE(QDir().mkpath(r + "/usr/share/wiklotek/Data"));
    }
    ASSERT_TRUE(QDir().mkpath(underRoot(r, c.programFolder)));

    FileHome::Inputs inputs;
    inputs.programFolder = underRoot(r, c.programFolder);
    inputs.installedPackFolder = QStringLiteral("../share/wiklotek");
    inputs.xdgDataHome = QString::fromUtf8(c.xdgDataHome).replace("<root>", r);
    inputs.homeFolder = r + "/home";
    inputs.programFolderWritable = c.writable;
    const FileHome home = FileHome::Decide(inputs);

    EXPECT_EQ(home.kind(), c.kind);
    EXPECT_EQ(home.packFolder(), underRoot(r, c.packFolder));
    EXPECT_EQ(home.userFolder(), underRoot(r, c.userFolder));
    EXPECT_EQ(home.settingsFile(), underRoot(r, c.settingsFile));
    EXPECT_EQ(home.recordingsFolder(), underRoot(r, c.userFolder) + "/Nagrane");
    const QString lender = *c.readOnlyPortable ? underRoot(r, c.readOnlyPortable) : QString();
    EXPECT_EQ(home.readOnlyPortable().userFolder(), lender);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FileHomes,
    testing::Values(
        HomeCase{"PortableWritable", "portable", true, false, true, "", Kind::Portable, "portable",
                 "portable", "portable/Data/data.ini", ""},
        HomeCase{"PortableReadOnly", "portable", true, false, false, "", Kind::PerUser, "portable",
                 "home/.local/share/wiklotek", "home/.local/share/wiklotek/data.ini", "portable"},
        HomeCase{"Installed", "usr/bin", false, true, false, "<root>/xdg", Kind::PerUser,
                 "usr/share/wiklotek", "xdg/wiklotek", "xdg/wiklotek/data.ini", ""},
        // Even a bin folder the user may write to (root's /usr/bin) gets no user files.
        HomeCase{"InstalledWritableBin", "usr/bin", false, true, true, "", Kind::PerUser,
                 "usr/share/wiklotek", "home/.local/share/wiklotek",
                 "home/.local/share/wiklotek/data.ini", ""},
        HomeCase{"RelativeXdgIgnored", "usr/bin", false, true, false, "xdg", Kind::PerUser,
                 "usr/share/wiklotek", "home/.local/share/wiklotek",
                 "home/.local/share/wiklotek/data.ini", ""},
        // No pack anywhere: the program's folder stays the working folder, where the
        // missing pack is reported as before.
        HomeCase{"NoPack", "usr/bin", false, false, false, "", Kind::PerUser, "usr/bin",
                 "home/.local/share/wiklotek", "home/.local/share/wiklotek/data.ini", ""}),
    [](const testing::TestParamInfo<HomeCase>& info) { return info.param.name; });

TEST(FileHomePrepare, MakesTheUserFolderOrSaysItCannot) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir().mkpath(root.path() + "/usr/share/wiklotek/Data"));
    FileHome::Inputs inputs;
    inputs.programFolder = root.path() + "/usr/bin";
    inputs.installedPackFolder = QStringLiteral("../share/wiklotek");
    inputs.xdgDataHome = root.path() + "/deep/er/xdg";
    const FileHome home = FileHome::Decide(inputs);
    EXPECT_TRUE(home.Prepare());
    EXPECT_TRUE(QFileInfo(root.path() + "/deep/er/xdg/wiklotek").isDir());

    // A file where the data folder should be.
    QFile blocker(root.path() + "/blocked");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    inputs.xdgDataHome = root.path() + "/blocked";
    EXPECT_FALSE(FileHome::Decide(inputs).Prepare());
    // No home at all: no folder, rather than one under the root folder.
    inputs.xdgDataHome.clear();
    EXPECT_EQ(FileHome::Decide(inputs).settingsFile(), QString());
    EXPECT_FALSE(FileHome::Decide(inputs).Prepare());
}

} // namespace
