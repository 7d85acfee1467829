#include "qttranslation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

QApplication& widgetApp() {
    static int argc = 1;
    static char name[] = "wk-qttranslation-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct LanguageCase {
    const char* name;
    QStringList uiLanguages;
    const char* language;
};

class Languages : public testing::TestWithParam<LanguageCase> {};

TEST_P(Languages, PolishOnlyWhenTheFirstLanguageIsPolish) {
    EXPECT_EQ(QtTranslation::LanguageFor(GetParam().uiLanguages),
              QString::fromUtf8(GetParam().language));
}

INSTANTIATE_TEST_SUITE_P(SystemLanguages, Languages,
                         testing::Values(LanguageCase{"PolishPoland", {"pl-PL", "pl"}, "pl"},
                                         LanguageCase{"PolishAlone", {"pl"}, "pl"},
                                         LanguageCase{"EnglishUs", {"en-US", "en"}, "en"},
                                         LanguageCase{"GermanThenPolish", {"de-DE", "pl-PL"}, "en"},
                                         LanguageCase{"CLocale", {"C"}, "en"},
                                         LanguageCase{"None", {}, "en"}),
                         [](const testing::TestParamInfo<LanguageCase>& info) {
                             return std::string(info.param.name);
                         });

// Qt's own file dialog, as the progress view's "Zapisz CSV" opens it, with Qt's catalogue of
// the language installed: its buttons' texts without the mnemonic's ampersand.
struct DialogCase {
    const char* language;
    const char* save;
    const char* cancel;
};

class FileDialogButtons : public testing::TestWithParam<DialogCase> {
protected:
    static void SetUpTestSuite() { widgetApp(); }
};

QString buttonText(QDialogButtonBox* box, QDialogButtonBox::StandardButton which) {
    QPushButton* button = box ? box->button(which) : nullptr;
    return button ? button->text().remove(u'&') : QStringLiteral("<no button>");
}

TEST_P(FileDialogButtons, SpeakTheCataloguesLanguage) {
    const DialogCase& c = GetParam();
    QTranslator translator;
    ASSERT_TRUE(QtTranslation::Load(translator, QString::fromUtf8(c.language)))
        << "Qt's catalogue qtbase_" << c.language
        << " is not installed (Debian: qt6-translations-l10n, which scripts/setup installs)";
    // English's catalogue holds only plural forms, which Qt counts as empty: no result to check.
    QCoreApplication::installTranslator(&translator);
    {
        QFileDialog dialog(nullptr, QStringLiteral("Zapisz tabelę"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        QDialogButtonBox* box = dialog.findChild<QDialogButtonBox*>();
        EXPECT_EQ(buttonText(box, QDialogButtonBox::Save).toStdString(), c.save);
        EXPECT_EQ(buttonText(box, QDialogButtonBox::Cancel).toStdString(), c.cancel);
    }
    QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(Catalogues, FileDialogButtons,
                         testing::Values(DialogCase{"pl", "Zachowaj", "Anuluj"},
                                         DialogCase{"en", "Save", "Cancel"}),
                         [](const testing::TestParamInfo<DialogCase>& info) {
                             return std::string(info.param.language);
                         });

} // namespace
