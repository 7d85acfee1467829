#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// The folder of the therapist's own models: "<name>.pw" per word (its catalogue key) or phrase
// ("g00".."b39"), 22050 Hz mono 16-bit WAVE files like the pack's sounds. Every save goes to a
// temporary file first and is renamed over the old model, so a model is always whole: the old
// one or the new one.
class ModelStore {
public:
    explicit ModelStore(QString folder);

    const QString& Folder() const { return m_folder; }
    QString PathOf(const QString& name) const;
    // A model is there when its file is a regular file (a damaged one still counts: the
    // player skips it).
    bool Has(const QString& name) const;
    // The names of the models there, sorted.
    QStringList Names() const;

    // Writes the model, making the folder when it is missing. False, with LastError() saying
    // why, when it cannot be written; an older model then stays as it was.
    bool Save(const QString& name, const std::vector<std::int16_t>& samples);
    // Deletes the model; true when it is gone (or was never there).
    bool Remove(const QString& name);
    // The model's samples; nothing when it is missing or damaged.
    std::optional<std::vector<short>> Load(const QString& name) const;

    const QString& LastError() const { return m_lastError; }

private:
    QString m_folder;
    QString m_lastError;
};
