// Composing one state of a menu button: the background under it into the button's own canvas,
// the mask, the state picture, and the result out to the window's canvas. It runs on every
// mouse enter, leave, press and release over a button.
#include "canvas.h"
#include "cprzyciskp.h"
#include "form.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "wk-widgets-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// A program folder with the pictures of a big-variant menu button (100 x 95, a round shape).
class ButtonPictures {
public:
    ButtonPictures() : m_previous(QDir::currentPath()) {
        QDir().mkpath(m_dir.filePath("Data/Intf/Lib"));
        QDir::setCurrent(m_dir.path());
        const QRgb colours[] = {qRgb(200, 40, 40), qRgb(40, 200, 40), qRgb(40, 40, 200)};
        const char* suffixes[] = {"_D", "_A", "_"};
        for (int i = 0; i < 3; ++i)
            save(suffixes[i], colours[i], qRgb(255, 255, 255));
        save("_M", qRgb(255, 255, 255), qRgb(0, 0, 0));
    }
    ~ButtonPictures() { QDir::setCurrent(m_previous); }
    bool ok() const { return m_dir.isValid(); }

private:
    void save(const char* suffix, QRgb inside, QRgb outside) {
        QImage image(100, 95, QImage::Format_RGB32);
        for (int y = 0; y < 95; ++y)
            for (int x = 0; x < 100; ++x) {
                const int dx = x - 50, dy = y - 47;
                image.setPixel(x, y, dx * dx + dy * dy < 45 * 45 ? inside : outside);
            }
        image.save(m_dir.filePath(QString("Data/Intf/Lib/start") + suffix + ".png"));
    }
    QTemporaryDir m_dir;
    QString m_previous;
};

QImage background() {
    QImage image(1024, 768, QImage::Format_RGB32);
    image.fill(qRgb(90, 140, 210));
    return image;
}

// The destination is an off-screen canvas: the composition alone.
void BM_ComposeButtonState(benchmark::State& state) {
    app();
    ButtonPictures pictures;
    const QImage backdrop = background();
    Canvas destination(1024, 768);
    Form window;
    std::unique_ptr<CPrzyciskP> button;
    try {
        button = std::make_unique<CPrzyciskP>(window, "start", destination, backdrop, 500, 600);
    } catch (...) {
        state.SkipWithError("button pictures missing");
        return;
    }
    for (auto _ : state) {
        button->control().paintRequested(); // composes the normal state
        benchmark::DoNotOptimize(destination.image().constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeButtonState)->Unit(benchmark::kMicrosecond);

// The destination is a shown window's canvas: the composition and the window's immediate
// repaint of the button's rectangle.
void BM_ComposeButtonStateOnWindow(benchmark::State& state) {
    app();
    ButtonPictures pictures;
    const QImage backdrop = background();
    Form window;
    window.setClientSize(1024, 768);
    window.show();
    QApplication::processEvents();
    std::unique_ptr<CPrzyciskP> button;
    try {
        button = std::make_unique<CPrzyciskP>(window, "start", window.canvas(), backdrop, 500, 600);
    } catch (...) {
        state.SkipWithError("button pictures missing");
        return;
    }
    for (auto _ : state)
        button->control().paintRequested();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeButtonStateOnWindow)->Unit(benchmark::kMicrosecond);

} // namespace
