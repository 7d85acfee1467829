#include "commandline.h"

#include <gtest/gtest.h>

namespace {

using Action = CommandLine::Action;

struct LineCase {
    const char* name;
    QStringList arguments; // after the program's own name
    Action action;
    const char* exportFile = "";
    const char* child = nullptr; // none given
};

class CommandLineActions : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLineActions, DecidedFromTheArgumentsAsTyped) {
    const LineCase& c = GetParam();
    const CommandLine line(QStringList{QStringLiteral("/usr/bin/wiklotek")} + c.arguments);
    EXPECT_EQ(line.action(), c.action);
    const bool printsOnly = c.action == Action::Help || c.action == Action::Version;
    EXPECT_EQ(line.answersWithoutDisplay(), printsOnly);
    EXPECT_EQ(line.answer().isEmpty(), !printsOnly);
    EXPECT_EQ(line.exportFile(), QString::fromUtf8(c.exportFile));
    EXPECT_EQ(line.usageError().isEmpty(), c.action != Action::Usage);
    EXPECT_EQ(line.childName(), c.child ? std::optional(QString::fromUtf8(c.child)) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineActions,
    testing::Values(
        LineCase{"Nothing", {}, Action::Run}, LineCase{"ReportSwitch", {"z"}, Action::Report},
        LineCase{"ReportBeforeHelp", {"z", "--help"}, Action::Report},
        LineCase{"CapitalZ", {"Z"}, Action::Run},
        LineCase{"ZAfterToolkitOption", {"-reverse", "z"}, Action::Run},
        LineCase{"ZSecond", {"x", "z"}, Action::Run}, LineCase{"Help", {"--help"}, Action::Help},
        LineCase{"HelpAfterToolkitOption", {"-platform", "xcb", "--help"}, Action::Help},
        LineCase{"Version", {"--version"}, Action::Version},
        LineCase{"FirstAnswerWins", {"--version", "--help"}, Action::Version},
        LineCase{"Unknown", {"--unknown"}, Action::Run},
        LineCase{"SingleDash", {"-help"}, Action::Run},
        LineCase{"AfterDoubleDash", {"--", "--help"}, Action::Run},
        LineCase{"Export", {"--export-csv", "a.csv"}, Action::ExportCsv, "a.csv"},
        LineCase{
            "ExportEqualsForm", {"--export-csv=wyniki ó.csv"}, Action::ExportCsv, "wyniki ó.csv"},
        LineCase{"ExportToStandardOutput", {"--export-csv", "-"}, Action::ExportCsv, "-"},
        LineCase{
            "ExportAfterOtherOptions", {"--no-scale", "--export-csv", "b"}, Action::ExportCsv, "b"},
        LineCase{"ExportTakesTheNextWordAsItsFile",
                 {"--export-csv", "--help"},
                 Action::ExportCsv,
                 "--help"},
        LineCase{"ExportWithoutFile", {"--export-csv"}, Action::Usage},
        LineCase{"ExportEqualsWithoutFile", {"--export-csv="}, Action::Usage},
        LineCase{"ExportEmptyFile", {"--export-csv", ""}, Action::Usage},
        LineCase{"ReportBeforeExport", {"z", "--export-csv"}, Action::Report},
        LineCase{"HelpBeforeExport", {"--help", "--export-csv"}, Action::Help},
        LineCase{"ExportPrefixIsNotExport", {"--export-csvx"}, Action::Run},
        LineCase{"Attempts", {"--export-attempts=o.csv"}, Action::ExportAttempts, "o.csv"},
        LineCase{"AttemptsWithoutFile", {"--export-attempts"}, Action::Usage},
        LineCase{"FirstExportWins",
                 {"--export-attempts", "a", "--export-csv", "b"},
                 Action::ExportAttempts,
                 "a"},
        LineCase{"ChildForTheRun", {"--child", "Ala"}, Action::Run, "", "Ala"},
        LineCase{"ChildAfterExport",
                 {"--export-csv", "a", "--child=Zoś Kowalska"},
                 Action::ExportCsv,
                 "a",
                 "Zoś Kowalska"},
        LineCase{"ChildBeforeReport", {"z", "--child", "Ola"}, Action::Report, "", "Ola"},
        LineCase{"LastChildCounts", {"--child", "A", "--child", "B"}, Action::Run, "", "B"},
        LineCase{"ChildWithoutName", {"--export-csv", "a", "--child"}, Action::Usage},
        LineCase{"ChildWithBlankName", {"--child= "}, Action::Usage},
        LineCase{"ChildAfterDoubleDash", {"--", "--child"}, Action::Run},
        LineCase{"HelpIgnoresWhatFollows", {"--help", "--child"}, Action::Help}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST(CommandLineTexts, VersionAndBothLanguagesOfTheUsage) {
    EXPECT_EQ(CommandLine(QStringList{"wiklotek", "--version"}).answer(),
              QStringLiteral("Wiklotek Cz.I 1.6"));
    const QString help = CommandLine(QStringList{"wiklotek", "--help"}).answer();
    for (const char* part : {"Użycie: wiklotek", "Usage: wiklotek", "--help", "--version", "z ",
                             "--export-attempts", "--child NAME", "--child IMIĘ",
                             "starts with that child chosen, created when it does not exist"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(part))) << part;
}

} // namespace
