#pragma once

#include "pixelbuffer.h"

#include <QImage>
#include <QString>
#include <stdexcept>

// A picture file that could not be read or decoded.
class ImageLoadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Picture files read directly by the program: ".xji" files are JPEG, ".xbi" files are BMP.
// Both return an RGB32 image and throw ImageLoadError on any failure: a missing, truncated or
// corrupt file is never turned into a partial picture. Only regular files are read (see
// RegularFile): a FIFO or a device in a picture's place is as missing as no file.
// A picture decoded ahead of time by PicturePreload is handed out instead of reading the file.
QImage loadJpegFile(const QString& path);
QImage loadBmpFile(const QString& path);
// A PNG interface picture as RGB32, or a null image when the file does not decode.
QImage loadPngFile(const QString& path);

// The same, always from the file.
namespace ImageDecode {
QImage jpeg(const QString& path);
QImage bmp(const QString& path);
QImage png(const QString& path);
// The same pictures in plain memory, without the toolkit's GUI: safe on a worker before the
// application object exists. A null buffer when the file does not decode, or is of a kind
// only Qt's reader takes (the caller then reads it as above).
PixelBuffer jpegPixels(const QString& path);
PixelBuffer bmpPixels(const QString& path);
PixelBuffer pngPixels(const QString& path);
// True when the reader above would take the whole picture in the file: checked to its end
// without keeping the pixels (a JPEG's compressed data read without the inverse transform, a
// plain BMP's rows found in the file). On a worker only once the application object exists.
bool jpegWhole(const QString& path);
bool bmpWhole(const QString& path);
bool pngWhole(const QString& path);
// The size in a picture file's header, looked at as the readers above would, without decoding
// the pixels; an invalid size when the file is missing or the header does not describe a
// picture the reader would take.
QSize jpegSize(const QString& path);
QSize bmpSize(const QString& path);
QSize pngSize(const QString& path);
} // namespace ImageDecode
