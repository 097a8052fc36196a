// What the Qt program adds with the whole catalogue: replaying a frame of
// each view onto the back buffer (12,000 shown), and the Satelites dialog with
// 30,000 rows: opening it, and one Find keystroke.
#include <memory>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include "app/dialogs/satellites_dialog.hpp"
#include "app/drawing_bitmaps.hpp"
#include "ui/main_window_paint.hpp"

#include "../../tests/support/busy_sky.hpp"
#include "../../tests/support/synthetic_catalog.hpp"

namespace {

using namespace vantrek;
using namespace vantrek::app;
using namespace vantrek::testing;

struct Surfaces {
    QImage back{kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32};
    QImage signal{kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32};
    QImage work{kWorkImageWidth, kWorkImageHeight, QImage::Format_RGB32};
    BitmapTable bitmaps;
    Surfaces() {
        RecordingMessageSink quiet;
        LoadDrawingBitmaps(ProgramFolder{VANTREK_RES_DIR}, quiet, bitmaps);
    }
};

// The core's frame and its replay, as the program paints with 12,000 shown.
void frame(benchmark::State& state, ViewMode mode) {
    auto app = ActiveSkyState(12000, mode);
    Surfaces surfaces;
    for (auto _ : state) {
        if (mode == ViewMode::Space)
            takeSpaceViewSnapshot(app->clock.currentDate, false, 0, app->catalog, app->observer, app->model,
                                  *app->spaceSnapshot);
        DisplayList list;
        PaintView(*app, list, {0, 0, 1280, 800});
        ReplayDisplayList(list, {&surfaces.back, &surfaces.signal, nullptr, &surfaces.bitmaps, &surfaces.work});
        benchmark::DoNotOptimize(surfaces.back.constBits());
    }
}

void BM_SkyViewFrameAndReplay12000(benchmark::State& state) { frame(state, ViewMode::Sky); }
BENCHMARK(BM_SkyViewFrameAndReplay12000)->Unit(benchmark::kMillisecond);
void BM_MapViewFrameAndReplay12000(benchmark::State& state) { frame(state, ViewMode::Map); }
BENCHMARK(BM_MapViewFrameAndReplay12000)->Unit(benchmark::kMillisecond);
void BM_SpaceViewFrameAndReplay12000(benchmark::State& state) { frame(state, ViewMode::Space); }
BENCHMARK(BM_SpaceViewFrameAndReplay12000)->Unit(benchmark::kMillisecond);

std::unique_ptr<AppState> thirtyThousand() {
    auto app = std::make_unique<AppState>();
    app->catalog = *ActiveLikeCatalog(30000);
    app->clock.currentDate = JulianDateFromEpoch(kSyntheticEpoch);
    return app;
}

// From the button to a dialog on the screen, its list filled.
void BM_SatellitesDialogOpen30000(benchmark::State& state) {
    auto app = thirtyThousand();
    for (auto _ : state) {
        SatellitesDialog dialog(*app, ProgramFolder{});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_SatellitesDialogOpen30000)->Unit(benchmark::kMillisecond);

// One keystroke in Find ("starl", then "starli"), the list shown again.
void BM_SatellitesDialogFindKeystroke30000(benchmark::State& state) {
    auto app = thirtyThousand();
    SatellitesDialog dialog(*app, ProgramFolder{});
    dialog.show();
    QApplication::processEvents();
    bool longer = false;
    for (auto _ : state) {
        dialog.filterEdit()->setText(longer ? "synth 1" : "synth 12");
        longer = !longer;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SatellitesDialogFindKeystroke30000)->Unit(benchmark::kMillisecond);

}  // namespace
