#pragma once

#include <QHash>
#include <QString>

// What earlier starts found whole: a picture file whose size, times and identity on disk have
// not changed since it was verified is not decoded again. Any write to a file (a cut, a copy
// over it, a new file of the same name) changes its change time, so it is verified anew. Kept
// in the user's cache folder; without one there is nothing to remember and every file is read.
class PictureCheckCache {
public:
    // An empty path keeps nothing.
    explicit PictureCheckCache(QString path);
    // $XDG_CACHE_HOME/wiklotek/whole-pictures, or ~/.cache/...; empty without a home.
    static QString DefaultPath();

    void Load();
    // The file is as it was when it was found whole.
    bool Known(const QString& file);
    // Remembers the file as found whole, as it is now on disk.
    void Add(const QString& file);
    // Writes the files asked about since Load that are known whole, when that is not what the
    // file holds already (files of another program folder are forgotten); false when it could
    // not be written.
    bool Save() const;

private:
    static QByteArray stamp(const QString& file);

    QString m_path;
    QHash<QString, QByteArray> m_whole;
    QHash<QString, QByteArray> m_used;
};
