#pragma once

#include <cstddef>

// Where decoded JPEG pixels go. The decoder asks for the buffer once it knows the picture's
// size; the caller owns it (typically a QImage kept outside the decoder).
struct JpegTarget {
    void* context = nullptr;
    // Returns the first row of a width x height buffer of 32-bit 0xAARRGGBB pixels in native
    // byte order and sets *stride to the bytes from one row to the next; null when the buffer
    // cannot be had.
    unsigned char* (*allocate)(void* context, int width, int height,
                               std::ptrdiff_t* stride) = nullptr;
};

// Largest picture accepted, in pixels: a corrupt header must not make us ask for gigabytes.
inline constexpr long long kJpegMaxPixels = 64LL * 1024 * 1024;

// Decodes a whole JPEG held in memory into the target: RGB and grayscale pictures directly,
// CMYK and YCCK ones (including Adobe's inverted CMYK) converted to RGB. Any libjpeg warning
// (a truncated file, corrupt data) is a failure just like an error. On failure returns false
// and writes a NUL-terminated message into `error`; the target's pixels are then unusable.
bool decodeJpeg(const unsigned char* data, std::size_t size, const JpegTarget& target, char* error,
                std::size_t errorSize);

// Reads the whole JPEG as decodeJpeg would, at an eighth of its size: every scan's compressed
// data up to the end marker, failing exactly where decodeJpeg fails (any warning included),
// with a fraction of the inverse transform and the colour conversion and no picture's memory.
bool verifyJpeg(const unsigned char* data, std::size_t size, char* error, std::size_t errorSize);

// Reads only the header of a JPEG held in memory, as decodeJpeg would: true with the picture's
// size when it is there whole and describes a picture of at most kJpegMaxPixels.
bool readJpegSize(const unsigned char* data, std::size_t size, int* width, int* height);
