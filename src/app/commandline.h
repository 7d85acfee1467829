#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for, decided from the arguments as typed (before the toolkit takes
// its own options away), so that the answers that need no window are given before any display
// is opened. "z" counts only as the first argument; --help, --version, the exports, the
// models' import and export and --analyse anywhere after it, the first of them wins (nothing
// after --help or --version is read). "--child NAME" goes with any action, wherever it stands
// before "--"; given twice, the last counts. Every other argument is left to the toolkit or
// ignored: the program then starts as usual.
class CommandLine {
public:
    enum class Action {
        Run,            // the program with its windows
        Report,         // the resource report ("z")
        Help,           // the usage text, exit 0
        Version,        // the name and version, exit 0
        ExportCsv,      // the progress table into exportFile(), no window
        ExportAttempts, // every answer from the practice log into exportFile(), no window
        ImportModels,   // WAVE files of the folder exportFile() as own word models, no window
        ExportModels,   // the own word models into the folder exportFile(), no window
        Analyse,        // the frication segments of the WAVE file exportFile(), no window
        Usage,          // a switch given wrongly: usageError() and ExitUsage
    };

    // Exit status of a switch given wrongly (as sysexits' EX_USAGE).
    static constexpr int ExitUsage = 64;
    // The export's file name that means standard output.
    static constexpr const char* StandardOutput = "-";

    // arguments[0] is the program as it was started.
    explicit CommandLine(const QStringList& arguments);

    Action action() const { return m_action; }
    // True for the actions that only print a text and end: no display is needed for them.
    bool answersWithoutDisplay() const;
    // The text the action prints on standard output (empty for the others).
    QString answer() const;
    // The CSV file of --export-csv FILE, --export-attempts FILE, or their =FILE forms; the
    // folder of --import-models DIR and --export-models DIR; the WAVE file of --analyse FILE.
    const QString& exportFile() const { return m_exportFile; }
    // The child of --child NAME or --child=NAME: the exports write only that child's (or the
    // guest's, "Gość") games or answers, and the program starts with that child chosen.
    const std::optional<QString>& childName() const { return m_childName; }
    // For Usage: what was wrong, one line without the program's name.
    const QString& usageError() const { return m_usageError; }

    static QString versionText();
    static QString helpText();

private:
    // Takes the switch at i with its value (the next argument, or after '='); false when the
    // argument is not that switch. value is empty when none was given.
    static bool takeValue(const QStringList& arguments, qsizetype& i, QLatin1StringView name,
                          QString& value);
    void usage(const QString& error);

    Action m_action = Action::Run;
    QString m_exportFile;
    std::optional<QString> m_childName;
    QString m_usageError;
};
