#include "buildmanifest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>
#include <algorithm>

BuildManifest::BuildManifest(const QString& path) : path_(path) {}

void BuildManifest::load() {
    QMutexLocker lock(&mutex_);
    entries_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const int tab = line.indexOf('\t');
        if (tab > 0)
            entries_.insert(QString::fromUtf8(line.left(tab)), line.mid(tab + 1));
    }
}

bool BuildManifest::save(QString* error) const {
    QMutexLocker lock(&mutex_);
    QStringList keys = entries_.keys();
    std::sort(keys.begin(), keys.end());
    QByteArray out;
    for (const QString& key : keys)
        out += key.toUtf8() + '\t' + entries_.value(key) + '\n';
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
        if (error)
            *error = "cannot write " + path_;
        return false;
    }
    return true;
}

QByteArray BuildManifest::fingerprint(const QByteArray& inputs) {
    return QCryptographicHash::hash(inputs, QCryptographicHash::Sha1).toHex();
}

bool BuildManifest::upToDate(const QString& key, const QString& file,
                             const QByteArray& fingerprint) const {
    QMutexLocker lock(&mutex_);
    const auto it = entries_.constFind(key);
    return it != entries_.constEnd() && it.value() == fingerprint && QFileInfo(file).isFile() &&
           QFileInfo(file).size() > 0;
}

void BuildManifest::record(const QString& key, const QByteArray& fingerprint) {
    QMutexLocker lock(&mutex_);
    entries_.insert(key, fingerprint);
}

void BuildManifest::forget(const QString& key) {
    QMutexLocker lock(&mutex_);
    entries_.remove(key);
}
