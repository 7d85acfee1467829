#include "imageloader.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// A 1024 x 768 picture with smooth shapes and fine texture, about like a window background.
QImage backgroundLikePicture() {
    QImage image(1024, 768, QImage::Format_RGB32);
    quint32 noise = 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 29);
            const double wave = std::sin(x / 40.0) * std::cos(y / 55.0);
            row[x] = qRgb(int(120 + 100 * wave) + grain, (x * 255 / 1024 + grain) & 0xFF,
                          (y * 255 / 768 + 2 * grain) & 0xFF);
        }
    }
    return image;
}

void BM_LoadJpeg1024x768(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath("mT_m0_b.xji");
    if (!dir.isValid() || !backgroundLikePicture().save(path, "JPG", 90)) {
        state.SkipWithError("cannot write the test picture");
        return;
    }
    for (auto _ : state) {
        QImage image = loadJpegFile(path);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadJpeg1024x768)->Unit(benchmark::kMillisecond);

} // namespace
