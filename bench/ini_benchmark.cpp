// Reading ini files as large as the reader accepts (4 MB): a data.ini of tens of thousands of
// sections, and one section of as many keys. The splash screen waits for data.ini, so its
// reading time must grow with its length only.
#include "inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Just under the largest file the reader takes.
constexpr qsizetype kFileBytes = 4 * 1024 * 1024 - 4096;

// Sections shaped like the recordings catalogue's, each with a name and a date, repeated until
// the file is full. The names differ in case from the lines that read them back.
QByteArray manySections() {
    QByteArray text;
    for (int n = 0; text.size() < kFileBytes - 200; ++n) {
        text += "[Nagranie" + QByteArray::number(n) + "]\r\nPlik=Nagranie" + QByteArray::number(n) +
                "\r\nNazwa=Zosia " + QByteArray::number(n) + "\r\nData=01-09-2024\r\n\r\n";
    }
    return text;
}

QByteArray manyKeys() {
    QByteArray text = "[DaneProgramu]\r\n";
    for (int n = 0; text.size() < kFileBytes - 200; ++n) {
        text += "Klucz" + QByteArray::number(n) + "=wartosc numer " + QByteArray::number(n) +
                " dla testu\r\n";
    }
    return text;
}

void loadFile(benchmark::State& state, const QByteArray& content) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data.ini");
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(content) != content.size()) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    file.close();
    qsizetype count = 0;
    for (auto _ : state) {
        IniFile ini(path);
        if (!ini.load()) {
            state.SkipWithError("the file was not read");
            return;
        }
        count = ini.sections().size();
        benchmark::DoNotOptimize(ini.readString("nagranie0", "PLIK", QString()));
    }
    state.counters["sections"] = double(count);
    state.SetBytesProcessed(state.iterations() * content.size());
}

void BM_LoadIniManySections(benchmark::State& state) {
    loadFile(state, manySections());
}
BENCHMARK(BM_LoadIniManySections)->Unit(benchmark::kMillisecond);

void BM_LoadIniManyKeys(benchmark::State& state) {
    loadFile(state, manyKeys());
}
BENCHMARK(BM_LoadIniManyKeys)->Unit(benchmark::kMillisecond);

} // namespace
