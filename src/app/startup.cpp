#include "startup.h"

#include "cblad.h"
#include "cdisplay.h"
#include "cslowa.h"
#include "eventpump.h"
#include "messagebox.h"
#include "randomgenerator.h"
#include "resourcereport.h"
#include "settingsstore.h"
#include "singleinstance.h"
#include "soundplayer.h"

#include <QCoreApplication>
#include <QDir>
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
        MessageBox::show(nullptr,
                         QStringLiteral("Aplikacja jest aktualnie uruchomiona.\n\nZamknij proces "
                                        "aplikajcji lub uruchom ponownie komputer."),
                         MainTitle, MessageBox::Icon::Error);
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
    return nullptr;
}

void Startup::raiseFrontWindow() {
    if (QWidget* front = messageOwner()) {
        front->show();
        front->raise();
        front->activateWindow();
    }
}

int Startup::runProgram() {
    m_startDirectory = QDir::currentPath();
    m_programDirectory = QCoreApplication::applicationDirPath();
    StartDirectoryGuard restoreStartDirectory(m_startDirectory);

    // First phase: the checks that need nothing but the screen and the settings file.
    SettingsStore settings(m_programDirectory + QStringLiteral("/Data/data.ini"));
    try {
        QDir::setCurrent(m_programDirectory);
        ProcessMessages();
        const CDisplay display = CDisplay::fromPrimaryScreen();
        if (display.ScreenTooSmall())
            throw CBlad(2);
        QDir::setCurrent(m_programDirectory);
        if (!settings.LoadAll())
            throw CBlad(4);
    } catch (const CBlad& error) {
        ShowError(error, messageOwner());
        return error.ErrorCode;
    } catch (const std::exception&) {
        MessageBox::show(messageOwner(), QStringLiteral("Wystąpił błąd krytyczny aplikacji!"),
                         ErrorCaption, MessageBox::Icon::Error);
        return ExitCritical;
    }

    // Second phase: the objects that live for the whole run.
    int status = ExitOk;
    try {
        const CDisplay display = CDisplay::fromPrimaryScreen();
        RandomGenerator random;
        SoundPlayer player;
        auto catalogue = std::make_unique<CSlowa>(random);
        (void)display;
        // Closing the menu stores every game's choice; the repaired values are kept too.
        if (!settings.SaveAll())
            throw CBlad(4);
    } catch (const CBlad& error) {
        ShowError(error, messageOwner());
        status = error.ErrorCode;
    } catch (const std::exception&) {
        MessageBox::show(messageOwner(), QStringLiteral("Wystąpił błąd krytyczny aplikacji!"),
                         ErrorCaption, MessageBox::Icon::Error);
        status = ExitCritical;
    }
    return status;
}
