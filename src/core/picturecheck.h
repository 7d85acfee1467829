#pragma once

#include <QString>
#include <QStringList>

// Verifies interface picture files to their end without keeping their pixels: a file passes
// when it is a regular file and the program's reader (".xji" JPEG, ".xbi" BMP, anything else
// PNG) would decode the whole picture in it, so that a cut or damaged picture is error 1 before
// the menu shows rather than when its window opens. Cheap enough to cover every window's
// pictures at start-up; on a worker once the application object exists (Qt's readers check
// the kinds the program's own readers leave to them).
class PictureCheckCache;

class PictureCheck {
public:
    // The entries of `files` (relative to `folder`) that are missing or unreadable, in order;
    // a helper thread (CoreSplit::EnterHelper) verifies some of them.
    // Files the cache knows as whole are not read again; those found whole are added to it.
    static QStringList Unreadable(const QString& folder, const QStringList& files,
                                  PictureCheckCache* cache = nullptr);
    static bool Readable(const QString& path);
};
