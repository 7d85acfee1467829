#include "commandline.h"
#include "cstatrec.h"
#include "filehome.h"
#include "picturepreload.h"
#include "progressexport.h"
#include "screenscale.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

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

} // namespace

int main(int argc, char** argv) {
    // "-reverse z" must not be taken for "z": the application object drops its own options.
    const QStringList typed = Startup::typedArguments(argc, argv);
    // --help and --version answer in a terminal without a display, so before the application
    // object, which would need one.
    const CommandLine commandLine(typed);
    if (commandLine.answersWithoutDisplay()) {
        std::fputs(commandLine.answer().toUtf8().constData(), stdout);
        if (!commandLine.answer().endsWith(u'\n'))
            std::fputc('\n', stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // The CSV export needs no display either: it reads the statistics file where this user's
    // runs of the program keep it.
    if (ProgressExport::IsRequested(typed)) {
        QCoreApplication core(argc, argv);
        const FileHome home = FileHome::ForProgram(QCoreApplication::applicationDirPath());
        return ProgressExport::Run(typed, QDir(home.userFolder()).filePath(CStatRec::FileName(1)));
    }
    keepOffSessionBusAutolaunch();
    ScreenScale scale = ScreenScale::ChooseBeforeApplication(typed, argc, argv);
    Startup::PreloadBeforeApplication(typed, scale.LogicalScreen());
    QApplication application(argc, argv);
    scale.AfterApplication();
    Startup startup;
    const int status = startup.run(typed);
    // The decoding worker may still be using the toolkit's image plugins (a second start
    // returns at once): it ends while they exist.
    PicturePreload::Stop();
    return status;
}
