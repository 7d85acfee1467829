#pragma once

#include <cstdint>

// Sound and position bits shared by the words' sound codes and the game settings. These values
// are stored in data.ini and must never be renumbered.
namespace WordBits {
// Practised sounds; also the sound-group bits S, Z, C and DZ of the settings.
inline constexpr std::uint16_t Sz = 0x0001;  // sz
inline constexpr std::uint16_t Zh = 0x0002;  // ż or rz
inline constexpr std::uint16_t Cz = 0x0004;  // cz
inline constexpr std::uint16_t Dzh = 0x0008; // dż
// Contrast sounds: a group's practised bit shifted left by four.
inline constexpr std::uint16_t S = 0x0010;
inline constexpr std::uint16_t Z = 0x0020;
inline constexpr std::uint16_t C = 0x0040;
inline constexpr std::uint16_t Dz = 0x0080;

inline constexpr std::uint16_t GroupMask = 0x000F;
inline constexpr std::uint16_t ContrastMask = 0x00F0;
inline constexpr std::uint16_t SoundMask = 0x00FF;
// The sound part of a code: all below the position bits, the four unused ones included. A
// settings record's sounds are cut to it before a game filters the catalogue.
inline constexpr std::uint16_t SoundPartMask = 0x0FFF;

inline constexpr std::uint16_t Naglos = 0x1000;   // the target is the first grapheme
inline constexpr std::uint16_t Srodglos = 0x2000; // the target is inside the word
inline constexpr std::uint16_t Wyglos = 0x4000;   // the target is the last grapheme
inline constexpr std::uint16_t PositionMask = 0x7000;

// In the candidate list: already drawn for the current selection. In the selection: not yet
// solved.
inline constexpr std::uint16_t Drawn = 0x8000;

inline constexpr std::uint16_t partnerOf(std::uint16_t group) {
    return static_cast<std::uint16_t>(group << 4);
}
} // namespace WordBits
