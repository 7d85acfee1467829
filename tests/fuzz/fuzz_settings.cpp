// data.ini as the program reads it at start-up: every value read with the one in memory as
// default, repaired, the launch counter counted up and the file written back. Then the ini
// layer alone: what it writes reads back the same, and a name finds its section exactly when
// QString's case-insensitive comparison calls the two names equal.
#include "inifile.h"
#include "scratchfolder.h"
#include "settingsstore.h"
#include "textdecoding.h"
#include "wordbits.h"

#include <QByteArrayView>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

void requireRepaired(const SettingsStore& store) {
    Require(store.currentTab >= 1 && store.currentTab <= 4, "menu tab outside the game tabs");
    for (const CUstGry* game :
         {&store.labelling, &store.memory, &store.completing, &store.falling}) {
        Require(game->poziom >= 1 && game->poziom <= 3, "task count outside 1..3");
        Require((game->gloski & ~WordBits::GroupMask) == 0, "sound bits beyond the groups");
        Require((game->pozycja & ~WordBits::PositionMask) == 0, "position bits beyond positions");
    }
}

bool sameSettings(const CUstGry& a, const CUstGry& b) {
    return a.poziom == b.poziom && a.gloski == b.gloski && a.pozycja == b.pozycja;
}

void checkSettingsStore(ScratchFolder& scratch, const std::uint8_t* data, std::size_t size) {
    const QString path = scratch.Write(QStringLiteral("data.ini"), data, size);
    SettingsStore store(path);
    if (!store.LoadAll()) {
        return; // not readable as text of an ini file's size
    }
    requireRepaired(store);
    // The repaired values were written back and read again as they are.
    SettingsStore again(path);
    Require(again.LoadAll(), "data.ini written at start-up does not read back");
    requireRepaired(again);
    Require(sameSettings(again.labelling, store.labelling) &&
                sameSettings(again.memory, store.memory) &&
                sameSettings(again.completing, store.completing) &&
                sameSettings(again.falling, store.falling) && again.currentTab == store.currentTab,
            "settings changed on the second start");
    const bool counted = store.launchCounter == std::numeric_limits<std::int32_t>::max()
                             ? again.launchCounter == store.launchCounter
                             : again.launchCounter == store.launchCounter + 1;
    Require(counted, "launch counter not counted up by one");
}

void checkIniLayer(const std::uint8_t* data, std::size_t size) {
    IniFile ini;
    ini.parse(decodeTextFile(QByteArrayView(data, qsizetype(size))));
    const QString text = ini.toText();
    IniFile reread;
    reread.parse(text);
    Require(reread.toText() == text, "saved ini text reads back differently");

    const QStringList names = ini.sections();
    const qsizetype checked = std::min<qsizetype>(names.size(), 16);
    for (qsizetype i = 0; i < checked; ++i) {
        for (const QString& asked : {names[i], names[i].toUpper(), names[i].toLower(),
                                     names[i].toCaseFolded(), names[i] + u'x'}) {
            const bool listed = std::any_of(names.begin(), names.end(), [&](const QString& n) {
                return n.compare(asked, Qt::CaseInsensitive) == 0;
            });
            Require(ini.sectionExists(asked) == listed,
                    "section look-up disagrees with case-insensitive comparison");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    scratch.Clear();
    checkSettingsStore(scratch, data, size);
    checkIniLayer(data, size);
    return 0;
}
