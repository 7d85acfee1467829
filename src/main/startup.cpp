#include "startup.h"

#include "cblad.h"
#include "cdisplay.h"
#include "childroster.h"
#include "cnagrywanie.h"
#include "coresplit.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "desktopidentity.h"
#include "eventpump.h"
#include "filehome.h"
#include "messagebox.h"
#include "mirrorscalefile.h"
#include "modelcatalogue.h"
#include "modelcommands.h"
#include "ownvoice.h"
#include "picturecheck.h"
#include "picturecheckcache.h"
#include "picturepreload.h"
#include "portableseed.h"
#include "practicejournal.h"
#include "practicelog.h"
#include "profilebadge.h"
#include "progressmodule.h"
#include "qttranslation.h"
#include "randomgenerator.h"
#include "resourcereport.h"
#include "settingsstore.h"
#include "singleinstance.h"
#include "soundplayer.h"
#include "tformkomunikat.h"
#include "tformktocwiczy.h"
#include "tformmain.h"
#include "tformoprogramie.h"
#include "tformsplashscreen.h"
#include "windowset.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <utility>

namespace {

const QString MainTitle = QStringLiteral("Wiklotek Cz.I");
const QString ErrorCaption = QStringLiteral("Wiklotek Cz.I - Błąd");

// Puts the folder the program was started in back as the current folder when start-up or the
// run ends, whichever way.
class StartDirectoryGuard {
public:
    explicit StartDirectoryGuard(QString directory) : m_directory(std::move(directory)) {}
    ~StartDirectoryGuard() { QDir::setCurrent(m_directory); }
    const QString& directory() const { return m_directory; }
    StartDirectoryGuard(const StartDirectoryGuard&) = delete;
    StartDirectoryGuard& operator=(const StartDirectoryGuard&) = delete;

private:
    QString m_directory;
};

// Runs a step once the watched window has painted for the first time, from the event loop,
// so that the step's time is not spent before the window is seen.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QObject* window, std::function<void()> step)
        : QObject(window), m_step(std::move(step)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_step) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(m_step, nullptr));
        }
        return false;
    }

private:
    std::function<void()> m_step;
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

// The file or folder behind error 4, named so that the user can mend it: the folder when it is
// missing or cannot be written (the file cannot be made there), else the file.
QString configurationDetail(const FileHome& home) {
    // No home for the user's folder: the folder where it would have been.
    if (home.userFolder().isEmpty())
        return QStringLiteral("Folder: ~/.local/share/wiklotek");
    const QString file = home.settingsFile();
    const QFileInfo folder(QFileInfo(file).absolutePath());
    if (!folder.isDir() || !folder.isWritable())
        return QStringLiteral("Folder: ") + QDir::toNativeSeparators(folder.absoluteFilePath());
    return QStringLiteral("Plik: ") + QDir::toNativeSeparators(file);
}

// Said once a start from a locked portable folder has its menu on the screen: the files the user
// may look for there are not the ones written now.
void showReadOnlyPortableNotice(const FileHome& home, QWidget* owner) {
    const QString text = QStringLiteral("Folder programu jest chroniony przed zapisem.\n\n"
                                        "Ustawienia, statystyki i nagrania są teraz zapisywane "
                                        "w folderze:\n") +
                         QDir::toNativeSeparators(home.userFolder());
    WriteErrorLine(text);
    MessageBox::showWithoutWaiting(owner, text, QStringLiteral("Wiklotek Cz.I - Informacja"),
                                   MessageBox::Icon::Information);
}

// Said once the menu is on the screen: the answers of earlier days are kept in the file named,
// a fresh log goes on from now.
void showLogSetAsideNotice(const PracticeLog& log, QWidget* owner) {
    const QString text =
        QStringLiteral("Dziennik ćwiczeń był uszkodzony i został odłożony jako:\n") +
        QDir::toNativeSeparators(log.SetAsidePath()) +
        QStringLiteral("\n\nOd teraz zapisywany jest nowy dziennik. Statystyki gier są "
                       "zachowane.");
    WriteErrorLine(text);
    MessageBox::showWithoutWaiting(owner, text, QStringLiteral("Wiklotek Cz.I - Informacja"),
                                   MessageBox::Icon::Information);
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

void Startup::PreloadBeforeApplication(const QStringList& arguments, QSize screen) {
    if (isReportMode(arguments) || screen.isEmpty())
        return;
    // Qt takes the first thread that uses it for the main thread; the worker must not be first.
    QThread::currentThread();
    // The program's folder as the application object will give it.
    const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    if (programFolder.isEmpty())
        return;
    const QDir pack(FileHome::ForProgram(programFolder).packFolder());
    // The splash's picture, the menu's canvas (and its background, where the menu's picture
    // does not fill the screen), then the pictures in the order the menu reads them, on a
    // processor of their own until the menu has painted.
    CoreSplit::Begin();
    PicturePreload::Start({pack.filePath(TFormSplashScreen::PictureFile())});
    const CDisplay display(screen);
    PicturePreload::PrepareBuffer(screen);
    if (display.OffsetX != 0 || display.OffsetY != 0)
        PicturePreload::PrepareBuffer(screen);
    QStringList files;
    for (const QString& file : TFormMain::PictureFiles(display))
        files << pack.filePath(file);
    PicturePreload::Start(files);
}

int Startup::run() {
    // Before any window: the desktop ties the windows to the menu entry and its icon, and Qt's
    // own dialogs speak the system's language.
    DesktopIdentity::Apply();
    QtTranslation::Install();
    SingleInstance instance;
    // Long enough for a copy started in the same instant to reach its event loop on a busy
    // machine.
    constexpr int HandOverMs = 5000;
    switch (instance.acquireOrHandOver(HandOverMs)) {
    case SingleInstance::Start::First:
        break;
    case SingleInstance::Start::HandedOver:
        return ExitOk;
    case SingleInstance::Start::NoAnswer: {
        const QString message =
            QStringLiteral("Aplikacja jest aktualnie uruchomiona.\n\nZamknij proces "
                           "aplikajcji lub uruchom ponownie komputer.");
        WriteErrorLine(message);
        MessageBox::show(nullptr, message, MainTitle, MessageBox::Icon::Error);
        return ExitAlreadyRunning;
    }
    }
    instance.setOnRaiseRequested([this] { raiseFrontWindow(); });
    QCoreApplication::setApplicationName(MainTitle);
    // Another child chosen on the menu: the program goes on with that child's files from the
    // splash on, as if started for it.
    int status = ExitOk;
    do {
        m_switchRequested = false;
        status = runProgram();
    } while (m_switchRequested && status == ExitOk);
    return status;
}

QString Startup::ReportFolder(const QString& currentFolder, const QString& userFolder) {
    const QFileInfo current(currentFolder);
    if (current.isDir() && current.isWritable())
        return currentFolder;
    QDir().mkpath(userFolder);
    return userFolder;
}

int Startup::RunReport(bool showBox) {
    // The pack the program reads, portable or installed; the report where the user is, when
    // that folder can be written (a home folder can, /usr/share cannot).
    const FileHome home = FileHome::ForProgram(QCoreApplication::applicationDirPath());
    const QString target = ReportFolder(QDir::currentPath(), home.userFolder());
    StartDirectoryGuard restoreStartDirectory(QDir::currentPath());
    QDir::setCurrent(home.packFolder());
    RandomGenerator random;
    const CSlowa catalogue(random);
    ResourceReport::Result result = ResourceReport::Run(catalogue, target);
    const QString pack = QDir(home.packFolder()).filePath(QStringLiteral("Data"));
    int status = ExitOk;
    switch (result.outcome) {
    case ResourceReport::Outcome::AllPresent:
        printLine(QStringLiteral("wiklotek report: all word resources exist in %1").arg(pack));
        break;
    case ResourceReport::Outcome::ReportWritten:
        printLine(QStringLiteral("wiklotek report: %1 files missing in %2, report written to %3")
                      .arg(result.missing.size())
                      .arg(pack, result.reportPath));
        status = ExitReportMissing;
        break;
    case ResourceReport::Outcome::ReportFailed:
        printLine(QStringLiteral("wiklotek report: %1 files missing in %2, report could not be "
                                 "written to %3")
                      .arg(result.missing.size())
                      .arg(pack, result.reportPath));
        status = ExitReportFailed;
        break;
    }
    // The therapist's own recordings stand in for the pack's sounds: the report counts them.
    const QString models =
        ModelCommands::CensusText(ModelCatalogue(catalogue.Words()), home.modelsFolder());
    printLine(QStringLiteral("wiklotek report: ") + models);
    result.message += QStringLiteral("\n\n") + models;
    // A report written away from the folder the user started in says where it is.
    if (result.outcome != ResourceReport::Outcome::AllPresent &&
        QDir(target) != QDir(restoreStartDirectory.directory()))
        result.message += QStringLiteral("\n\nFolder: ") + QDir::toNativeSeparators(target);
    if (showBox)
        MessageBox::show(nullptr, result.message, result.caption, boxIcon(result.icon));
    return status;
}

std::optional<ChildRoster::Profile> Startup::chooseProfile(ChildRoster& roster,
                                                           const CDisplay& display) {
    if (const std::optional<ChildRoster::Profile> next = std::exchange(m_nextProfile, {}))
        return next;
    if (const std::optional<QString> name = std::exchange(m_requestedChild, {})) {
        std::optional<ChildRoster::Profile> child = roster.FindOrAdd(*name);
        if (!child)
            WriteErrorLine(QStringLiteral("--child: ") + roster.LastProblem());
        return child;
    }
    if (!roster.HasChildren())
        return ChildRoster::Guest();
    TFormKtoCwiczy chooser(display, roster, std::nullopt);
    if (m_splash)
        m_splash->hide();
    chooser.exec();
    if (m_splash)
        m_splash->show();
    return chooser.Chosen().value_or(ChildRoster::Guest());
}

void Startup::askForAnotherProfile(ChildRoster& roster, const CDisplay& display,
                                   const ChildRoster::Profile& current) {
    TFormKtoCwiczy chooser(display, roster, current, m_mainWindow);
    chooser.exec();
    std::optional<ChildRoster::Profile> next = chooser.Chosen();
    // The child practising was removed meanwhile: its files are gone, the guest goes on.
    if (!next && current.id) {
        const std::vector<ChildRoster::Profile> profiles = roster.Profiles();
        if (std::find(profiles.begin(), profiles.end(), current) == profiles.end())
            next = ChildRoster::Guest();
    }
    if (!next || *next == current)
        return;
    m_nextProfile = next;
    m_switchRequested = true;
    m_mainWindow->close();
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

bool Startup::runDeferred(const std::function<void()>& step) {
    if (m_deferredError)
        return false;
    try {
        step();
        return true;
    } catch (...) {
        // Nothing may be thrown through Qt's event handling: every event loop ends, and the
        // entry raises the error again once the menu's loop has returned.
        m_deferredError = std::current_exception();
        QCoreApplication::exit(ExitCritical);
        return false;
    }
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
    // The therapist's own recordings are played wherever a word or phrase is spoken.
    OwnVoice::SetFolder(home.modelsFolder());

    // First phase: the checks that need nothing but the screen and the settings file, with the
    // splash on screen.
    // The practice log holds the children; the profile chosen decides where the settings,
    // statistics and recordings are.
    PracticeLog log(home.logFile());
    ChildRoster roster(log, home);
    ChildRoster::Profile profile = ChildRoster::Guest();
    FileHome profileHome = home;
    std::unique_ptr<SettingsStore> settingsOwner;
    // The settings' write at start-up (the launch count) waits for the disk: it goes on on
    // another thread while the menu is made, and its failure is still error 4, ahead of any
    // error of the second phase.
    std::future<bool> settingsWritten;
    bool settingsSaved = true;
    const auto settingsWriteFailed = [&] {
        if (settingsWritten.valid())
            settingsSaved = settingsWritten.get();
        return !settingsSaved;
    };
    try {
        QDir::setCurrent(home.packFolder());
        // The menu's pictures are decoded on another thread while the splash is made (unless
        // that began before the application object, for this very screen).
        PicturePreload::Start(TFormMain::PictureFiles(display));
        m_splash = std::make_unique<TFormSplashScreen>(display);
        m_splash->setAttribute(Qt::WA_QuitOnClose, false);
        m_splash->show();
        ProcessMessages();
        if (display.ScreenTooSmall())
            throw CBlad(2);
        QDir::setCurrent(home.packFolder());
        std::function<bool()> writeBack;
        if (home.Prepare()) {
            if (!home.logFile().isEmpty() && !log.Open())
                WriteErrorLine(QStringLiteral("Dziennik ćwiczeń nie jest dostępny: ") +
                               log.LastError());
            const std::optional<ChildRoster::Profile> chosen = chooseProfile(roster, display);
            if (!chosen)
                return CommandLineUsage;
            profile = *chosen;
            profileHome = roster.HomeOf(profile);
            // A child's name is in its files: what is made for a child is its user's alone.
            // The guest's files are made as they always were.
            static const mode_t usualMask = ::umask(0);
            ::umask(profile.id ? (usualMask | 077) : usualMask);
            if (profileHome.Prepare()) {
                if (!profile.id)
                    PortableSeed::Settings(home);
                settingsOwner = std::make_unique<SettingsStore>(profileHome.settingsFile());
                writeBack = settingsOwner->LoadAllWritingLater();
            }
        }
        if (!writeBack)
            throw CBlad(4, configurationDetail(profileHome));
        settingsWritten = std::async(std::launch::async, std::move(writeBack));
    } catch (const CBlad& error) {
        ShowError(error, messageOwner());
        return error.ErrorCode;
    } catch (const std::exception&) {
        return showCritical();
    }
    SettingsStore& settings = *settingsOwner;

    // Second phase: the objects that live for the whole run and the menu, then the message
    // loop until the menu closes. The other windows are made when first needed (the notice
    // and the summary right after the menu's first paint); their pictures are checked here,
    // on another thread while the menu is being made, so that a missing one still ends the
    // program with error 1 before the menu shows or anything plays. The statistics file and the
    // windows that write it come after both checks: a start ending in error 4 or 1 creates no
    // user file beyond the settings.
    int status = ExitOk;
    try {
        std::future<QStringList> unreadable =
            std::async(std::launch::async,
                       [folder = home.packFolder(),
                        files = WindowSet::PictureFiles(display) + TFormMain::LaterPictureFiles()] {
                           CoreSplit::EnterWorker();
                           // Unchanged pictures found whole at an earlier start are not
                           // decoded again; the pack is the same from one start to the next.
                           PictureCheckCache cache(PictureCheckCache::DefaultPath());
                           cache.Load();
                           QStringList unreadable = PictureCheck::Unreadable(folder, files, &cache);
                           if (unreadable.isEmpty())
                               cache.Save();
                           return unreadable;
                       });
        RandomGenerator random;
        // The sound device is opened once the menu is on the screen (below).
        SoundPlayer player;
        CSlowa catalogue(random);
        CNagrywanie recorder({}, {});
        // Before the statistics, which tell it every run and answer until they go.
        PracticeJournal journal(log.IsOpen() ? &log : nullptr, profile.id);
        std::unique_ptr<CStatRec> statistics;

        std::unique_ptr<WindowSet> windows;
        auto mainWindow = std::make_unique<TFormMain>(
            display, settings, catalogue,
            [this, &windows](int code) {
                TFormKomunikat* notice = nullptr;
                if (runDeferred([&] { notice = &windows->Notice(); }))
                    notice->ShowNotice(code);
            },
            recorder, profileHome.recordingsFolder());
        m_mainWindow = mainWindow.get();
        // A window made on first use: an error while making it ends the run as at start-up.
        const auto deferred = [this](std::function<Form*()> make) {
            return [this, make = std::move(make)]() -> Form* {
                Form* window = nullptr;
                runDeferred([&] { window = make(); });
                return window;
            };
        };
        for (int tab = 1; tab <= 4; ++tab)
            mainWindow->SetGameWindow(tab,
                                      deferred([&windows, tab] { return windows->Game(tab); }));
        mainWindow->SetAboutWindow(deferred([&windows] { return &windows->About(); }));
        mainWindow->SetProgressWindow(deferred([&windows] { return windows->Progress(); }));
        mainWindow->SetModelsWindow(deferred([&windows] { return windows->Models(); }));
        mainWindow->SetMirrorWindow(deferred([&windows] { return windows->Mirror(); }));
        mainWindow->SetOnFirstShown([this, &home, &log] {
            destroySplash();
            if (!home.readOnlyPortable().userFolder().isEmpty())
                showReadOnlyPortableNotice(home, m_mainWindow);
            if (log.WasSetAside())
                showLogSetAsideNotice(log, m_mainWindow);
        });
        auto* badge = new ProfileBadge(display, profile, mainWindow.get());
        QObject::connect(badge, &ProfileBadge::clicked, badge, [this, &roster, &display, profile] {
            askForAnotherProfile(roster, display, profile);
        });

        if (settingsWriteFailed())
            throw CBlad(4, configurationDetail(profileHome));
        const QStringList missing = unreadable.get();
        if (!missing.isEmpty()) {
            std::fprintf(stderr, "wiklotek: missing or unreadable picture %s\n",
                         qUtf8Printable(missing.first()));
            throw CBlad(1);
        }
        if (!profile.id)
            PortableSeed::Records(home, CStatRec::FileName(1));
        statistics = std::make_unique<CStatRec>(1, profileHome.userFolder());
        // Once per file, so that the log's history begins where the statistics file's does.
        if (log.IsOpen() && !log.IsReadOnly() &&
            !log.ImportStatFile(statistics->FilePath(), profile.id))
            WriteErrorLine(QStringLiteral("Statystyki nie weszły do dziennika ćwiczeń: ") +
                           log.LastError());
        statistics->SetAnswerSink(&journal);
        ProgressSources progress;
        progress.logPath = home.logFile();
        progress.statisticsPath = QFileInfo(statistics->FilePath()).absoluteFilePath();
        progress.childId = profile.id;
        progress.childName = profile.name;
        progress.ownPaths =
            profileHome.OwnPaths(QCoreApplication::applicationFilePath(), ProgressModule::Places())
            << home.OwnPaths(QCoreApplication::applicationFilePath(), {}) << home.logFile()
            << home.childrenFolder();
        windows = std::make_unique<WindowSet>(display, catalogue, *statistics, settings, player,
                                              random, mainWindow.get(), std::move(progress));
        windows->SetModelsFolder(home.modelsFolder());
        if (!profileHome.userFolder().isEmpty())
            windows->SetMirrorScaleFile(
                QDir(profileHome.userFolder()).filePath(MirrorScaleFile::FileName()));

        // The recordings list and the windows every start is likely to need are made once the
        // menu is on the screen.
        auto* afterPaint = new FirstPaintWatcher(mainWindow.get(), [this, &windows, &player] {
            // Once the X server has put the menu on the screen: the work below would otherwise
            // take the processors it needs for that (a screen-size picture to copy).
            QGuiApplication::sync();
            CoreSplit::End();
            // On a thread of its own, while the rest is made; the menu's music is the first
            // sound and is read after this.
            player.PrepareDevice();
            runDeferred([&] {
                m_mainWindow->MakeRecordingsList();
                windows->Notice();
                windows->Summary();
            });
        });
        mainWindow->installEventFilter(afterPaint);
        mainWindow->show();
        QApplication::exec();
        if (m_deferredError) {
            // The menu goes before the message, as it would had the window failed at start.
            mainWindow->hide();
            std::rethrow_exception(std::exchange(m_deferredError, nullptr));
        }
        m_mainWindow = nullptr;
    } catch (const CBlad& error) {
        m_mainWindow = nullptr;
        const CBlad shown =
            settingsWriteFailed() ? CBlad(4, configurationDetail(profileHome)) : error;
        ShowError(shown, messageOwner());
        status = shown.ErrorCode;
    } catch (const std::exception&) {
        m_mainWindow = nullptr;
        status = showCritical();
    }
    destroySplash();
    CoreSplit::End();
    return status;
}
