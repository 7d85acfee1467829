// The children of one computer: the rules of their names, where each one's files are, what
// removing one takes away, and the chooser and list the therapist and the child use.
#include "cdisplay.h"
#include "childroster.h"
#include "practicelog.h"
#include "tformdzieci.h"
#include "tformktocwiczy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ChildRosterTest : public ::testing::Test {
protected:
    ChildRosterTest() {
        EXPECT_TRUE(home.Prepare());
        EXPECT_TRUE(log.Open()) << log.LastError().toStdString();
    }
    static FileHome homeIn(const QTemporaryDir& dir) {
        FileHome::Inputs inputs;
        inputs.programFolder = dir.filePath(QStringLiteral("bin"));
        inputs.homeFolder = dir.path();
        return FileHome::Decide(inputs);
    }
    QStringList names() {
        QStringList out;
        for (const ChildRoster::Profile& profile : roster.Profiles())
            out << profile.name;
        return out;
    }

    QTemporaryDir dir;
    FileHome home = homeIn(dir);
    PracticeLog log{home.logFile()};
    ChildRoster roster{log, home};
};

TEST_F(ChildRosterTest, NamesAreTrimmedUniqueNotTheGuestsAndAtMostFortyCharacters) {
    struct Case {
        QString name;
        bool added;
    };
    const Case cases[] = {
        {QStringLiteral("  Żaneta "), true}, {QStringLiteral("Żaneta"), false}, // taken
        {QStringLiteral("Gość"), false},                                        // the guest's
        {QStringLiteral("   "), false},                                         // empty
        {QString(40, QChar(u'ś')), true}, // at the limit, in any script
        {QString(41, QChar(u'a')), false},   {QStringLiteral("Алёша 😀"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const auto child = roster.Add(c.name);
        EXPECT_EQ(child.has_value(), c.added) << roster.LastProblem().toStdString();
        if (!c.added) {
            EXPECT_FALSE(roster.LastProblem().isEmpty());
        }
    }
    EXPECT_EQ(names().first(), QStringLiteral("Gość"));
    EXPECT_EQ(names().size(), 4);
    // --child finds a child by its name and adds one that is not there.
    const auto found = roster.FindOrAdd(QStringLiteral("Żaneta"));
    const auto added = roster.FindOrAdd(QStringLiteral("Ola"));
    ASSERT_TRUE(found && added);
    EXPECT_EQ(names().size(), 5);
    EXPECT_FALSE(roster.FindOrAdd(QStringLiteral("Gość"))->id);
}

TEST_F(ChildRosterTest, EachChildHasItsOwnPrivateFilesAndRemovingTakesThemAll) {
    const auto ala = roster.Add(QStringLiteral("Ala"), 3);
    const auto ola = roster.Add(QStringLiteral("Ola"));
    ASSERT_TRUE(ala && ola);
    const FileHome alaHome = roster.HomeOf(*ala);
    const FileHome olaHome = roster.HomeOf(*ola);
    EXPECT_EQ(roster.HomeOf(ChildRoster::Guest()).settingsFile(), home.settingsFile());
    EXPECT_NE(alaHome.settingsFile(), olaHome.settingsFile());
    EXPECT_NE(alaHome.recordingsFolder(), home.recordingsFolder());
    EXPECT_EQ(alaHome.logFile(), home.logFile());
    ASSERT_TRUE(alaHome.Prepare());
    for (const QString& folder : {alaHome.userFolder(), home.childrenFolder()})
        EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, 0) << folder.toStdString();
    QFile settings(alaHome.settingsFile());
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.close();
    const qint64 game = *log.BeginGame({ala->id, 2, 1, 1, 0x1000, {}});
    ASSERT_TRUE(log.AddAttempt(
        game, {QStringLiteral("szafa"), 1, 0x1000, PracticeLog::Outcome::Wrong, {}, {}}));

    ASSERT_TRUE(roster.Remove(*ala->id)) << roster.LastProblem().toStdString();
    EXPECT_FALSE(QFileInfo::exists(alaHome.userFolder()));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Gość"), QStringLiteral("Ola")}));
    EXPECT_FALSE(log.AddAttempt(
        game, {QStringLiteral("szafa"), 1, 0x1000, PracticeLog::Outcome::Wrong, {}, {}}));
}

TEST_F(ChildRosterTest, TheChooserShowsEveryProfileAndTheListChangesIt) {
    ASSERT_TRUE(roster.Add(QStringLiteral("Ola")));
    const CDisplay display(QSize(1024, 768));
    TFormKtoCwiczy chooser(display, roster, ChildRoster::Guest());
    ASSERT_EQ(chooser.Shown().size(), 2u);
    chooser.Choose(1);
    ASSERT_TRUE(chooser.Chosen());
    EXPECT_EQ(chooser.Chosen()->name, QStringLiteral("Ola"));

    const qint64 olaId = *chooser.Chosen()->id;
    TFormDzieci list(roster, olaId);
    QStringList typed{QStringLiteral("Ela")};
    list.SetNameAsker([&](const QString&, const QString&, const QString&) {
        return typed.isEmpty() ? std::nullopt : std::optional<QString>(typed.takeFirst());
    });
    list.SetPictureAsker([](int) { return 5; });
    bool confirm = false;
    list.SetConfirmer([&](const QString&) { return confirm; });
    list.AddChild();
    EXPECT_EQ(list.List().count(), 2);
    EXPECT_EQ(roster.Find(QStringLiteral("Ela"))->picture, 5);
    list.List().setCurrentRow(1); // Ola, after Ela
    list.RemoveChild();           // not confirmed: nothing goes
    EXPECT_EQ(list.List().count(), 2);
    confirm = true;
    list.RemoveChild();
    EXPECT_EQ(list.List().count(), 1);
    // The child practising was removed: the guest goes on.
    EXPECT_FALSE(list.CurrentId());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
