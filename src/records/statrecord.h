#pragma once

#include "systemtime.h"

#include <cstdint>

// One game run as the statistics file stores it: 44 bytes, little-endian, no gaps. The writer
// and every reader go through Encode and Decode, so the layout is written down only here.
struct StatRecord {
    static constexpr int Size = 44;

    std::int32_t kind = 0; // 1 labelling, 2 Memory, 3 completing, 4 falling
    SystemTime start;      // UTC
    std::uint16_t poziom = 0;
    std::uint16_t gloski = 0;
    std::uint16_t pozycja = 0;
    std::int32_t duration = 0; // whole seconds
    std::uint16_t completed = 0;
    std::int32_t hints = 0;
    std::int32_t correct = 0;
    std::int32_t wrong = 0;

    void Encode(char* out) const;
    static StatRecord Decode(const char* in);

    bool operator==(const StatRecord&) const = default;
};
