#include "startup.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cnagrywanie.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "eventpump.h"
#include "filehome.h"
#include "messagebox.h"
#include "randomgenerator.h"
#include "resourcereport.h"
#include "settingsstore.h"
#include "singleinstance.h"
#include "soundplayer.h"
#include "tfmkoniecgry.h"
#include "tfmmemory.h"
#include "tfmpodpisywanie.h"
#include "tfmspadajace.h"
#include "tfmuzupelnianie.h"
#include "tformkomunikat.h"
#include "tformmain.h"
#include "tformoprogramie.h"
#include "tformpostepy.h"
#include "tformsplashscreen.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>
#include <cstdio>
#include <memory>

namespace {

const QString MainTitle = QStringLiteral("Wiklotek Cz.I");
const QString ErrorCaption = QStringLiteral("Wiklotek Cz.I - Błąd");

// Puts the folder the program was started in back as the current folder when start-up or the
// run ends, whichever way.
class StartDirectoryGuard {
public:
    explicit StartDirectoryGuard(QString directory) : m_directory(std::move(directory)) {}
    ~StartDirectoryGuard() { QDir::setCurrent(m_directory); }
    StartDirectoryGuard(const StartDirectoryGuard&) = delete;
    StartDirectoryGuard& operator=(const StartDirectoryGuard&) = delete;

private:
    QString m_directory;
};

void printLine(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

MessageBox::Icon boxIcon(ResourceReport::Icon icon) {
    switch (icon) {
    case ResourceReport::Icon::Information:
        return MessageBox::Icon::Information;
    case ResourceReport::Icon::Warning:
        return MessageBox::Icon::Warning;
    case ResourceReport::Icon::Critical:
        break;
    }
    return MessageBox::Icon::Error;
}

} // namespace

Startup::Startup() = default;
Startup::~Startup() = default;

QStringList Startup::typedArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool Startup::isReportMode(const QStringList& arguments) {
    return arguments.size() > 1 && arguments.at(1) == QLatin1String("z");
}

int Startup::run(const QStringList& arguments) {
    // The report runs in the folder the program was started in, before any other step: no
    // single-instance check, no splash, no windows.
    if (isReportMode(arguments))
        return runReport();

    SingleInstance instance;
    if (!instance.tryAcquire()) {
        if (instance.askRunningToRaise(3000))
            return ExitOk;
        const QString message =
            QStringLiteral("Aplikacja jest aktualnie uruchomiona.\n\nZamknij proces "
                           "aplikajcji lub uruchom ponownie komputer.");
        WriteErrorLine(message);
        MessageBox::show(nullptr, message, MainTitle, MessageBox::Icon::Error);
        return ExitAlreadyRunning;
    }
    instance.setOnRaiseRequested([this] { raiseFrontWindow(); });
    QCoreApplication::setApplicationName(MainTitle);
    return runProgram();
}

int Startup::runReport() {
    RandomGenerator random;
    const CSlowa catalogue(random);
    const ResourceReport::Result result = ResourceReport::Run(catalogue, QDir::currentPath());
    int status = ExitOk;
    switch (result.outcome) {
    case ResourceReport::Outcome::AllPresent:
        printLine(QStringLiteral("wiklotek report: all word resources exist"));
        break;
    case ResourceReport::Outcome::ReportWritten:
        printLine(QStringLiteral("wiklotek report: %1 files missing, report written to %2")
                      .arg(result.missing.size())
                      .arg(result.reportPath));
        status = ExitReportMissing;
        break;
    case ResourceReport::Outcome::ReportFailed:
        printLine(QStringLiteral("wiklotek report: %1 files missing, report could not be written "
                                 "to %2")
                      .arg(result.missing.size())
                      .arg(result.reportPath));
        status = ExitReportFailed;
        break;
    }
    MessageBox::show(nullptr, result.message, result.caption, boxIcon(result.icon));
    return status;
}

QWidget* Startup::messageOwner() const {
    if (m_splash)
        return m_splash.get();
    return nullptr;
}

void Startup::raiseFrontWindow() {
    // The window the user works in: a modal window (a game, the summary, a notice, a message)
    // blocks everything under it, so raising the menu over it would look like a frozen program.
    QWidget* front = QApplication::activeModalWidget();
    if (!front)
        front = m_splash ? static_cast<QWidget*>(m_splash.get()) : m_mainWindow;
    if (front) {
        front->show();
        front->raise();
        front->activateWindow();
    }
}

void Startup::destroySplash() {
    m_splash.reset();
}

int Startup::showCritical() {
    const QString message = QStringLiteral("Wystąpił błąd krytyczny aplikacji!");
    WriteErrorLine(message);
    MessageBox::show(messageOwner(), message, ErrorCaption, MessageBox::Icon::Error);
    return ExitCritical;
}

int Startup::runProgram() {
    m_startDirectory = QDir::currentPath();
    m_programDirectory = QCoreApplication::applicationDirPath();
    StartDirectoryGuard restoreStartDirectory(m_startDirectory);
    const CDisplay display = CDisplay::fromPrimaryScreen();
    // Beside the program (portable) or in the user's data folder (installed): every path of
    // the user's files below comes from here; the pack's folder becomes the working folder.
    const FileHome home = FileHome::ForProgram(m_programDirectory);

    // First phase: the checks that need nothing but the screen and the settings file, with the
    // splash on screen.
    SettingsStore settings(home.settingsFile());
    try {
        QDir::setCurrent(home.packFolder());
        m_splash = std::make_unique<TFormSplashScreen>(display);
        m_splash->setAttribute(Qt::WA_QuitOnClose, false);
        m_splash->show();
        ProcessMessages();
        if (display.ScreenTooSmall())
            throw CBlad(2);
        QDir::setCurrent(home.packFolder());
        if (!home.Prepare() || !settings.LoadAll())
            throw CBlad(4);
    } catch (const CBlad& error) {
        ShowError(error, messageOwner());
        return error.ErrorCode;
    } catch (const std::exception&) {
        return showCritical();
    }

    // Second phase: the objects and windows that live for the whole run, then the message
    // loop until the menu closes.
    int status = ExitOk;
    try {
        RandomGenerator random;
        SoundPlayer player;
        CSlowa catalogue(random);
        CStatRec statistics(1, home.userFolder());
        CNagrywanie recorder({}, {});

        std::unique_ptr<TFormKomunikat> notice;
        auto mainWindow = std::make_unique<TFormMain>(
            display, settings, catalogue, [&notice](int code) { notice->ShowNotice(code); },
            recorder, home.recordingsFolder());
        m_mainWindow = mainWindow.get();
        notice = std::make_unique<TFormKomunikat>(display);
        // Every game window shows the summary, so it exists before them.
        auto summary = std::make_unique<TfmKoniecGry>(display, statistics);
        summary->SetMainWindow(mainWindow.get());
        auto memory = std::make_unique<TfmMemory>(display, catalogue, statistics, settings.memory,
                                                  player, random, *summary);
        auto labelling = std::make_unique<TfmPodpisywanie>(
            display, catalogue, statistics, settings.labelling, player, random, *summary);
        auto completing = std::make_unique<TfmUzupelnianie>(
            display, catalogue, statistics, settings.completing, player, random, *summary);
        auto falling = std::make_unique<TfmSpadajace>(display, catalogue, statistics,
                                                      settings.falling, player, random, *summary);
        auto about = std::make_unique<TFormOProgramie>(display);
        auto progress = std::make_unique<TFormPostepy>(
            display, QFileInfo(statistics.FilePath()).absoluteFilePath());
        for (QWidget* window : std::initializer_list<QWidget*>{
                 notice.get(), summary.get(), memory.get(), labelling.get(), completing.get(),
                 falling.get(), about.get(), progress.get()})
            window->setAttribute(Qt::WA_QuitOnClose, false);

        mainWindow->SetGameWindow(1, labelling.get());
        mainWindow->SetGameWindow(2, memory.get());
        mainWindow->SetGameWindow(3, completing.get());
        mainWindow->SetGameWindow(4, falling.get());
        mainWindow->SetAboutWindow(about.get());
        mainWindow->SetProgressWindow(progress.get());
        mainWindow->SetOnFirstShown([this] { destroySplash(); });
        mainWindow->show();
        QApplication::exec();
        m_mainWindow = nullptr;
    } catch (const CBlad& error) {
        m_mainWindow = nullptr;
        ShowError(error, messageOwner());
        status = error.ErrorCode;
    } catch (const std::exception&) {
        m_mainWindow = nullptr;
        status = showCritical();
    }
    destroySplash();
    return status;
}
