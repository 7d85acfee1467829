#pragma once

#include <cstdint>
#include <span>

// The built-in practice words as compiled-in text: file key, segmentation (UTF-8) and sound
// code. CSlowa turns these rows into its word entries once at start-up.
class WordTable {
public:
    struct Row {
        const char* key;
        const char* segmentation;
        std::uint16_t code;
    };
    static constexpr int Count = 287;

    static std::span<const Row> rows();
};
