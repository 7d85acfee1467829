#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

// Decodes picture files on a thread of its own ahead of their first use: the menu's pictures
// are decoded while the splash shows, and the menu's constructor only takes them. The file
// loaders (loadJpegFile, loadBmpFile, loadPngFile) ask here first. Files are known by their
// canonical path, so a relative path given now and another later meet as long as both name the
// same file.
class PicturePreload {
public:
    // Starts decoding the files, in the order given, after any earlier list. A file that does
    // not exist, or is listed already, is left out.
    static void Start(const QStringList& files);
    // The picture decoded ahead for this file, waiting while it is being decoded. Nothing when
    // the file was not listed, was taken already, or did not decode: the caller then reads it
    // itself and meets any error as usual.
    static std::optional<QImage> Take(const QString& file);
    // Ends the decoding after the current file and drops what nobody took.
    static void Stop();
};
