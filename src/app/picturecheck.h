#pragma once

#include <QString>
#include <QStringList>

// Looks at interface picture files without decoding their pixels: a file passes when it exists
// and the program's reader (".xji" JPEG, ".xbi" BMP, anything else PNG) accepts its header
// and finds a size in it. Cheap enough to cover every window's pictures before the menu
// shows, and safe on any thread.
class PictureCheck {
public:
    // The entries of `files` (relative to `folder`) that are missing or unreadable, in order.
    static QStringList Unreadable(const QString& folder, const QStringList& files);
    static bool Readable(const QString& path);
};
