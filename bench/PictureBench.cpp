// Loading the pictures of one date: eight 12-megapixel JPEG photographs (4000 x 3000, with
// noise so that they compress like photographs) read into the picture slots, fitted to a
// 1920 x 1080 display and drawn once, as choosing a date in the slideshow does. Reports the
// time per date, the peak resident memory and the bytes the slots hold.

#include "pictures/CPicture.h"
#include "pictures/PictureDrawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

using namespace vitalog;

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

QStringList& Photographs() {
    static QStringList paths;
    return paths;
}

void WritePhotographs() {
    QRandomGenerator random(7);
    for (int n = 0; n < PictureSlotCount; ++n) {
        QImage image(4000, 3000, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                // A smooth scene with grain, as a camera sees it.
                const int grain = int(random.bounded(48)) - 24;
                line[x] = qRgb(qBound(0, (x / 16 + n * 20) % 256 + grain, 255),
                               qBound(0, y / 12 + grain, 255),
                               qBound(0, 128 + grain + (x + y) / 64 % 64, 255));
            }
        }
        const QString path = Folder().filePath(QStringLiteral("photo%1.jpg").arg(n));
        image.save(path, "jpg", 90);
        Photographs() << path;
    }
}

void LoadOneDate(benchmark::State& state) {
    QImage display(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        ReleasePictureSlots();
        for (int n = 0; n < PictureSlotCount; ++n)
            PictureSlots()[std::size_t(n)].LoadFromFile(Photographs()[n]);
        const int zoom = FitToArea(0, display.size(), PictureSlotCount, &display);
        QPainter painter(&display);
        DrawPictures(&painter, &display, zoom, 0);
        benchmark::DoNotOptimize(zoom);
    }
    qint64 held = 0;
    for (const CPicture& picture : PictureSlots())
        held += picture.PictureHandle().sizeInBytes();
    state.counters["held_mb"] = double(held) / (1024.0 * 1024.0);
    state.counters["peak_rss_mb"] = PeakRssMb();
    ReleasePictureSlots();
}
BENCHMARK(LoadOneDate)->Unit(benchmark::kMillisecond)->Iterations(3);

// One repaint of the loaded date, as scrolling or uncovering the window asks for.
void RepaintOneDate(benchmark::State& state) {
    QImage display(1920, 1080, QImage::Format_RGB32);
    ReleasePictureSlots();
    for (int n = 0; n < PictureSlotCount; ++n)
        PictureSlots()[std::size_t(n)].LoadFromFile(Photographs()[n]);
    const int zoom = FitToArea(0, display.size(), PictureSlotCount, &display);
    for (auto _ : state) {
        QPainter painter(&display);
        DrawPictures(&painter, &display, zoom, 0);
    }
    ReleasePictureSlots();
}
BENCHMARK(RepaintOneDate)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    WritePhotographs();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
