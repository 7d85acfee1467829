#pragma once

#include <QString>
#include <cstdint>

class IniFile;

// One game's choice of material: sound groups (gloski), word positions (pozycja) and task
// count (poziom: 1 mało, 2 średnio, 3 dużo), kept in its own section of data.ini. The bits are
// those of the words' sound codes.
class CUstGry {
public:
    CUstGry() = default; // no section; used for working copies
    explicit CUstGry(QString sekcja);

    const QString& Sekcja() const { return m_sekcja; }

    std::int16_t poziom{2};
    std::uint16_t pozycja{0};
    std::uint16_t gloski{0};

    bool IsLevel(std::int16_t level) const { return poziom == level; }
    bool HasPosition(std::uint16_t bit) const { return (pozycja & bit) != 0; }
    bool HasSound(std::uint16_t bit) const { return (gloski & bit) != 0; }

    // Accepts 1..3 only: any other task count would leave a game with no tasks.
    void SetLevel(std::int16_t level);
    // Flips one of 0x1000, 0x2000, 0x4000; any other value does nothing.
    void TogglePosition(std::uint16_t bit);
    // Flips one of the eight sound bits 0x0001..0x0080; any other value does nothing.
    void ToggleSound(std::uint16_t bit);
    // Each chosen group also brings its contrast sound (group bit × 16).
    void AddPartnerSounds();
    // Sets in this record the sounds that the falling game offers as pictures not to catch:
    // with all four groups chosen the four contrast sounds, otherwise every group not chosen
    // (DZ together with dz).
    void SetDistractorSounds(const CUstGry& chosen);

    // Writes "Gloski", "Poziom", "Pozycja" into the record's section.
    void Save(IniFile& ini) const;
    // Reads the three keys, each defaulting to the value in memory, then repairs them: only the
    // group bits of Gloski and the position bits of Pozycja stay, a Poziom outside 1..3
    // becomes 1.
    void Load(const IniFile& ini);

private:
    QString m_sekcja;
};
