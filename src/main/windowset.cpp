#include "windowset.h"

#include "cdisplay.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "progressmodule.h"
#include "settingsstore.h"
#include "tfmkoniecgry.h"
#include "tfmmemory.h"
#include "tfmpodpisywanie.h"
#include "tfmspadajace.h"
#include "tfmuzupelnianie.h"
#include "tformkomunikat.h"
#include "tformlusterko.h"
#include "tformoprogramie.h"
#include "tformwzorce.h"

#include <utility>

WindowSet::WindowSet(const CDisplay& display, CSlowa& catalogue, CStatRec& statistics,
                     SettingsStore& settings, SoundPlayer& player, RandomGenerator& random,
                     QWidget* mainWindow, ProgressSources progress)
    : m_display(display), m_catalogue(catalogue), m_statistics(statistics), m_settings(settings),
      m_player(player), m_random(random), m_mainWindow(mainWindow),
      m_progressSources(std::move(progress)) {}

WindowSet::~WindowSet() = default;

QStringList WindowSet::PictureFiles(const CDisplay& display) {
    QStringList files =
        TFormKomunikat::PictureFiles(display) + TfmKoniecGry::PictureFiles(display) +
        TfmPodpisywanie::PictureFiles(display) + TfmMemory::PictureFiles(display) +
        TfmUzupelnianie::PictureFiles(display) + TfmSpadajace::PictureFiles(display) +
        TFormOProgramie::PictureFiles(display) + ProgressModule::PictureFiles(display) +
        TFormWzorce::PictureFiles(display) + TFormLusterko::PictureFiles(display);
    files.removeDuplicates();
    return files;
}

void WindowSet::adopt(QWidget& window) {
    // Only the menu's closing ends the program.
    window.setAttribute(Qt::WA_QuitOnClose, false);
}

TFormKomunikat& WindowSet::Notice() {
    if (!m_notice) {
        m_notice = std::make_unique<TFormKomunikat>(m_display);
        adopt(*m_notice);
    }
    return *m_notice;
}

TfmKoniecGry& WindowSet::Summary() {
    if (!m_summary) {
        m_summary = std::make_unique<TfmKoniecGry>(m_display, m_statistics);
        m_summary->SetMainWindow(m_mainWindow);
        adopt(*m_summary);
    }
    return *m_summary;
}

Form* WindowSet::Game(int tab) {
    if (tab < 1 || tab > 4)
        return nullptr;
    std::unique_ptr<Form>& game = m_games[static_cast<std::size_t>(tab - 1)];
    if (!game) {
        const GameServices services{m_display, m_catalogue, m_statistics, *m_settings.ForTab(tab),
                                    m_player,  m_random,    Summary()};
        switch (tab) {
        case 1:
            game = std::make_unique<TfmPodpisywanie>(services);
            break;
        case 2:
            game = std::make_unique<TfmMemory>(services);
            break;
        case 3:
            game = std::make_unique<TfmUzupelnianie>(services);
            break;
        default:
            game = std::make_unique<TfmSpadajace>(services);
            break;
        }
        adopt(*game);
    }
    return game.get();
}

bool WindowSet::IsBuilt(int tab) const {
    return tab >= 1 && tab <= 4 && m_games[static_cast<std::size_t>(tab - 1)] != nullptr;
}

TFormOProgramie& WindowSet::About() {
    if (!m_about) {
        m_about = std::make_unique<TFormOProgramie>(m_display);
        adopt(*m_about);
    }
    return *m_about;
}

Form* WindowSet::Progress() {
    if (!m_progress) {
        m_progress.reset(ProgressModule::Make(m_display, m_progressSources));
        if (m_progress)
            adopt(*m_progress);
    }
    return m_progress.get();
}

Form* WindowSet::Models() {
    if (!m_models) {
        m_models = std::make_unique<TFormWzorce>(m_display, m_catalogue.Words(), m_modelsFolder);
        adopt(*m_models);
    }
    return m_models.get();
}

Form* WindowSet::Mirror() {
    if (!m_mirror) {
        m_mirror =
            std::make_unique<TFormLusterko>(m_display, m_catalogue.Words(), m_mirrorScaleFile);
        adopt(*m_mirror);
    }
    return m_mirror.get();
}
