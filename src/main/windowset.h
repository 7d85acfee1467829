#pragma once

#include "progresssources.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class CDisplay;
class CSlowa;
class CStatRec;
class Form;
class QWidget;
class RandomGenerator;
class SettingsStore;
class SoundPlayer;
class TFormKomunikat;
class TFormOProgramie;
class TfmKoniecGry;

// The windows the menu opens: the notice, the end-of-game summary, the four game windows, the
// about window, the progress view, the word models and the sibilant mirror. Each is made the first
// time it is asked for, so that the menu shows without waiting for them (and without their memory);
// their pictures are checked before the menu shows instead, through PictureFiles. Making a window
// throws CBlad(1) when one of its pictures is missing after all.
class WindowSet {
public:
    // Everything given must outlive the set; the main window owns the summary's return.
    WindowSet(const CDisplay& display, CSlowa& catalogue, CStatRec& statistics,
              SettingsStore& settings, SoundPlayer& player, RandomGenerator& random,
              QWidget* mainWindow, ProgressSources progress);
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // Every interface picture file the windows of the set read when they are made, relative
    // to the program's folder.
    static QStringList PictureFiles(const CDisplay& display);

    TFormKomunikat& Notice();
    // Every game window shows the summary: it is made before the first of them.
    TfmKoniecGry& Summary();
    // 1 labelling, 2 Memory, 3 completing, 4 falling; null for any other tab.
    Form* Game(int tab);
    TFormOProgramie& About();
    // The therapist's progress view over the practice log; null when its module cannot be
    // loaded.
    Form* Progress();
    // The therapist's own word models, kept in the folder given before it is first asked for.
    void SetModelsFolder(const QString& folder) { m_modelsFolder = folder; }
    Form* Models();
    // The sibilant mirror, with the practising child's own scale in the file given before.
    void SetMirrorScaleFile(const QString& file) { m_mirrorScaleFile = file; }
    Form* Mirror();

    // The windows made so far, for the entry's own checks.
    bool IsBuilt(int tab) const;

private:
    void adopt(QWidget& window);

    const CDisplay& m_display;
    CSlowa& m_catalogue;
    CStatRec& m_statistics;
    SettingsStore& m_settings;
    SoundPlayer& m_player;
    RandomGenerator& m_random;
    QWidget* m_mainWindow;
    ProgressSources m_progressSources;
    // Declared in this order so that the game windows go before the summary they use.
    std::unique_ptr<TFormKomunikat> m_notice;
    std::unique_ptr<TfmKoniecGry> m_summary;
    std::array<std::unique_ptr<Form>, 4> m_games;
    std::unique_ptr<TFormOProgramie> m_about;
    std::unique_ptr<Form> m_progress;
    QString m_modelsFolder;
    std::unique_ptr<Form> m_models;
    QString m_mirrorScaleFile;
    std::unique_ptr<Form> m_mirror;
};
