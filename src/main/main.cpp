#include "analysecommand.h"
#include "cblad.h"
#include "commandline.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "displaycheck.h"
#include "filehome.h"
#include "modelcatalogue.h"
#include "modelcommands.h"
#include "picturepreload.h"
#include "progressexport.h"
#include "progressmodule.h"
#include "randomgenerator.h"
#include "screenscale.h"
#include "startup.h"
#include "xscreenmeasure.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>

namespace {

// Without a session bus (a kiosk started by xinit, a bare X server) the D-Bus library behind
// Qt and the sound library would start one of its own for every run: a fork of this
// multi-threaded program per library, a stray daemon left behind, and a child that can hang in
// a lock another thread held at the fork. No bus announced means none is used. Set before any
// thread exists, so that nothing reads the environment while it changes.
void keepOffSessionBusAutolaunch() {
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// The window system's problem, when there is one, as the program's own line and status:
// without this check the toolkit would end the process with an abort.
bool reportNoDisplay(const QString& problem) {
    if (problem.isEmpty())
        return false;
    WriteErrorLine(problem);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // "-reverse z" must not be taken for "z": the application object drops its own options.
    const QStringList typed = Startup::typedArguments(argc, argv);
    // --help, --version, the CSV exports, the models' import and export and --analyse answer
    // in a terminal without a display, so before the application object, which would need one.
    const CommandLine commandLine(typed);
    switch (commandLine.action()) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        std::fputs(commandLine.answer().toUtf8().constData(), stdout);
        if (!commandLine.answer().endsWith(u'\n'))
            std::fputc('\n', stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case CommandLine::Action::Usage:
        WriteErrorLine(commandLine.usageError() + QStringLiteral(" (wiklotek --help)"));
        return CommandLine::ExitUsage;
    case CommandLine::Action::ExportCsv:
    case CommandLine::Action::ExportAttempts: {
        // The practice log and the statistics file where this user's runs of the program keep
        // them.
        QCoreApplication core(argc, argv);
        const FileHome home = FileHome::ForProgram(QCoreApplication::applicationDirPath());
        // Without a home the files would be looked for in the current folder, which is not
        // where any run of the program kept them.
        if (home.userFolder().isEmpty()) {
            std::fputs("wiklotek: no practice log or statistics file: this user has no home "
                       "folder\n",
                       stderr);
            return ProgressExport::ExitUnreadable;
        }
        const QDir userFolder(home.userFolder());
        ProgressExport::Request request;
        request.file = commandLine.exportFile();
        request.logPath = userFolder.filePath(QStringLiteral("dziennik.sqlite"));
        // The guest's: a child's own file is only read through the log.
        request.statisticsPath = userFolder.filePath(CStatRec::FileName(1));
        request.child = commandLine.childName();
        request.ownPaths =
            home.OwnPaths(QCoreApplication::applicationFilePath(), ProgressModule::Places())
            << userFolder.filePath(QStringLiteral("Dzieci"));
        return commandLine.action() == CommandLine::Action::ExportCsv
                   ? ProgressExport::Games(request)
                   : ProgressExport::Answers(request);
    }
    case CommandLine::Action::ImportModels:
    case CommandLine::Action::ExportModels: {
        QCoreApplication core(argc, argv);
        const FileHome home = FileHome::ForProgram(QCoreApplication::applicationDirPath());
        RandomGenerator random;
        const CSlowa words(random);
        const ModelCatalogue catalogue(words.Words());
        return commandLine.action() == CommandLine::Action::ImportModels
                   ? ModelCommands::Import(commandLine.exportFile(), home.modelsFolder(), catalogue)
                   : ModelCommands::Export(commandLine.exportFile(), home.modelsFolder(),
                                           catalogue);
    }
    case CommandLine::Action::Analyse:
        return AnalyseCommand::Run(commandLine.exportFile(), stdout, stderr);
    case CommandLine::Action::Report:
    case CommandLine::Action::Run:
        break;
    }
    // Connected here once, and kept for the screen's measurement below.
    std::unique_ptr<XScreenMeasure> xServer;
    const QString noDisplay = DisplayCheck::Problem(DisplayCheck::ForProcess(typed, [&] {
        xServer = std::make_unique<XScreenMeasure>(ScreenScale::DisplayName(typed));
        return xServer->Connected();
    }));
    if (commandLine.action() == CommandLine::Action::Report) {
        // Without a display the result is only the line on standard output.
        if (!noDisplay.isEmpty()) {
            QCoreApplication core(argc, argv);
            return Startup::RunReport(false);
        }
        QApplication application(argc, argv);
        return Startup::RunReport(true);
    }
    if (reportNoDisplay(noDisplay))
        return Startup::ExitNoDisplay;
    keepOffSessionBusAutolaunch();
    ScreenScale scale = ScreenScale::ChooseBeforeApplication(typed, argc, argv, std::move(xServer));
    Startup::PreloadBeforeApplication(typed, scale.LogicalScreen());
    QApplication application(argc, argv);
    scale.AfterApplication();
    Startup startup;
    startup.SetRequestedChild(commandLine.childName());
    const int status = startup.run();
    // The decoding worker may still be at work (a second start returns at once): it is
    // joined here, before the application object and the program's statics go.
    PicturePreload::Stop();
    return status;
}
