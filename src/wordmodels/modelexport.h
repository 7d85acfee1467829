#pragma once

#include <QString>
#include <QStringList>

class ModelCatalogue;
class ModelStore;
struct ModelEntry;

// Writes the own models out for a colleague: each word as "<written word>.wav" ("żaba.wav"),
// each phrase as "<name>.wav" ("g07.wav"), names that ModelImport takes back as they are.
class ModelExport {
public:
    struct Result {
        int written = 0;
        QStringList problems; // "żaba.wav: <why>" for each model that could not be written
    };

    // The folder is made when missing; a file of the same name is replaced.
    static Result Run(const ModelCatalogue& catalogue, const ModelStore& store,
                      const QString& folder);
    static QString FileNameOf(const ModelEntry& entry);
};
