#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for, decided from the arguments as typed (before the toolkit takes
// its own options away), so that the answers that need no window are given before any display
// is opened. "z" counts only as the first argument; --help and --version anywhere after it.
// Every other argument is left to the toolkit or ignored: the program then starts as usual.
class CommandLine {
public:
    enum class Action {
        Run,     // the program with its windows
        Report,  // the resource report ("z")
        Help,    // the usage text, exit 0
        Version, // the name and version, exit 0
    };

    // arguments[0] is the program as it was started.
    explicit CommandLine(const QStringList& arguments);

    Action action() const { return m_action; }
    // True for the actions that only print a text and end: no display is needed for them.
    bool answersWithoutDisplay() const;
    // The text the action prints on standard output (empty for Run and Report).
    QString answer() const;

    static QString versionText();
    static QString helpText();

private:
    Action m_action = Action::Run;
};
