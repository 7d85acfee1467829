#pragma once

#include "form.h"
#include "menulayout.h"
#include "recordingspanel.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class CCheckBut;
class CDisplay;
class CNagrywanie;
class CObiektGraficzny;
class CPrzyciskP;
class CSlowa;
class CUstGry;
class HitArea;
class SettingsStore;

// The menu: the program's only top-level window. It covers the screen and shows, inside the
// play area, the tab strip with four game tabs and the recordings tab. On a game tab the check
// buttons edit that game's settings record and "start" opens the game's window modally once
// the catalogue holds enough material. Background music plays while a game tab is shown. The
// recordings tab shows the recordings panel.
class TFormMain : public Form {
    Q_OBJECT
public:
    // showNotice shows the notice window with a code; the recorder plays the music and, for
    // the recordings panel, the recordings. Throws CBlad(1) when a picture of the window is
    // missing. recordingsFolder holds the recordings and their catalogue.
    TFormMain(const CDisplay& display, SettingsStore& settings, CSlowa& catalogue,
              std::function<void(int)> showNotice, CNagrywanie& recorder,
              const QString& recordingsFolder = QStringLiteral("Nagrane"));
    // Saves every game's settings first. Choices made in the menu are also saved shortly
    // after they are made, and when a game starts.
    ~TFormMain() override;

    // The window that "start" opens for a game tab (1 labelling, 2 Memory, 3 completing,
    // 4 falling). A tab without a window starts nothing once its material check passes.
    // The five tab pictures of the strip. The first and the current one are read when the
    // window is made; the others are only checked then and read when first shown.
    static QStringList TabPictureFiles(const CDisplay& display);
    // The pictures the window decodes when it is made, in the order it reads them; of the
    // tabs only the first, which sizes the strip (another current tab is read by itself).
    static QStringList PictureFiles(const CDisplay& display);
    // The recordings tab's list (its rows, name fields and column captions). No start opens on
    // that tab, so the list is made after the menu's first paint (or when first needed). Its
    // pictures and those the buttons read when first lit or pressed are listed here for the
    // start-up check, which must miss none of them.
    void MakeRecordingsList() { m_recordings->MakeList(); }
    static QStringList LaterPictureFiles();

    void SetGameWindow(int tab, Form* window);
    void SetAboutWindow(Form* about);
    // The same, for windows made only when first needed: the source is asked each time and
    // may give none (nothing opens then).
    using WindowSource = std::function<Form*()>;
    void SetGameWindow(int tab, WindowSource source);
    void SetAboutWindow(WindowSource source);
    // The therapist's progress window that "postepy" opens.
    void SetProgressWindow(Form* progress);
    void SetProgressWindow(WindowSource source);
    // The therapist's window of own word models that "wzorce" opens.
    void SetModelsWindow(WindowSource source);
    // The child's sibilant mirror that "lusterko" opens.
    void SetMirrorWindow(WindowSource source);
    // Runs 2000 ms after the window was first shown (the entry closes the splash with it).
    void SetOnFirstShown(std::function<void()> fn);
    // How the recordings panel tells of a microphone or sound device it cannot use.
    void SetMessageShower(std::function<void(const QString&)> show) {
        m_recordings->SetMessageShower(std::move(show));
    }

    // Actions of the buttons and the keyboard.
    void A_Zakladka();
    void A_Start();
    void A_Oprogramie();
    // Shows the progress window modally, with the music as for the about window.
    void A_Postepy();
    // Shows the word models' window modally.
    void A_Wzorce();
    // Shows the sibilant mirror modally, the menu's music stopped first.
    void A_Lusterko();
    void A_Stop();
    void A_S() { toggleSound(0); }
    void A_Z() { toggleSound(1); }
    void A_C() { toggleSound(2); }
    void A_DZ() { toggleSound(3); }
    void A_Naglos() { togglePosition(0); }
    void A_Srodglos() { togglePosition(1); }
    void A_Wyglos() { togglePosition(2); }
    void A_Malo() { setLevel(1); }
    void A_Srednio() { setLevel(2); }
    void A_Duzo() { setLevel(3); }
    // The speaker and the M key: switches the menu music off or on for this and later runs.
    // Word sounds and praise in the games are not affected.
    void A_Muzyka();
    bool MusicOn() const;
    // Recording or playing for the recordings tab: only "rstop" answers and the tab strip,
    // "oprogramie", "postepy", "wzorce", "wyjdz" and the scroll buttons ignore the mouse until it
    // ends.
    void EnterBusyState() { m_recordings->EnterBusyState(); }
    // The wheel's notches over the window: up scrolls the recordings list up a line per
    // notch, down scrolls it down; only on the recordings tab and while not busy.
    void WheelTurned(int notches);

    // A press on the tab strip at y, measured from the strip's top.
    void TabPressed(int y);

    int CurrentTab() const;
    // The settings record behind the current tab; any tab but 1..3 means the falling game's.
    CUstGry& CurrentSettings();
    // True while a recording is being made or played: the tab strip ignores presses.
    bool IsBusy() const { return m_recordings->IsBusy(); }

    const MenuLayout& Layout() const { return m_layout; }
    const QImage& Background() const { return m_background; }
    // Controls by role, for the window's users and its tests.
    CCheckBut& LevelButton(int index) { return *m_levels[index]; }
    CCheckBut& SoundButton(int index) { return *m_sounds[index]; }
    CCheckBut& PositionButton(int index) { return *m_positions[index]; }
    CPrzyciskP& AboutButton() { return *m_about; }
    CPrzyciskP& ProgressButton() { return *m_progress; }
    CPrzyciskP& ModelsButton() { return *m_models; }
    CPrzyciskP& MirrorButton() { return *m_mirror; }
    CPrzyciskP& ExitButton() { return *m_exit; }
    CPrzyciskP& StartButton() { return *m_start; }
    CPrzyciskP& RecordButton() { return m_recordings->RecordButton(); }
    CPrzyciskP& PlayButton() { return m_recordings->PlayButton(); }
    CPrzyciskP& RecStopButton() { return m_recordings->StopButton(); }
    CPrzyciskP& UpButton() { return m_recordings->UpButton(); }
    CPrzyciskP& DownButton() { return m_recordings->DownButton(); }
    // The speaker shown while the music is on, and the crossed one shown while it is off.
    CPrzyciskP& MusicOnButton() { return *m_musicOn; }
    CPrzyciskP& MusicOffButton() { return *m_musicOff; }
    CScrollBar& ScrollBar() { return m_recordings->ScrollBar(); }
    // Each makes the recordings list first when it is not there yet.
    CNagData& RecordingsList() { return m_recordings->List(); }
    QLabel& NameColumnLabel() { return m_recordings->NameColumnLabel(); }
    QLabel& DateColumnLabel() { return m_recordings->DateColumnLabel(); }
    CObiektGraficzny& TasksCaption() { return *m_captionTasks; }
    CObiektGraficzny& SoundsCaption() { return *m_captionSounds; }
    CObiektGraficzny& PositionCaption() { return *m_captionPosition; }
    HitArea& TabStrip() { return *m_tabStrip; }
    // Whole-window invalidations A_Zakladka has asked for so far.
    int WholeRepaints() const { return m_wholeRepaints; }

protected:
    bool keyPressed(char16_t ch) override;
    void formPaint() override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void toggleSound(int index);
    void togglePosition(int index);
    void setLevel(int level);
    // Draws the tab picture, the captions and the check buttons of the current tab, without
    // changing which controls are shown.
    void drawTab();
    // The tab's picture, read on first use; empty when it cannot be read.
    const QImage& tabPicture(int tab);
    // Puts the background back over a rectangle of the window.
    void eraseRect(const QRect& rect);
    // Music on the game tabs only, and only while the user wants it.
    void applyMusicRule();
    void startMusicIfWanted();
    void showMusicSwitch();
    void invalidateWhole();

    const CDisplay& m_display;
    SettingsStore& m_settings;
    CSlowa& m_catalogue;
    std::function<void(int)> m_showNotice;
    CNagrywanie& m_recorder;
    MenuLayout m_layout;

    QImage m_background;
    std::array<QImage, MenuLayout::TabCount> m_tabPictures;
    std::unique_ptr<CObiektGraficzny> m_captionTasks;
    std::unique_ptr<CObiektGraficzny> m_captionSounds;
    std::unique_ptr<CObiektGraficzny> m_captionPosition;

    std::unique_ptr<CPrzyciskP> m_about;
    std::unique_ptr<CPrzyciskP> m_progress;
    std::unique_ptr<CPrzyciskP> m_models;
    std::unique_ptr<CPrzyciskP> m_mirror;
    std::unique_ptr<CPrzyciskP> m_exit;
    std::unique_ptr<CPrzyciskP> m_start;
    std::unique_ptr<RecordingsPanel> m_recordings;
    std::unique_ptr<CPrzyciskP> m_musicOn;
    std::unique_ptr<CPrzyciskP> m_musicOff;
    std::array<std::unique_ptr<CCheckBut>, 3> m_levels;
    std::array<std::unique_ptr<CCheckBut>, 4> m_sounds;
    std::array<std::unique_ptr<CCheckBut>, 3> m_positions;
    HitArea* m_tabStrip = nullptr;
    int m_wheelRest = 0; // eighths of a degree not yet worth a notch

    std::array<WindowSource, 4> m_gameWindows{};
    WindowSource m_aboutWindow;
    WindowSource m_progressWindow;
    WindowSource m_modelsWindow;
    WindowSource m_mirrorWindow;
    std::function<void()> m_onFirstShown;
    bool m_shownBefore = false;
    bool m_wholePaint = false; // the paint under way covers the whole window
    int m_panelShows = 0;      // times the recordings panel was shown
    int m_gameRefreshes = 0;   // times a game tab's controls were refreshed
    int m_wholeRepaints = 0;
};
