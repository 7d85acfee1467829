#include "modelcommands.h"

#include "modelcatalogue.h"
#include "modelexport.h"
#include "modelimport.h"
#include "modelstore.h"

#include <QDir>
#include <QFileInfo>

namespace {

void line(std::FILE* out, const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), out);
}

// Polish nouns after a number: 1 wzorzec, 2-4 (not 12-14) wzorce, otherwise wzorców.
QString counted(qsizetype n, const char* one, const char* few, const char* many) {
    const qsizetype tens = n % 100, units = n % 10;
    const char* form = n == 1                                                   ? one
                       : (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) ? few
                                                                                : many;
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(form));
}

bool noHome(const QString& modelsFolder) {
    if (!modelsFolder.isEmpty())
        return false;
    line(stderr, QStringLiteral("wiklotek: brak folderu na wzorce: ten użytkownik nie ma "
                                "folderu domowego"));
    return true;
}

} // namespace

int ModelCommands::Import(const QString& folder, const QString& modelsFolder,
                          const ModelCatalogue& catalogue, std::FILE* out) {
    if (noHome(modelsFolder))
        return ExitNothing;
    if (!QFileInfo(folder).isDir()) {
        line(stderr, QStringLiteral("wiklotek: %1 nie jest folderem").arg(folder));
        return ExitNothing;
    }
    ModelStore store(modelsFolder);
    const std::vector<ImportedFile> files = ModelImport::Run(folder, catalogue, store);
    for (const ImportedFile& file : files)
        line(out, ModelImport::LineText(file, catalogue));
    const int imported = ModelImport::ImportedCount(files);
    if (files.empty())
        line(out, QStringLiteral("W folderze %1 nie ma plików WAVE (.wav).")
                      .arg(QDir::toNativeSeparators(folder)));
    else
        // After "z" the genitive: "z 1 pliku", "z 5 plików".
        line(out, QStringLiteral("Zaimportowano %1 z %2 WAVE do %3.")
                      .arg(imported)
                      .arg(counted(qsizetype(files.size()), "pliku", "plików", "plików"))
                      .arg(QDir::toNativeSeparators(modelsFolder)));
    std::fflush(out);
    return imported > 0 ? ExitDone : ExitNothing;
}

int ModelCommands::Export(const QString& folder, const QString& modelsFolder,
                          const ModelCatalogue& catalogue, std::FILE* out) {
    if (noHome(modelsFolder))
        return ExitNothing;
    const ModelStore store(modelsFolder);
    if (store.Names().isEmpty()) {
        line(stderr, QStringLiteral("wiklotek: nie ma własnych wzorców do zapisania (%1)")
                         .arg(QDir::toNativeSeparators(modelsFolder)));
        return ExitNothing;
    }
    const ModelExport::Result result = ModelExport::Run(catalogue, store, folder);
    for (const QString& problem : result.problems)
        line(stderr, QStringLiteral("wiklotek: ") + problem);
    line(out, QStringLiteral("Zapisano %1 do %2.")
                  .arg(counted(result.written, "wzorzec", "wzorce", "wzorców"))
                  .arg(QDir::toNativeSeparators(folder)));
    std::fflush(out);
    return result.problems.isEmpty() ? ExitDone : ExitNotWritten;
}

QString ModelCommands::CensusText(const ModelCatalogue& catalogue, const QString& modelsFolder) {
    const ModelStore store(modelsFolder);
    int counts[2] = {0, 0};
    int damaged = 0;
    const std::vector<ModelEntry>* lists[2] = {&catalogue.Words(), &catalogue.Phrases()};
    for (int i = 0; i < 2; ++i)
        for (const ModelEntry& entry : *lists[i])
            if (store.Has(entry.name)) {
                ++counts[i];
                if (!store.Load(entry.name))
                    ++damaged;
            }
    QString text = QStringLiteral("Własne nagrania (Wzorce): %1 z %2 wyrazów, %3 z %4 zwrotów")
                       .arg(counts[0])
                       .arg(lists[0]->size())
                       .arg(counts[1])
                       .arg(lists[1]->size());
    if (damaged)
        text +=
            QStringLiteral("; %1 uszkodzonych (zamiast nich grają nagrania programu)").arg(damaged);
    return text + QLatin1Char('.');
}
