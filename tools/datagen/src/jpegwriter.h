#pragma once

#include <QImage>
#include <QString>

// Writes ".xji" pictures. libjpeg directly rather than Qt's plugin, for two guarantees the
// masking scheme depends on: no chroma subsampling (every 8x8 block stands alone, so a block
// that is all white stays exactly white) and single-channel files. Two-level masks go through
// BlackWhiteJpeg instead, which keeps every outline pure.
class JpegWriter {
public:
    static constexpr int PictureQuality = 95;

    // Colour picture, 4:4:4.
    static bool writeColour(const QImage& image, const QString& path, int quality,
                            QString* error = nullptr);
    // Single-channel picture from the image's grey levels.
    static bool writeGray(const QImage& image, const QString& path, int quality,
                          QString* error = nullptr);
};
