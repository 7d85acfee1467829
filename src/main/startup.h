#pragma once

#include "childroster.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class CDisplay;
class QWidget;
class TFormMain;
class TFormSplashScreen;

// The program's entry: report mode, single instance, the program folder as working folder,
// the start-up checks, the process-wide objects, the windows and the message loop. Returns
// the process exit status.
class Startup {
public:
    Startup();
    ~Startup();
    // Exit statuses besides the error codes 1..4 of CBlad.
    static constexpr int ExitOk = 0;
    static constexpr int ExitCritical = 5;
    static constexpr int ExitAlreadyRunning = 6;
    static constexpr int ExitReportMissing = 1;
    static constexpr int ExitReportFailed = 2;
    // No window system to show the program on.
    static constexpr int ExitNoDisplay = 7;

    // The program with its windows. Needs a QApplication.
    int run();
    // "--child NAME": the run starts with that child, added when there is none of that name.
    void SetRequestedChild(std::optional<QString> name) { m_requestedChild = std::move(name); }
    // A --child whose name cannot be a child's (too long, empty).
    static constexpr int CommandLineUsage = 64;

    // The command line as typed; read before the application object removes its options.
    static QStringList typedArguments(int argc, const char* const* argv);

    // The "z" switch: only exactly "z" as the first argument.
    static bool isReportMode(const QStringList& arguments);

    // The resource report of the data pack the program reads, written into the current
    // folder or, when that cannot be written, into the user's data folder; the result is one
    // line on standard output and, with showBox, a message box. Needs an application object
    // (a QApplication for the box). Returns the exit status.
    static int RunReport(bool showBox);
    // Where the report goes: currentFolder when it can be written, else userFolder (made when
    // missing).
    static QString ReportFolder(const QString& currentFolder, const QString& userFolder);

    // Before the application object, which takes some tens of milliseconds to make: starts
    // decoding the menu's pictures for a screen of this (logical) size on another thread.
    // Nothing for the report or an unmeasured screen; a wrong guess only costs that thread's
    // work, as the menu then reads its own pictures.
    static void PreloadBeforeApplication(const QStringList& arguments, QSize screen);

private:
    int runProgram();
    // The window that owns start-up messages: the splash while it exists.
    QWidget* messageOwner() const;
    void raiseFrontWindow();
    void destroySplash();
    int showCritical();
    // The profile of this run: the one chosen on the menu before, --child, the chooser when
    // there are children, else the guest. None for a --child that cannot be added.
    std::optional<ChildRoster::Profile> chooseProfile(ChildRoster& roster, const CDisplay& display);
    // "Kto ćwiczy?" from the menu's badge; another profile ends this run for a new one.
    void askForAnotherProfile(ChildRoster& roster, const CDisplay& display,
                              const ChildRoster::Profile& current);
    // Runs a step that makes windows from within the event loop. When it throws, the error is
    // kept for the entry, the event loops end and false is returned.
    bool runDeferred(const std::function<void()>& step);

    QString m_startDirectory;
    QString m_programDirectory;
    std::unique_ptr<TFormSplashScreen> m_splash;
    TFormMain* m_mainWindow = nullptr;
    std::exception_ptr m_deferredError;
    std::optional<QString> m_requestedChild;
    std::optional<ChildRoster::Profile> m_nextProfile;
    bool m_switchRequested = false;
};
