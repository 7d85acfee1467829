#pragma once

#include "takecleaner.h"

#include <QString>
#include <vector>

class ModelCatalogue;
class ModelStore;

// What became of one file of a folder being imported.
struct ImportedFile {
    enum class Result { Imported, UnknownName, Unreadable, TooQuiet, MostlyNoise, NotSaved };
    QString file; // its name in the folder
    QString name; // the model it names; empty for an unknown name
    Result result = Result::UnknownName;
    TakeWarnings warnings;
    QString error; // why it could not be saved
};

// Takes a colleague's (or another program's) recordings as models: every WAVE file of a folder
// whose name is a word or phrase (see ModelCatalogue::Match) is cleaned and levelled exactly as
// a take recorded in the program and saved over the model it names.
class ModelImport {
public:
    // The folder's ".wav" files (any case), in name order; sub-folders are not entered.
    static std::vector<ImportedFile> Run(const QString& folder, const ModelCatalogue& catalogue,
                                         ModelStore& store);
    // One line of the report: "szafa.wav: zaimportowano jako „szafa”".
    static QString LineText(const ImportedFile& file, const ModelCatalogue& catalogue);
    static int ImportedCount(const std::vector<ImportedFile>& files);
};
