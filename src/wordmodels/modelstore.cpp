#include "modelstore.h"

#include "recordingfile.h"
#include "wavesamples.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {
const QString kSuffix = QStringLiteral(".pw");
}

ModelStore::ModelStore(QString folder) : m_folder(std::move(folder)) {}

QString ModelStore::PathOf(const QString& name) const {
    return m_folder + QLatin1Char('/') + name + kSuffix;
}

bool ModelStore::Has(const QString& name) const {
    const QFileInfo info(PathOf(name));
    return info.isFile();
}

QStringList ModelStore::Names() const {
    QStringList names;
    const QStringList files =
        QDir(m_folder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names.append(file.chopped(kSuffix.size()));
    return names;
}

bool ModelStore::Save(const QString& name, const std::vector<std::int16_t>& samples) {
    m_lastError.clear();
    if (!QDir().mkpath(m_folder)) {
        m_lastError = QStringLiteral("Nie można utworzyć folderu %1.").arg(m_folder);
        return false;
    }
    QSaveFile file(PathOf(name));
    if (!file.open(QIODevice::WriteOnly)) {
        m_lastError = file.errorString();
        return false;
    }
    const QByteArray bytes = RecordingFile::WaveOf(samples.data(), samples.size());
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        m_lastError = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ModelStore::Remove(const QString& name) {
    m_lastError.clear();
    QFile file(PathOf(name));
    if (!QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isSymLink())
        return true;
    if (file.remove())
        return true;
    m_lastError = file.errorString();
    return false;
}

std::optional<std::vector<short>> ModelStore::Load(const QString& name) const {
    return loadWaveSamples(PathOf(name));
}
