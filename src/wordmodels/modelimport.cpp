#include "modelimport.h"

#include "modelcatalogue.h"
#include "modelstore.h"
#include "wavesamples.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace {
constexpr int kRate = 22050; // what the reader converts every file to
}

std::vector<ImportedFile> ModelImport::Run(const QString& folder, const ModelCatalogue& catalogue,
                                           ModelStore& store) {
    std::vector<ImportedFile> files;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot,
                                                             QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) != 0)
            continue;
        ImportedFile file;
        file.file = entry.fileName();
        file.name = catalogue.Match(entry.completeBaseName());
        if (file.name.isEmpty()) {
            files.push_back(file);
            continue;
        }
        const std::optional<std::vector<short>> samples = loadWaveSamples(entry.filePath());
        if (!samples || samples->empty()) {
            file.result = ImportedFile::Result::Unreadable;
            files.push_back(file);
            continue;
        }
        const CleanedTake take = TakeCleaner::Clean(*samples, kRate);
        file.warnings = take.report.warnings;
        if (file.warnings.Unusable())
            file.result = file.warnings.Has(TakeWarning::MostlyNoise)
                              ? ImportedFile::Result::MostlyNoise
                              : ImportedFile::Result::TooQuiet;
        else if (!store.Save(file.name, take.samples)) {
            file.result = ImportedFile::Result::NotSaved;
            file.error = store.LastError();
        } else
            file.result = ImportedFile::Result::Imported;
        files.push_back(file);
    }
    return files;
}

QString ModelImport::LineText(const ImportedFile& file, const ModelCatalogue& catalogue) {
    const ModelEntry* entry = catalogue.Find(file.name);
    const QString what = entry ? QStringLiteral("„%1”").arg(entry->text) : QString();
    QString text;
    switch (file.result) {
    case ImportedFile::Result::Imported:
        text = QStringLiteral("zaimportowano jako %1").arg(what);
        if (file.warnings.Has(TakeWarning::Clipped))
            text += QLatin1Char(' ') + TakeCleaner::WarningText(TakeWarning::Clipped);
        break;
    case ImportedFile::Result::UnknownName:
        text = QStringLiteral("pominięto: nazwa nie jest żadnym wyrazem ani zwrotem");
        break;
    case ImportedFile::Result::Unreadable:
        text = QStringLiteral("pominięto: to nie jest czytelny plik WAVE");
        break;
    case ImportedFile::Result::TooQuiet:
        text = QStringLiteral("pominięto (%1): ").arg(what) +
               TakeCleaner::WarningText(TakeWarning::TooQuiet);
        break;
    case ImportedFile::Result::MostlyNoise:
        text = QStringLiteral("pominięto (%1): ").arg(what) +
               TakeCleaner::WarningText(TakeWarning::MostlyNoise);
        break;
    case ImportedFile::Result::NotSaved:
        text = QStringLiteral("nie zapisano (%1): %2").arg(what, file.error);
        break;
    }
    return file.file + QStringLiteral(": ") + text;
}

int ModelImport::ImportedCount(const std::vector<ImportedFile>& files) {
    return int(std::count_if(files.begin(), files.end(), [](const ImportedFile& f) {
        return f.result == ImportedFile::Result::Imported;
    }));
}
