#include "tformmain.h"

#include "cblad.h"
#include "ccheckbut.h"
#include "cdisplay.h"
#include "cnagrywanie.h"
#include "cobiektgraficzny.h"
#include "cprzyciskp.h"
#include "cslowa.h"
#include "eventpump.h"
#include "hitarea.h"
#include "imageloader.h"
#include "materialcheck.h"
#include "picturecheck.h"
#include "picturepreload.h"
#include "settingsstore.h"
#include "widgetpictures.h"
#include "wordbits.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <span>
#include <utility>

namespace {

const QString Title = QStringLiteral("Wiklotek Cz.I");

constexpr std::uint16_t SoundBits[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh};
constexpr std::uint16_t PositionBits[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};

// What the menu is made from, in the order it reads it: the background, the tab strip
// (TabPictureFiles), the captions, its own buttons, the recordings panel's, the music switch,
// then the game tabs' check buttons. PictureFiles lists the same.
QString backgroundFile(const CDisplay& display) {
    return QStringLiteral("Data/Intf/Spec/mT_m0") + display.Suffix() + ".xji";
}

// Library pictures named with the screen's suffix: tasks, sounds, position.
const char* const CaptionNames[] = {"nap_ilzadan", "nap_gloski", "nap_pozycja"};

QString captionName(const char* caption, const CDisplay& display) {
    return QLatin1String(caption) + display.Suffix();
}

struct MenuButton {
    const char* name;
    QPoint (MenuLayout::*at)() const;
    void (TFormMain::*action)();
};
// Made before the recordings panel's.
constexpr MenuButton OwnButtons[] = {{"oprogramie", &MenuLayout::About, &TFormMain::A_Oprogramie},
                                     {"postepy", &MenuLayout::Progress, &TFormMain::A_Postepy},
                                     {"wyjdz", &MenuLayout::Exit, &TFormMain::A_Stop},
                                     {"start", &MenuLayout::Start, &TFormMain::A_Start},
                                     {"wzorce", &MenuLayout::Models, &TFormMain::A_Wzorce},
                                     {"lusterko", &MenuLayout::Mirror, &TFormMain::A_Lusterko}};
// After them: the speaker shown while the music is on, and the crossed one; both at one place.
constexpr MenuButton MusicButtons[] = {{"muzyka", &MenuLayout::Music, &TFormMain::A_Muzyka},
                                       {"muzykawyl", &MenuLayout::Music, &TFormMain::A_Muzyka}};

// The game tabs' check buttons, named with the screen's prefix, in groups the layout places:
// task counts, sounds, positions.
struct CheckButton {
    const char* name;
    void (TFormMain::*action)();
};
constexpr CheckButton LevelButtons[] = {
    {"malo", &TFormMain::A_Malo}, {"srednio", &TFormMain::A_Srednio}, {"duzo", &TFormMain::A_Duzo}};
constexpr CheckButton SoundButtons[] = {{"SZ", &TFormMain::A_S},
                                        {"ZZ", &TFormMain::A_Z},
                                        {"CZ", &TFormMain::A_C},
                                        {"DZZ", &TFormMain::A_DZ}};
constexpr CheckButton PositionButtons[] = {{"naglos", &TFormMain::A_Naglos},
                                           {"srodglos", &TFormMain::A_Srodglos},
                                           {"wyglos", &TFormMain::A_Wyglos}};
struct CheckGroup {
    std::span<const CheckButton> buttons;
    QPoint (MenuLayout::*at)(int) const;
};
constexpr CheckGroup CheckGroups[] = {{LevelButtons, &MenuLayout::Level},
                                      {SoundButtons, &MenuLayout::Sound},
                                      {PositionButtons, &MenuLayout::Position}};

QString checkName(const CheckButton& button, const CDisplay& display) {
    return (display.IsSmall() ? QStringLiteral("s_") : QStringLiteral("b_")) +
           QLatin1String(button.name);
}

// Interface pictures read straight from their files; a missing or broken one is error 1.
QImage loadPicture(const QString& path, bool jpeg) {
    try {
        return jpeg ? loadJpegFile(path) : loadBmpFile(path);
    } catch (const ImageLoadError&) {
        throw CBlad(1);
    }
}

QRect controlRect(const CCheckBut& button, HitArea& control) {
    return {button.X(), button.Y(), control.width(), control.height()};
}

} // namespace

TFormMain::TFormMain(const CDisplay& display, SettingsStore& settings, CSlowa& catalogue,
                     std::function<void(int)> showNotice, CNagrywanie& recorder,
                     const QString& recordingsFolder)
    : m_display(display), m_settings(settings), m_catalogue(catalogue),
      m_showNotice(std::move(showNotice)), m_recorder(recorder),
      m_layout(display.OffsetX, display.OffsetY, display.DesignWidth, display.DesignHeight,
               display.IsSmall()) {
    setWindowTitle(Title);
    // Frameless and exactly the screen: without a window manager nothing else would size it.
    setGeometry(0, 0, display.ScreenWidth, display.ScreenHeight);
    canvas().setBrushColor(Qt::black);

    const QImage menu = loadPicture(backgroundFile(display), true);
    if (menu.size() == QSize(display.ScreenWidth, display.ScreenHeight) && display.OffsetX == 0 &&
        display.OffsetY == 0) {
        // The usual case: the picture is the screen, so it becomes the background as it is,
        // without a second screen-size image to fill and copy on the way to the first paint.
        m_background = menu.convertToFormat(QImage::Format_RGB32);
    } else {
        // A black image may have been made ready on the picture thread.
        const QSize screen(display.ScreenWidth, display.ScreenHeight);
        m_background = PicturePreload::TakeBuffer(screen).value_or(QImage());
        if (m_background.isNull())
            m_background = QImage(screen, QImage::Format_RGB32);
        m_background.fill(Qt::black);
        QPainter p(&m_background);
        p.drawImage(display.OffsetX, display.OffsetY, menu);
    }
    // The first tab's picture sizes the strip and the current one is drawn at once; the others
    // are only looked at here and read when first shown.
    const QStringList tabFiles = TabPictureFiles(display);
    m_tabPictures[0] = loadPicture(tabFiles.at(0), false);
    for (int tab = 2; tab <= MenuLayout::TabCount; ++tab) {
        if (tab == CurrentTab())
            m_tabPictures[tab - 1] = loadPicture(tabFiles.at(tab - 1), false);
        else if (!PictureCheck::Readable(tabFiles.at(tab - 1)))
            throw CBlad(1);
    }

    m_captionTasks = std::make_unique<CObiektGraficzny>(captionName(CaptionNames[0], display));
    m_captionSounds = std::make_unique<CObiektGraficzny>(captionName(CaptionNames[1], display));
    m_captionPosition = std::make_unique<CObiektGraficzny>(captionName(CaptionNames[2], display));
    const int wg = m_captionSounds->Width();
    const int wp = m_captionPosition->Width();
    const QPoint tasksAt = m_layout.TasksCaption(wg);
    const QPoint soundsAt = m_layout.SoundsCaption(wg);
    const QPoint positionAt = m_layout.PositionCaption(wp);
    m_captionTasks->SetPosition(tasksAt.x(), tasksAt.y());
    m_captionSounds->SetPosition(soundsAt.x(), soundsAt.y());
    m_captionPosition->SetPosition(positionAt.x(), positionAt.y());
    for (CObiektGraficzny* caption : {&*m_captionTasks, &*m_captionSounds, &*m_captionPosition})
        caption->SaveBackground(m_background);

    Canvas& front = canvas();
    auto button = [&](const MenuButton& b) {
        const QPoint at = (m_layout.*b.at)();
        return std::make_unique<CPrzyciskP>(*this, QString::fromLatin1(b.name), front, m_background,
                                            at.x(), at.y(),
                                            [this, action = b.action] { (this->*action)(); });
    };
    m_about = button(OwnButtons[0]);
    m_progress = button(OwnButtons[1]);
    m_exit = button(OwnButtons[2]);
    m_start = button(OwnButtons[3]);
    m_models = button(OwnButtons[4]);
    m_mirror = button(OwnButtons[5]);
    m_recordings = std::make_unique<RecordingsPanel>(
        *this, m_background, display, m_layout, m_recorder, recordingsFolder, m_showNotice,
        std::vector<CPrzyciskP*>{&*m_about, &*m_progress, &*m_exit, &*m_models, &*m_mirror});
    m_musicOn = button(MusicButtons[0]);
    m_musicOff = button(MusicButtons[1]);
    showMusicSwitch();

    static_assert(std::size(LevelButtons) == std::tuple_size_v<decltype(m_levels)> &&
                  std::size(SoundButtons) == std::tuple_size_v<decltype(m_sounds)> &&
                  std::size(PositionButtons) == std::tuple_size_v<decltype(m_positions)>);
    const std::span<std::unique_ptr<CCheckBut>> groups[] = {m_levels, m_sounds, m_positions};
    for (std::size_t g = 0; g < std::size(CheckGroups); ++g) {
        const CheckGroup& group = CheckGroups[g];
        for (std::size_t i = 0; i < group.buttons.size(); ++i) {
            const CheckButton& b = group.buttons[i];
            const QPoint at = (m_layout.*group.at)(static_cast<int>(i));
            groups[g][i] =
                std::make_unique<CCheckBut>(*this, checkName(b, display), front, at.x(), at.y(),
                                            [this, action = b.action] { (this->*action)(); });
        }
    }

    const QPoint strip = m_layout.TabStrip();
    m_tabStrip = new HitArea(this);
    m_tabStrip->setGeometry(strip.x(), strip.y(), m_tabPictures[0].width(),
                            m_tabPictures[0].height());
    m_tabStrip->setHook([this](HitEvent event, const QPoint& pos) {
        if (event == HitEvent::LeftDown)
            TabPressed(pos.y());
        return false;
    });
    m_tabStrip->lower(); // the strip never covers a button
    A_Zakladka();
}

TFormMain::~TFormMain() {
    // Settings go to disk before anything else is torn down.
    m_settings.SaveNow();
    // The recorder outlives the window: the panel lets go of its handlers first, then closing
    // the device saves a recording under way.
    m_recordings.reset();
    m_recorder.CloseDevice();
}

void TFormMain::SetGameWindow(int tab, Form* window) {
    SetGameWindow(tab, window ? WindowSource([window] { return window; }) : WindowSource());
}

void TFormMain::SetAboutWindow(Form* about) {
    SetAboutWindow(about ? WindowSource([about] { return about; }) : WindowSource());
}

void TFormMain::SetGameWindow(int tab, WindowSource source) {
    if (tab >= 1 && tab <= 4)
        m_gameWindows[tab - 1] = std::move(source);
}

void TFormMain::SetAboutWindow(WindowSource source) {
    m_aboutWindow = std::move(source);
}

void TFormMain::SetProgressWindow(Form* progress) {
    SetProgressWindow(progress ? WindowSource([progress] { return progress; }) : WindowSource());
}

void TFormMain::SetModelsWindow(WindowSource source) {
    m_modelsWindow = std::move(source);
}

void TFormMain::SetMirrorWindow(WindowSource source) {
    m_mirrorWindow = std::move(source);
}

void TFormMain::SetProgressWindow(WindowSource source) {
    m_progressWindow = std::move(source);
}

void TFormMain::SetOnFirstShown(std::function<void()> fn) {
    m_onFirstShown = std::move(fn);
}

int TFormMain::CurrentTab() const {
    return m_settings.currentTab;
}

CUstGry& TFormMain::CurrentSettings() {
    CUstGry* record = m_settings.ForTab(m_settings.currentTab);
    return record ? *record : m_settings.falling;
}

void TFormMain::invalidateWhole() {
    ++m_wholeRepaints;
    update();
}

void TFormMain::eraseRect(const QRect& rect) {
    canvas().copyFrom(rect, m_background, rect.topLeft());
}

void TFormMain::A_Zakladka() {
    if (CurrentTab() == MenuLayout::RecordingsTab) {
        for (auto* group :
             {&m_levels[0], &m_levels[1], &m_levels[2], &m_sounds[0], &m_sounds[1], &m_sounds[2],
              &m_sounds[3], &m_positions[0], &m_positions[1], &m_positions[2]}) {
            (*group)->Hide();
            eraseRect(controlRect(**group, (*group)->control()));
        }
        m_captionTasks->Restore(canvas());
        m_captionSounds->Restore(canvas());
        m_captionPosition->Restore(canvas());
        m_recordings->Show();
        m_start->Hide();
        drawTab();
        if (++m_panelShows <= 4)
            invalidateWhole();
    } else {
        m_recordings->Hide();
        m_start->Show();
        drawTab();
        const CUstGry& record = CurrentSettings();
        for (int i = 0; i < 3; ++i) {
            m_levels[i]->Show();
            m_levels[i]->SetOn(record.IsLevel(static_cast<std::int16_t>(i + 1)) ? 1 : 0);
        }
        for (int i = 0; i < 4; ++i) {
            m_sounds[i]->Show();
            m_sounds[i]->SetOn(record.HasSound(SoundBits[i]) ? 1 : 0);
        }
        for (int i = 0; i < 3; ++i) {
            m_positions[i]->Show();
            m_positions[i]->SetOn(record.HasPosition(PositionBits[i]) ? 1 : 0);
        }
        if (++m_gameRefreshes <= 4)
            invalidateWhole();
    }
    applyMusicRule();
}

QStringList TFormMain::TabPictureFiles(const CDisplay& display) {
    QStringList files;
    for (int tab = 1; tab <= MenuLayout::TabCount; ++tab)
        files << QStringLiteral("Data/Intf/Spec/mT_m%1").arg(tab) + display.Suffix() + ".xbi";
    return files;
}

QStringList TFormMain::PictureFiles(const CDisplay& display) {
    QStringList files{backgroundFile(display), TabPictureFiles(display).first()};
    for (const char* caption : CaptionNames)
        files << LibraryPictureFile(captionName(caption, display));
    for (const MenuButton& button : OwnButtons)
        files << ImageButtonMadePictureFiles(QLatin1String(button.name));
    files << RecordingsPanel::PictureFiles();
    for (const MenuButton& button : MusicButtons)
        files << ImageButtonMadePictureFiles(QLatin1String(button.name));
    for (const CheckGroup& group : CheckGroups)
        for (const CheckButton& button : group.buttons)
            files << CheckButtonPictureFiles(checkName(button, display));
    return files;
}

const QImage& TFormMain::tabPicture(int tab) {
    const std::size_t index =
        static_cast<std::size_t>(std::clamp(tab, 1, MenuLayout::TabCount) - 1);
    QImage& picture = m_tabPictures[index];
    if (picture.isNull()) {
        try {
            picture = loadBmpFile(TabPictureFiles(m_display).at(static_cast<qsizetype>(index)));
        } catch (const ImageLoadError&) {
            // Readable when the menu was made; spoilt since, it leaves the strip as it was.
        }
    }
    return picture;
}

QStringList TFormMain::LaterPictureFiles() {
    QStringList files = RecordingsPanel::LaterPictureFiles();
    for (const auto& buttons :
         {std::span<const MenuButton>(OwnButtons), std::span<const MenuButton>(MusicButtons)})
        for (const MenuButton& button : buttons)
            files << ImageButtonLaterPictureFiles(QLatin1String(button.name));
    return files;
}

void TFormMain::drawTab() {
    const int tab = std::clamp(CurrentTab(), 1, MenuLayout::TabCount);
    const QPoint strip = m_layout.TabStrip();
    canvas().draw(strip.x(), strip.y(), tabPicture(tab));
    if (tab == MenuLayout::RecordingsTab) {
        m_recordings->DrawRows();
        return;
    }
    m_captionTasks->Draw(canvas());
    m_captionSounds->Draw(canvas());
    m_captionPosition->Draw(canvas());
    for (auto& b : m_levels)
        if (b->IsVisible())
            b->Draw();
    for (auto& b : m_sounds)
        if (b->IsVisible())
            b->Draw();
    for (auto& b : m_positions)
        if (b->IsVisible())
            b->Draw();
}

void TFormMain::applyMusicRule() {
    if (CurrentTab() == MenuLayout::RecordingsTab) {
        // Only the music is ended here: the window repaints whenever a control changes, and a
        // recording or playback under way must not end with it.
        if (!IsBusy() && m_recorder.IsBusyOrSilent())
            m_recorder.CloseDevice();
    } else if (!m_recorder.IsBusyOrSilent()) {
        startMusicIfWanted();
    }
}

void TFormMain::startMusicIfWanted() {
    if (m_settings.music)
        m_recorder.StartMusic();
}

bool TFormMain::MusicOn() const {
    return m_settings.music;
}

void TFormMain::showMusicSwitch() {
    // Hide first: the two speakers share one place, and the one shown must be drawn last.
    (m_settings.music ? m_musicOff : m_musicOn)->Hide();
    (m_settings.music ? m_musicOn : m_musicOff)->Show();
}

void TFormMain::A_Muzyka() {
    m_settings.music = !m_settings.music;
    m_settings.SaveSoon();
    showMusicSwitch();
    if (!m_settings.music) {
        // Only the music stops: a recording or playback of the recordings tab goes on.
        if (!IsBusy() && m_recorder.IsPlaying())
            m_recorder.CloseDevice();
    } else if (CurrentTab() != MenuLayout::RecordingsTab) {
        startMusicIfWanted();
    }
}

void TFormMain::toggleSound(int index) {
    m_sounds[index]->Toggle();
    CurrentSettings().ToggleSound(SoundBits[index]);
    m_settings.SaveSoon();
}

void TFormMain::togglePosition(int index) {
    m_positions[index]->Toggle();
    CurrentSettings().TogglePosition(PositionBits[index]);
    m_settings.SaveSoon();
}

void TFormMain::setLevel(int level) {
    for (int i = 0; i < 3; ++i)
        m_levels[i]->SetOn(i + 1 == level ? 1 : 0);
    CurrentSettings().SetLevel(static_cast<std::int16_t>(level));
    m_settings.SaveSoon();
}

void TFormMain::TabPressed(int y) {
    if (IsBusy())
        return;
    m_settings.previousTab = m_settings.currentTab;
    const int tab = m_layout.TabAt(y);
    if (tab != 0)
        m_settings.currentTab = static_cast<std::int16_t>(tab);
    if (m_settings.currentTab != m_settings.previousTab) {
        A_Zakladka();
        m_settings.SaveSoon();
    }
}

void TFormMain::A_Start() {
    const int tab = CurrentTab();
    CUstGry* record = m_settings.ForTab(tab);
    if (!record)
        return; // the recordings tab starts nothing
    record->pozycja &= WordBits::PositionMask;
    record->gloski &= WordBits::SoundPartMask;
    if (!MaterialCheck::HasEnough(m_catalogue, static_cast<MaterialCheck::Game>(tab), *record)) {
        if (m_showNotice)
            m_showNotice(3);
        return;
    }
    Form* game = m_gameWindows[tab - 1] ? m_gameWindows[tab - 1]() : nullptr;
    if (!game)
        return;
    // What the game is played with is on disk before it starts: a game may end the run.
    m_settings.SaveNow();
    m_recorder.ForbidMusic();
    game->showModal();
    m_recorder.AllowMusic();
    startMusicIfWanted();
    update();
    ProcessMessages();
    update();
}

void TFormMain::A_Oprogramie() {
    Form* about = m_aboutWindow ? m_aboutWindow() : nullptr;
    if (!about)
        return;
    about->showModal();
    update();
}

void TFormMain::A_Postepy() {
    Form* progress = m_progressWindow ? m_progressWindow() : nullptr;
    if (!progress)
        return;
    progress->showModal();
    update();
}

void TFormMain::A_Wzorce() {
    Form* models = m_modelsWindow ? m_modelsWindow() : nullptr;
    if (!models)
        return;
    models->showModal();
    update();
}

void TFormMain::A_Lusterko() {
    Form* mirror = m_mirrorWindow ? m_mirrorWindow() : nullptr;
    if (!mirror)
        return;
    // The mirror listens: the menu's music would be heard in it.
    m_recorder.ForbidMusic();
    mirror->showModal();
    m_recorder.AllowMusic();
    startMusicIfWanted();
    update();
}

void TFormMain::A_Stop() {
    close();
}

bool TFormMain::keyPressed(char16_t ch) {
    if (ch == 27) {
        A_Stop();
        return true;
    }
    if (ch == u'm' || ch == u'M') {
        A_Muzyka();
        return true;
    }
    return false;
}

void TFormMain::paintEvent(QPaintEvent* event) {
    m_wholePaint = (QRegion(rect()) - event->region()).isEmpty();
    Form::paintEvent(event);
    m_wholePaint = false;
}

void TFormMain::formPaint() {
    // Small repaints come from a control redrawing itself; only a repaint of the whole window
    // lays the background and the tab again, or it would wipe what the controls just drew.
    if (m_wholePaint) {
        canvas().draw(0, 0, m_background);
        drawTab();
    }
    applyMusicRule();
}

void TFormMain::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    if (m_onFirstShown)
        QTimer::singleShot(2000, this, [this] {
            if (m_onFirstShown)
                m_onFirstShown();
        });
}

void TFormMain::closeEvent(QCloseEvent* event) {
    // A height of 1 keeps the menu from flashing up again while the program winds down.
    resize(width(), 1);
    Form::closeEvent(event);
}

void TFormMain::changeEvent(QEvent* event) {
    Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Focus goes where it was; when nowhere, to the window rather than to a name field.
        if (!focusWidget())
            setFocus(Qt::OtherFocusReason);
        m_recorder.AllowMusic();
        if (CurrentTab() != MenuLayout::RecordingsTab)
            startMusicIfWanted();
    }
}

void TFormMain::WheelTurned(int notches) {
    if (CurrentTab() == MenuLayout::RecordingsTab)
        m_recordings->Scroll(notches);
}

void TFormMain::wheelEvent(QWheelEvent* event) {
    // 120 eighths of a degree make one notch; finer wheels add up to one.
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    WheelTurned(notches);
    event->accept();
}
