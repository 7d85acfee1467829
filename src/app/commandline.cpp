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
        for (const Option& option : Options)
            if (arguments.at(i) == option.name) {
                m_action = option.action;
                return;
            }
    }
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
        "  z                 sprawdza pliki obrazków i dźwięków słów i zapisuje\n"
        "                    \"Raport zasobów.txt\" w bieżącym folderze, gdy czegoś brakuje\n"
        "  --help            pokazuje ten opis\n"
        "  --version         pokazuje wersję programu\n"
        "  --export-csv PLIK zapisuje wszystkie zapisane gry do pliku CSV (bez okna)\n"
        "  --no-scale        nie powiększa gier na ekranach większych niż 1024 x 768\n"
        "                    (także zmienna środowiska WIKLOTEK_NO_SCALE=1)\n"
        "\n"
        "Wiklotek Cz.I: speech-therapy picture games for Polish children.\n"
        "\n"
        "Usage: wiklotek [z | --help | --version | --export-csv FILE | --no-scale]\n"
        "  (no arguments)    starts the program full screen\n"
        "  z                 checks the words' picture and sound files and writes\n"
        "                    \"Raport zasobów.txt\" into the current folder when some are missing\n"
        "  --help            shows this text\n"
        "  --version         shows the program's version\n"
        "  --export-csv FILE writes every recorded game into a CSV file (no window)\n"
        "  --no-scale        keeps the games unenlarged on screens larger than 1024 x 768\n"
        "                    (also the environment variable WIKLOTEK_NO_SCALE=1)\n");
}
