#include "custgry.h"

#include "inifile.h"
#include "wordbits.h"

#include <utility>

namespace {
const QString kGloski = QStringLiteral("Gloski");
const QString kPoziom = QStringLiteral("Poziom");
const QString kPozycja = QStringLiteral("Pozycja");

constexpr std::uint16_t kGroups[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh};

bool isSingleBitIn(std::uint16_t bit, std::uint16_t mask) {
    return bit != 0 && (bit & (bit - 1)) == 0 && (bit & mask) == bit;
}
} // namespace

CUstGry::CUstGry(QString sekcja) : m_sekcja(std::move(sekcja)) {}

void CUstGry::SetLevel(std::int16_t level) {
    if (level >= 1 && level <= 3)
        poziom = level;
}

void CUstGry::TogglePosition(std::uint16_t bit) {
    if (isSingleBitIn(bit, WordBits::PositionMask))
        pozycja ^= bit;
}

void CUstGry::ToggleSound(std::uint16_t bit) {
    if (isSingleBitIn(bit, WordBits::SoundMask))
        gloski ^= bit;
}

void CUstGry::AddPartnerSounds() {
    for (const std::uint16_t group : kGroups) {
        if (gloski & group)
            gloski |= WordBits::partnerOf(group);
    }
}

void CUstGry::SetDistractorSounds(const CUstGry& chosen) {
    if ((chosen.gloski & WordBits::GroupMask) == WordBits::GroupMask) {
        gloski |= WordBits::ContrastMask;
        return;
    }
    for (const std::uint16_t group : {WordBits::Sz, WordBits::Zh, WordBits::Cz}) {
        if (!(chosen.gloski & group))
            gloski |= group;
    }
    if (!(chosen.gloski & WordBits::Dzh))
        gloski |= WordBits::Dzh | WordBits::Dz;
}

void CUstGry::Save(IniFile& ini) const {
    ini.writeInteger(m_sekcja, kGloski, gloski);
    ini.writeInteger(m_sekcja, kPoziom, poziom);
    ini.writeInteger(m_sekcja, kPozycja, pozycja);
}

void CUstGry::Load(const IniFile& ini) {
    // Reads as int, so that out-of-range stored values are repaired rather than truncated.
    const int storedGloski = ini.readInteger(m_sekcja, kGloski, gloski);
    const int storedPoziom = ini.readInteger(m_sekcja, kPoziom, poziom);
    const int storedPozycja = ini.readInteger(m_sekcja, kPozycja, pozycja);
    gloski = static_cast<std::uint16_t>(storedGloski & WordBits::GroupMask);
    poziom = storedPoziom < 1 || storedPoziom > 3 ? 1 : static_cast<std::int16_t>(storedPoziom);
    pozycja = static_cast<std::uint16_t>(storedPozycja & WordBits::PositionMask);
}
