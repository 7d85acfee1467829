#include "qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString QtTranslation::LanguageFor(const QStringList& uiLanguages) {
    if (!uiLanguages.isEmpty() && QLocale(uiLanguages.first()).language() == QLocale::Polish)
        return QStringLiteral("pl");
    return QStringLiteral("en");
}

bool QtTranslation::Load(QTranslator& translator, const QString& language) {
    return translator.load(QStringLiteral("qtbase_") + language,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool QtTranslation::Install() {
    // Also for English, Qt's own language: its catalogue gives the plural forms ("1 file").
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!Load(*translator, LanguageFor(QLocale::system().uiLanguages()))) {
        delete translator;
        return false;
    }
    // Installed even when it says false: a catalogue of plural forms alone counts as empty, and
    // the application keeps it from now on.
    QCoreApplication::installTranslator(translator);
    return true;
}
