#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// Qt's own texts (the buttons and labels of its file, print and message dialogs) in the
// system's language: Polish when that is Polish, English otherwise. The program's own texts
// are Polish whatever the system says, and a third language beside them would only confuse.
class QtTranslation {
public:
    // "pl" when the first of the user's languages (QLocale::uiLanguages) is Polish, else "en".
    static QString LanguageFor(const QStringList& uiLanguages);
    // Qt's catalogue of that language from Qt's translations folder; false when it is not
    // installed (Debian's qt6-translations-l10n has it).
    static bool Load(QTranslator& translator, const QString& language);
    // The catalogue for the system's languages, installed on the application for the rest of
    // the run; false when there is none. Needs the application object.
    static bool Install();
};
