#pragma once

#include "custgry.h"

#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>

class IniFile;

// All settings kept in data.ini: the four games' records, the menu tab, the launch counter and
// whether the menu plays its music.
// The program passes <program folder>/Data/data.ini.
class SettingsStore {
public:
    explicit SettingsStore(QString path);
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // A change chosen in the menu reaches the file this long after the last one, so that a
    // kill or a crash loses at most that moment and a row of clicks writes once.
    static constexpr int SaveDelayMs = 500;

    const QString& path() const { return m_path; }

    CUstGry labelling{QStringLiteral("Podpisywanie")};  // menu tab 1
    CUstGry memory{QStringLiteral("Memory")};           // menu tab 2
    CUstGry completing{QStringLiteral("Uzupelnianie")}; // menu tab 3
    CUstGry falling{QStringLiteral("Spadajace")};       // menu tab 4

    std::int16_t currentTab{1}; // 1..4 games, 5 recordings
    std::int16_t previousTab{0};
    std::int32_t launchCounter{0};
    // The menu's background music; the menu's speaker and the M key switch it.
    bool music{true};

    // The record behind a game tab (1..4), null for any other tab.
    CUstGry* ForTab(int tab);

    // Start-up load. A missing file is created from the values in memory (the counter stays
    // 0). Otherwise every value is read with the one in memory as default, repaired, and the
    // launch counter is counted up and written back at once. The program never opens on the
    // recordings tab. False when the file could not be created, read or written: in
    // particular when the Data folder itself is missing, which is not created here.
    bool LoadAll();
    // The same load with the file's write left to the caller: the returned call writes what
    // LoadAll would and may run on another thread, while nothing else writes the file. Empty
    // when the file could not be read. The write reaches the disk and waits for it, which a
    // start-up need not wait for on the way to the menu.
    std::function<bool()> LoadAllWritingLater();
    // Writes the four records and the program values; false when the file could not be
    // written. Other sections and keys already in the file are kept.
    bool SaveAll() const;
    // Both keep a copy of a file holding lines they cannot read before replacing it (see
    // DamagedFile), and fail rather than replace it without one.

    // Saves SaveDelayMs after the last call (the event loop must run meanwhile).
    void SaveSoon();
    // Saves at once, and nothing is left waiting.
    bool SaveNow();
    bool SavePending() const { return m_saveTimer.isActive(); }

private:
    void writeInto(IniFile& ini) const;

    QString m_path;
    QTimer m_saveTimer;
};
