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

struct Export {
    QLatin1StringView name;
    CommandLine::Action action;
    const char* needs;
};

constexpr Export Exports[] = {
    {QLatin1StringView("--export-csv"), CommandLine::Action::ExportCsv,
     "--export-csv needs the name of the CSV file to write (\"-\" for standard output)"},
    {QLatin1StringView("--export-attempts"), CommandLine::Action::ExportAttempts,
     "--export-attempts needs the name of the CSV file to write (\"-\" for standard output)"},
    {QLatin1StringView("--import-models"), CommandLine::Action::ImportModels,
     "--import-models needs the folder of the WAVE files to import"},
    {QLatin1StringView("--export-models"), CommandLine::Action::ExportModels,
     "--export-models needs the folder to write the models into"},
    {QLatin1StringView("--analyse"), CommandLine::Action::Analyse,
     "--analyse needs the name of the WAVE file to analyse"},
};

constexpr QLatin1StringView ChildSwitch("--child");

} // namespace

CommandLine::CommandLine(const QStringList& arguments) {
    qsizetype first = 1;
    if (arguments.size() > 1 && arguments.at(1) == QLatin1String("z")) {
        m_action = Action::Report;
        first = 2;
    }
    // An action decided: later actions are only words; --child is still read.
    bool decided = m_action != Action::Run;
    for (qsizetype i = first; i < arguments.size(); ++i) {
        // "--" ends the options: what follows belongs to nobody.
        if (arguments.at(i) == QLatin1String("--"))
            return;
        QString value;
        if (takeValue(arguments, i, ChildSwitch, value)) {
            if (value.trimmed().isEmpty()) {
                usage(QStringLiteral("--child needs the name of a child"));
                return;
            }
            m_childName = value;
            continue;
        }
        if (decided)
            continue;
        for (const Export& e : Exports)
            if (takeValue(arguments, i, e.name, value)) {
                if (value.isEmpty()) {
                    usage(QString::fromUtf8(e.needs));
                    return;
                }
                m_action = e.action;
                m_exportFile = value;
                decided = true;
                break;
            }
        for (const Option& option : Options)
            if (!decided && arguments.at(i) == option.name) {
                m_action = option.action;
                return;
            }
    }
}

bool CommandLine::takeValue(const QStringList& arguments, qsizetype& i, QLatin1StringView name,
                            QString& value) {
    const QString& argument = arguments.at(i);
    value.clear();
    if (argument == name) {
        if (i + 1 < arguments.size())
            value = arguments.at(++i);
        return true;
    }
    if (argument.startsWith(name + u'=')) {
        value = argument.mid(name.size() + 1);
        return true;
    }
    return false;
}

void CommandLine::usage(const QString& error) {
    m_action = Action::Usage;
    m_usageError = error;
    m_exportFile.clear();
    m_childName.reset();
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
    case Action::ExportAttempts:
    case Action::ImportModels:
    case Action::ExportModels:
    case Action::Analyse:
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
        "Użycie: wiklotek [z | --help | --version | --export-csv PLIK |"
        " --export-attempts PLIK | --import-models FOLDER | --export-models FOLDER |"
        " --analyse PLIK.wav | --child IMIĘ | --no-scale]\n"
        "  (bez argumentów)  uruchamia program na pełnym ekranie\n"
        "  z                 sprawdza pliki obrazków i dźwięków słów w pakiecie danych\n"
        "                    programu; gdy czegoś brakuje, zapisuje \"Raport zasobów.txt\"\n"
        "                    w bieżącym folderze (gdy nie można w nim pisać: w folderze\n"
        "                    danych użytkownika) i podaje, gdzie\n"
        "  --help            pokazuje ten opis\n"
        "  --version         pokazuje wersję programu\n"
        "  --export-csv PLIK zapisuje wszystkie zapisane gry do pliku CSV (bez okna), z\n"
        "                    imieniem dziecka w ostatniej kolumnie; także --export-csv=PLIK,\n"
        "                    a \"-\" to standardowe wyjście\n"
        "  --export-attempts PLIK\n"
        "                    zapisuje każdą odpowiedź z dziennika ćwiczeń do pliku CSV\n"
        "                    (bez okna); także --export-attempts=PLIK, \"-\" jak wyżej\n"
        "  --import-models FOLDER\n"
        "                    bierze pliki WAVE z folderu jako własne wzorce wyrazów\n"
        "                    i zwrotów (nazwa pliku to wyraz, np. \"żaba.wav\", albo jego\n"
        "                    klucz), przycina je i wyrównuje głośność jak nagranie, podaje\n"
        "                    wynik dla każdego pliku\n"
        "  --export-models FOLDER\n"
        "                    zapisuje własne wzorce do folderu jako pliki WAVE\n"
        "  --analyse PLIK.wav\n"
        "                    wypisuje szumy głosek s, ś, sz i pokrewnych z nagrania: wiersz\n"
        "                    na każdy, pola rozdzielone tabulatorem: początek i koniec w ms,\n"
        "                    środek ciężkości i szczyt widma szumu w Hz, ocena s, ś albo sz\n"
        "                    (na skali dla głosu dziecka); także --analyse=PLIK.wav\n"
        "  --child IMIĘ      uruchamia program z wybranym tym dzieckiem (tworzy je, gdy\n"
        "                    go nie ma); z eksportem: tylko gry lub odpowiedzi tego dziecka\n"
        "                    (\"Gość\" to gość); także --child=IMIĘ\n"
        "  --no-scale        nie powiększa gier na ekranach większych niż 1024 x 768\n"
        "                    (także zmienna środowiska WIKLOTEK_NO_SCALE=1)\n"
        "\n"
        "Kody wyjścia: 0 poprawnie; 1-4 błędy programu (1 brak zasobów, 2 za mały ekran,\n"
        "3 plik statystyk, 4 plik konfiguracyjny); 5 błąd krytyczny; 6 program już działa\n"
        "i nie odpowiada; 7 brak ekranu; 64 błędnie podana opcja. Tryb z: 1 brak plików\n"
        "(raport zapisany), 2 raportu nie zapisano. --export-csv i --export-attempts:\n"
        "2 nie można odczytać statystyk ani dziennika albo nie ma dziecka o tym imieniu,\n"
        "3 nie można zapisać pliku, 4 PLIK to plik programu (nie nadpisano go).\n"
        "--import-models: 2 nie zaimportowano żadnego pliku. --export-models: 2 nie ma\n"
        "własnych wzorców, 3 części wzorców nie zapisano. --analyse: 2 nie można odczytać\n"
        "pliku WAVE.\n"
        "\n"
        "Wiklotek Cz.I: speech-therapy picture games for Polish children.\n"
        "\n"
        "Usage: wiklotek [z | --help | --version | --export-csv FILE |"
        " --export-attempts FILE | --import-models DIR | --export-models DIR |"
        " --analyse FILE.wav | --child NAME | --no-scale]\n"
        "  (no arguments)    starts the program full screen\n"
        "  z                 checks the words' picture and sound files in the program's\n"
        "                    data pack; when some are missing, writes \"Raport zasobów.txt\"\n"
        "                    into the current folder (when it cannot be written: into the\n"
        "                    user's data folder) and says where\n"
        "  --help            shows this text\n"
        "  --version         shows the program's version\n"
        "  --export-csv FILE writes every recorded game into a CSV file (no window), the\n"
        "                    child's name in the last column; also --export-csv=FILE, and\n"
        "                    \"-\" is standard output\n"
        "  --export-attempts FILE\n"
        "                    writes every answer in the practice log into a CSV file (no\n"
        "                    window); also --export-attempts=FILE, \"-\" as above\n"
        "  --import-models DIR\n"
        "                    takes the folder's WAVE files as own models of the words and\n"
        "                    phrases (the file named by the word, e.g. \"żaba.wav\", or by\n"
        "                    its key), trims and levels them as a recording, and reports\n"
        "                    on each file\n"
        "  --export-models DIR\n"
        "                    writes the own models into the folder as WAVE files\n"
        "  --analyse FILE.wav\n"
        "                    lists the hiss of the s, ś, sz sounds and their kin in a\n"
        "                    recording: one line each, tab-separated: start and end in ms,\n"
        "                    the noise's spectral centre of gravity and peak in Hz, and the\n"
        "                    verdict s, ś or sz (on the scale for a child's voice); also\n"
        "                    --analyse=FILE.wav\n"
        "  --child NAME      starts with that child chosen, created when it does not exist;\n"
        "                    with an export: only that child's games or answers (\"Gość\"\n"
        "                    is the guest); also --child=NAME\n"
        "  --no-scale        keeps the games unenlarged on screens larger than 1024 x 768\n"
        "                    (also the environment variable WIKLOTEK_NO_SCALE=1)\n"
        "\n"
        "Exit status: 0 success; 1-4 the program's errors (1 resources missing, 2 screen\n"
        "too small, 3 statistics file, 4 configuration file); 5 critical error; 6 running\n"
        "copy does not answer; 7 no usable display; 64 a switch given wrongly. Mode z:\n"
        "1 files missing (report written), 2 report not written. --export-csv and\n"
        "--export-attempts: 2 statistics and log unreadable or no child of that name,\n"
        "3 file not written, 4 FILE is one of the program's own files (not replaced).\n"
        "--import-models: 2 no file imported. --export-models: 2 no own models,\n"
        "3 some models not written. --analyse: 2 the WAVE file cannot be read.\n");
}
