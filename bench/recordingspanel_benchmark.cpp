// A click on "rrec" until the recorder records (catalogue entry written, file emptied, capture
// started) and a click on "rodtworz" until a minute-long recording plays, through the real
// menu window offscreen with the interface pictures of the data pack in WK_BINARY_DIR/Data (or
// in WK_DATA).
// Goal: under 150 ms each. SDL's dummy driver unless SDL_AUDIODRIVER says otherwise.
#include "ccheckbut.h"
#include "cdisplay.h"
#include "cnagdata.h"
#include "cnagrywanie.h"
#include "cprzyciskp.h"
#include "cslowa.h"
#include "randomgenerator.h"
#include "recordingfile.h"
#include "settingsstore.h"
#include "tformmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A program folder of its own: the pack's interface pictures linked in, settings and
// recordings private.
struct Panel {
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    RandomGenerator random;
    std::unique_ptr<CSlowa> catalogue;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<CNagrywanie> recorder;
    std::unique_ptr<CDisplay> display;
    std::unique_ptr<TFormMain> main;

    bool open() {
        const QString intf =
            qEnvironmentVariable("WK_DATA", QStringLiteral(WK_BINARY_DIR "/Data")) + "/Intf";
        if (!dir.isValid() || !QDir(intf).exists() || !QDir().mkpath(dir.filePath("Data")) ||
            !QFile::link(intf, dir.filePath("Data/Intf")) || !QDir::setCurrent(dir.path()))
            return false;
        catalogue = std::make_unique<CSlowa>(random);
        settings = std::make_unique<SettingsStore>(dir.filePath("Data/data.ini"));
        settings->LoadAll();
        recorder = std::make_unique<CNagrywanie>(CNagrywanie::Handler(), CNagrywanie::Handler());
        display = std::make_unique<CDisplay>(QSize(1024, 768));
        main = std::make_unique<TFormMain>(
            *display, *settings, *catalogue, [](int) {}, *recorder);
        main->show();
        if (!QTest::qWaitForWindowExposed(main.get()))
            return false;
        main->TabPressed(500);
        main->RecordingsList().NameEdit(0).setText(QStringLiteral("Zosia"));
        QTest::mouseClick(&main->RecordingsList().CheckButton(0).control(), Qt::LeftButton);
        return main->RecordingsList().SelectedRow() == 0;
    }
    void click(CPrzyciskP& button) {
        QTest::mouseClick(&button.control(), Qt::LeftButton, {}, QPoint(5, 5));
    }
    ~Panel() {
        main.reset();
        QDir::setCurrent(previous);
    }
};

void BM_ClickRecord(benchmark::State& state) {
    Panel panel;
    if (!panel.open()) {
        state.SkipWithError("no data pack (set WK_DATA)");
        return;
    }
    for (auto _ : state) {
        panel.click(panel.main->RecordButton());
        state.PauseTiming();
        if (!panel.recorder->IsRecording()) {
            state.SkipWithError("no capture device");
            break;
        }
        panel.click(panel.main->RecStopButton());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClickRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ClickPlay(benchmark::State& state) {
    Panel panel;
    if (!panel.open()) {
        state.SkipWithError("no data pack (set WK_DATA)");
        return;
    }
    // A first recording gives the place its file; then a minute of sound in it.
    panel.click(panel.main->RecordButton());
    panel.click(panel.main->RecStopButton());
    RecordingFile file;
    const std::vector<short> minute(22050 * 60, 3000);
    if (!file.Begin(panel.main->RecordingsList().SoundPath(0)) ||
        !file.Append(minute.data(), minute.size())) {
        state.SkipWithError("recording not written");
        return;
    }
    file.Finish();
    for (auto _ : state) {
        panel.click(panel.main->PlayButton());
        state.PauseTiming();
        if (!panel.recorder->IsPlaying()) {
            state.SkipWithError("no playback device");
            break;
        }
        panel.click(panel.main->RecStopButton());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClickPlay)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
