// wk_datagen: brings the default Data folder up to date.
//   wk_datagen --data <dir> --sets <node_modules/@iconify-json> --source <tools/datagen>
//              [--sheets <dir>] [--jobs N] [--no-sheets]
//   wk_datagen --icons <dir>       the program's icon, into an icon theme tree

#include "datapackbuilder.h"
#include "iconpainter.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv) {
    // Fonts and SVG rendering need a GUI application, never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"data", "Data folder to bring up to date.", "dir"});
    parser.addOption({"sets", "Installed picture sets (node_modules/@iconify-json).", "dir"});
    parser.addOption({"source", "The generator's tables and drawings.", "dir"});
    parser.addOption({"sheets", "Folder for the contact sheets.", "dir"});
    parser.addOption({"jobs", "Worker threads.", "n"});
    parser.addOption({"no-sheets", "Do not write the contact sheets."});
    parser.addOption({"icons", "Icon theme folder to write the program's icon into.", "dir"});
    parser.process(app);
    // The icon needs no picture set: it is made on its own, also where no pack is built.
    if (parser.isSet("icons")) {
        QStringList errors;
        if (!IconPainter::writeTheme(parser.value("icons"), &errors)) {
            for (const QString& error : errors)
                std::fprintf(stderr, "wk_datagen: could not make %s\n", qPrintable(error));
            return 1;
        }
        if (!parser.isSet("data"))
            return 0;
    }
    if (!parser.isSet("data") || !parser.isSet("sets") || !parser.isSet("source")) {
        std::fprintf(stderr, "wk_datagen: --data, --sets and --source are required\n");
        return 2;
    }

    DataPackBuilder::Options options;
    options.dataDir = parser.value("data");
    options.setsDir = parser.value("sets");
    options.sourceDir = parser.value("source");
    options.sheetDir = parser.isSet("sheets") ? parser.value("sheets") : options.dataDir + "/..";
    options.jobs = parser.isSet("jobs") ? parser.value("jobs").toInt()
                                        : std::max(1, QThread::idealThreadCount());
    options.sheets = !parser.isSet("no-sheets");
    options.progress = [](const QString& line) {
        std::printf("-- %s\n", qPrintable(line));
        std::fflush(stdout);
    };

    DataPackBuilder builder(options);
    if (!builder.run()) {
        for (const QString& error : builder.errors())
            std::fprintf(stderr, "wk_datagen: could not make %s\n", qPrintable(error));
        std::fprintf(stderr, "wk_datagen: %d problem(s); the data pack is incomplete\n",
                     int(builder.errors().size()));
        return 1;
    }
    return 0;
}
