#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

// Remembers, for every file the generator made, a fingerprint of what it was made from. A file
// is kept on the next run when it still exists and its fingerprint is unchanged; a changed
// recipe, picture source, voice setting or generator version remakes it.
class BuildManifest {
public:
    explicit BuildManifest(const QString& path);

    // Loads the manifest; a missing or unreadable one just means nothing is known to be done.
    void load();
    bool save(QString* error = nullptr) const;

    static QByteArray fingerprint(const QByteArray& inputs);

    // True when file (absolute) exists and was last made from the same fingerprint.
    bool upToDate(const QString& key, const QString& file, const QByteArray& fingerprint) const;
    void record(const QString& key, const QByteArray& fingerprint);
    void forget(const QString& key);

private:
    QString path_;
    QHash<QString, QByteArray> entries_;
    mutable QMutex mutex_;
};
