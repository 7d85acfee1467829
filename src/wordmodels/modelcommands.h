#pragma once

#include <QString>
#include <cstdio>

class ModelCatalogue;

// The command line's "--import-models DIR" and "--export-models DIR": no window, a line per
// file on standard output, problems on standard error.
class ModelCommands {
public:
    static constexpr int ExitDone = 0;
    // Import: no file was imported. Export: there is no own model to write.
    static constexpr int ExitNothing = 2;
    // Export: some models could not be written.
    static constexpr int ExitNotWritten = 3;

    // modelsFolder is the user's "Wzorce"; empty when the user has no home for it.
    static int Import(const QString& folder, const QString& modelsFolder,
                      const ModelCatalogue& catalogue, std::FILE* out = stdout);
    static int Export(const QString& folder, const QString& modelsFolder,
                      const ModelCatalogue& catalogue, std::FILE* out = stdout);

    // How many own models there are and how many of them cannot be played, for the resource
    // report: "Własne nagrania (Wzorce): 12 z 287 wyrazów, 3 z 87 zwrotów".
    static QString CensusText(const ModelCatalogue& catalogue, const QString& modelsFolder);
};
