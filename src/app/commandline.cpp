#include "commandline.h"

namespace {

struct Option {
    QLatin1StringView name;
    CommandLine::Action action;
};

// Options that answer and end; the first one on the line wins.
constexpr Option Options[] = {
    {QLatin1StringView("--help"), CommandLine::Action::Help},
    {QLatin1StringView("--version"), CommandLine::Action::Version},
};

constexpr QLatin1StringView ExportSwitch("--export-csv");

} // namespace

CommandLine::CommandLine(const QStringList& arguments) {
    if (arguments.size() > 1 && arguments.at(1) == QLatin1String("z")) {
        m_action = Action::Report;
        return;
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        // "--" ends the options: what follows belongs to nobody.
        if (arguments.at(i) == QLatin1String("--"))
            return;
        if (takeExport(arguments, i))
            return;
        for (const Option& option : Options)
            if (arguments.at(i) == option.name) {
                m_action = option.action;
                return;
            }
    }
}

bool CommandLine::takeExport(const QStringList& arguments, qsizetype& i) {
    const QString& argument = arguments.at(i);
    QString file;
    if (argument == ExportSwitch) {
        if (i + 1 < arguments.size())
            file = arguments.at(++i);
    } else if (argument.startsWith(ExportSwitch + u'=')) {
        file = argument.mid(ExportSwitch.size() + 1);
    } else {
        return false;
    }
    if (file.isEmpty()) {
        m_action = Action::Usage;
        m_usageError = QStringLiteral("--export-csv needs the name of the CSV file to write "
                                      "(\"-\" for standard output)");
    } else {
        m_action = Action::ExportCsv;
        m_exportFile = file;
    }
    return true;
}

bool CommandLine::answersWithoutDisplay() const {
    return m_action == Action::Help || m_action == Action::Version;
}

QString CommandLine::answer() const {
    switch (m_action) {
    case Action::Help:
        return helpText();
    case Action::Version:
        return versionText();
    case Action::Run:
    case Action::Report:
    case Action::ExportCsv:
    case Action::Usage:
        break;
    }
    return QString();
}

QString CommandLine::versionText() {
    return QStringLiteral("Wiklotek Cz.I " WIKLOTEK_VERSION);
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Wiklotek Cz.I: gry logopedyczne dla dzieci (sz, ż, cz, dż).\n"
        "\n"
        "Użycie: wiklotek [z | --help | --version | --export-csv PLIK | --no-scale]\n"
        "  (bez argumentów)  uruchamia program na pełnym ekranie\n"
        "  z                 sprawdza pliki obrazków i dźwięków słów w pakiecie danych\n"
        "                    programu; gdy czegoś brakuje, zapisuje \"Raport zasobów.txt\"\n"
        "                    w bieżącym folderze (gdy nie można w nim pisać: w folderze\n"
        "                    danych użytkownika) i podaje, gdzie\n"
        "  --help            pokazuje ten opis\n"
        "  --version         pokazuje wersję programu\n"
        "  --export-csv PLIK zapisuje wszystkie zapisane gry do pliku CSV (bez okna);\n"
        "                    także --export-csv=PLIK, a \"-\" to standardowe wyjście\n"
        "  --no-scale        nie powiększa gier na ekranach większych niż 1024 x 768\n"
        "                    (także zmienna środowiska WIKLOTEK_NO_SCALE=1)\n"
        "\n"
        "Kody wyjścia: 0 poprawnie; 1-4 błędy programu (1 brak zasobów, 2 za mały ekran,\n"
        "3 plik statystyk, 4 plik konfiguracyjny); 5 błąd krytyczny; 6 program już działa\n"
        "i nie odpowiada; 7 brak ekranu; 64 błędnie podana opcja. Tryb z: 1 brak plików\n"
        "(raport zapisany), 2 raportu nie zapisano. --export-csv: 2 nie można odczytać\n"
        "statystyk, 3 nie można zapisać pliku, 4 PLIK to plik programu (nie nadpisano\n"
        "go).\n"
        "\n"
        "Wiklotek Cz.I: speech-therapy picture games for Polish children.\n"
        "\n"
        "Usage: wiklotek [z | --help | --version | --export-csv FILE | --no-scale]\n"
        "  (no arguments)    starts the program full screen\n"
        "  z                 checks the words' picture and sound files in the program's\n"
        "                    data pack; when some are missing, writes \"Raport zasobów.txt\"\n"
        "                    into the current folder (when it cannot be written: into the\n"
        "                    user's data folder) and says where\n"
        "  --help            shows this text\n"
        "  --version         shows the program's version\n"
        "  --export-csv FILE writes every recorded game into a CSV file (no window);\n"
        "                    also --export-csv=FILE, and \"-\" is standard output\n"
        "  --no-scale        keeps the games unenlarged on screens larger than 1024 x 768\n"
        "                    (also the environment variable WIKLOTEK_NO_SCALE=1)\n"
        "\n"
        "Exit status: 0 success; 1-4 the program's errors (1 resources missing, 2 screen\n"
        "too small, 3 statistics file, 4 configuration file); 5 critical error; 6 running\n"
        "copy does not answer; 7 no usable display; 64 a switch given wrongly. Mode z:\n"
        "1 files missing (report written), 2 report not written. --export-csv: 2 statistics\n"
        "unreadable, 3 file not written, 4 FILE is one of the program's own files (not\n"
        "replaced).\n");
}
