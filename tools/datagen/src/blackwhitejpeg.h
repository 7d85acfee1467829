#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes a two-level mask as a JPEG file that every decoder reads back as pure black and pure
// white, whatever its outline. The file is written from DCT coefficients of a signal driven
// past both ends of the sample range (black at -12, white at 267) with a quantiser of 1, so the
// small reconstruction errors along edges are cut off by the decoder's clamping instead of
// turning into grey pixels. A restart marker after every block keeps each block's DC value
// within the baseline range.
class BlackWhiteJpeg {
public:
    // Pixels whose grey level is 128 or more are white.
    static QByteArray encode(const QImage& mask, QString* error = nullptr);
    static bool write(const QImage& mask, const QString& path, QString* error = nullptr);
};
