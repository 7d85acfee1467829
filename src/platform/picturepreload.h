#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

// Decodes picture files on a thread of its own ahead of their first use: the menu's pictures
// are decoded while the splash shows, and the menu's constructor only takes them. The thread
// may start before the application object: it decodes into plain memory, and the QImage is
// made on the thread that takes the picture. The file
// loaders (loadJpegFile, loadBmpFile, loadPngFile) ask here first. Files are known by their
// canonical path, so a relative path given now and another later meet as long as both name the
// same file.
class PicturePreload {
public:
    // Starts decoding the files, in the order given, after any earlier list. A file that does
    // not exist, or is listed already, is left out.
    static void Start(const QStringList& files);
    // The picture decoded ahead for this file, waiting only while it is being decoded. Nothing
    // when the file was not listed, its turn has not come yet (it is then dropped from the
    // list), it was taken already, or it did not decode: the caller then reads it itself and
    // meets any error as usual. So a caller never waits behind other files.
    static std::optional<QImage> Take(const QString& file);
    // Makes a black RGB32 image of that size ready after the files listed so far, its memory
    // already written: a window's first canvas or background, which would otherwise cost its
    // thread the mapping of a screen's worth of memory. One more each call. Taken as the
    // pictures are: an image of that size ready or under way, or nothing.
    static void PrepareBuffer(QSize size);
    static std::optional<QImage> TakeBuffer(QSize size);
    // Returns once every file (and buffer) listed so far has been done (or has failed).
    static void WaitUntilDone();
    // Ends the decoding after the current file and drops what nobody took.
    static void Stop();
};
