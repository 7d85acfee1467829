#include "modelexport.h"

#include "modelcatalogue.h"
#include "modelstore.h"
#include "recordingfile.h"

#include <QDir>
#include <QSaveFile>

QString ModelExport::FileNameOf(const ModelEntry& entry) {
    return (entry.isPhrase() ? entry.name : entry.text) + QStringLiteral(".wav");
}

ModelExport::Result ModelExport::Run(const ModelCatalogue& catalogue, const ModelStore& store,
                                     const QString& folder) {
    Result result;
    if (!QDir().mkpath(folder)) {
        result.problems.append(QStringLiteral("%1: nie można utworzyć folderu").arg(folder));
        return result;
    }
    for (const auto* list : {&catalogue.Words(), &catalogue.Phrases()}) {
        for (const ModelEntry& entry : *list) {
            if (!store.Has(entry.name))
                continue;
            const QString name = FileNameOf(entry);
            // Read and written anew, so that what a colleague gets is a whole WAVE file.
            const std::optional<std::vector<short>> samples = store.Load(entry.name);
            if (!samples) {
                result.problems.append(name + QStringLiteral(": wzorzec jest uszkodzony"));
                continue;
            }
            QSaveFile file(folder + QLatin1Char('/') + name);
            const QByteArray bytes = RecordingFile::WaveOf(samples->data(), samples->size());
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
                !file.commit()) {
                result.problems.append(name + QStringLiteral(": ") + file.errorString());
                continue;
            }
            ++result.written;
        }
    }
    return result;
}
