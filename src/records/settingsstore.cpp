#include "settingsstore.h"

#include "damagedfile.h"
#include "inifile.h"

#include <QFileInfo>
#include <limits>
#include <memory>
#include <utility>

namespace {
const QString kProgram = QStringLiteral("DaneProgramu");
const QString kTab = QStringLiteral("Zakladka");
const QString kLaunches = QStringLiteral("LU");
const QString kPosition = QStringLiteral("Position");
const QString kMusic = QStringLiteral("Muzyka");
constexpr int kPositionMarker = 111002;
constexpr int kRecordingsTab = 5;

} // namespace

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(SaveDelayMs);
    QObject::connect(&m_saveTimer, &QTimer::timeout, &m_saveTimer, [this] { SaveAll(); });
}

CUstGry* SettingsStore::ForTab(int tab) {
    switch (tab) {
    case 1:
        return &labelling;
    case 2:
        return &memory;
    case 3:
        return &completing;
    case 4:
        return &falling;
    default:
        return nullptr;
    }
}

bool SettingsStore::LoadAll() {
    const std::function<bool()> writeBack = LoadAllWritingLater();
    return writeBack && writeBack();
}

std::function<bool()> SettingsStore::LoadAllWritingLater() {
    const bool exists = QFileInfo::exists(m_path);
    // Keeps whatever else the file holds; an unreadable file must not be overwritten blindly.
    auto ini = std::make_shared<IniFile>(m_path);
    if (!DamagedFile::LoadIniForRewrite(*ini))
        return {};
    if (!exists) {
        writeInto(*ini);
        return [ini] { return ini->save(); };
    }

    launchCounter = ini->readInteger(kProgram, kLaunches, launchCounter);
    const int tab = ini->readInteger(kProgram, kTab, currentTab);
    // The recordings tab is never reopened; a tab number that names no tab at all is treated
    // the same way rather than leaving the menu without a page.
    currentTab = tab >= 1 && tab < kRecordingsTab ? static_cast<std::int16_t>(tab) : 1;

    // 0 is off; any other number, or none, keeps the music on: a damaged value must not
    // silence the menu for good.
    music = ini->readInteger(kProgram, kMusic, music ? 1 : 0) != 0;

    memory.Load(*ini);
    completing.Load(*ini);
    labelling.Load(*ini);
    falling.Load(*ini);

    if (launchCounter < std::numeric_limits<std::int32_t>::max())
        ++launchCounter;
    ini->writeInteger(kProgram, kLaunches, launchCounter);
    return [ini] { return ini->save(); };
}

bool SettingsStore::SaveAll() const {
    IniFile ini(m_path);
    if (!DamagedFile::LoadIniForRewrite(ini))
        return false;
    writeInto(ini);
    return ini.save();
}

void SettingsStore::writeInto(IniFile& ini) const {
    memory.Save(ini);
    completing.Save(ini);
    labelling.Save(ini);
    falling.Save(ini);
    ini.writeInteger(kProgram, kTab, currentTab);
    ini.writeInteger(kProgram, kLaunches, launchCounter);
    ini.writeInteger(kProgram, kPosition, kPositionMarker);
    ini.writeInteger(kProgram, kMusic, music ? 1 : 0);
}

void SettingsStore::SaveSoon() {
    m_saveTimer.start();
}

bool SettingsStore::SaveNow() {
    m_saveTimer.stop();
    return SaveAll();
}
