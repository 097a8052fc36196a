// The map and space views in the real window, and what their busiest frames cost to put on pixels.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/drawing_bitmaps.hpp"
#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/main_window_paint.hpp"

#include "../support/busy_sky.hpp"
#include "app_test_support.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr int kDemoStation = 3;

QImage shot(MainWindow& window, const char* name) {
    QApplication::processEvents();
    window.clientArea()->repaint();
    const QImage image = window.clientArea()->grab().toImage();
    SaveScreenshot(image, name);
    return image;
}

void moveWith(QWidget* area, Qt::MouseButton button, QPoint to) {
    QMouseEvent move(QEvent::MouseMove, QPointF(to), area->mapToGlobal(QPointF(to)), Qt::NoButton, button,
                     Qt::NoModifier);
    QApplication::sendEvent(area, &move);
}

}  // namespace

TEST(MapSpaceApp, MapPicksByClickSpaceTurnsAndZoomsWithMouseAndArrows) {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    MainWindow window(SampleWindowOptions(folder, config, sink));
    window.resize(1280, 860);
    window.show();
    window.runCommand(CmdOpen);
    AppState& state = window.state();
    state.catalog.current = kDemoStation;
    loadWorkingElementSet(state.catalog, kDemoStation, state.catalog.currentSet);
    state.localTimeOffset = 0.0;
    state.clock.mode = ClockMode::Stopped;
    state.clock.pausedDate = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0);

    window.runCommand(CmdMapView);
    window.tick();
    const QImage map = shot(window, "map.png");
    DisplayList list;
    PaintView(state, list, {0, 0, map.width(), map.height()});
    QPoint mark;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell) mark = {c.rect.left + 7, c.rect.top + 7};
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, mark);  // the last satellite's marker
    QApplication::processEvents();
    window.clientArea()->repaint();
    EXPECT_EQ(state.catalog.current, state.catalog.count - 1);

    state.catalog.current = kDemoStation;
    window.runCommand(CmdPlotSpace);
    // Tilted by 45 degrees, zoomed in so that the grid dots are doubled.
    MousePoint reference{0, 0};
    for (int i = 1; i <= 15; ++i) DragRotate(state.viewMatrix, reference, {0, -i});
    for (int i = 0; i < 8; ++i) ZoomIn(state.viewMatrix);
    window.tick();
    shot(window, "space.png");

    QWidget* area = window.clientArea();
    const double zoom = state.viewMatrix.m[3][3];
    QTest::keyClick(area, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(state.viewMatrix.m[3][3], zoom * 1.1);
    QTest::keyClick(area, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(state.viewMatrix.m[3][3], zoom);
    const double before = state.viewMatrix.m[0][0];
    QTest::mousePress(area, Qt::LeftButton, {}, {600, 400});
    moveWith(area, Qt::LeftButton, {640, 400});
    QTest::mouseRelease(area, Qt::LeftButton, {}, {640, 400});
    EXPECT_NE(state.viewMatrix.m[0][0], before);  // turned about the screen's vertical
    moveWith(area, Qt::RightButton, {700, 400});
    EXPECT_GT(state.viewMatrix.m[3][3], zoom);
    window.close();
}

// Not a timed test: the figures are printed for the record.
TEST(MapSpaceApp, ReplayOfTheBusiestMapAndSpaceFrames) {
    auto state = vantrek::testing::BusySkyState();
    RecordingMessageSink sink;
    BitmapTable bitmaps;
    LoadDrawingBitmaps(ProgramFolder{VANTREK_RES_DIR}, sink, bitmaps);
    QImage back(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage signal(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage work(kWorkImageWidth, kWorkImageHeight, QImage::Format_RGB32);
    takeSpaceViewSnapshot(state->clock.currentDate, true, 0, state->catalog, state->observer, state->model,
                          *state->spaceSnapshot);
    for (ViewMode mode : {ViewMode::Map, ViewMode::Space}) {
        state->viewMode = mode;
        const auto start = std::chrono::steady_clock::now();
        DisplayList list;
        PaintView(*state, list, {0, 0, 1280, 800});
        const auto core = std::chrono::steady_clock::now();
        ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps, &work});
        const auto replayed = std::chrono::steady_clock::now();
        std::printf("%s frame, 400 sets, all paths: core %.2f ms, Qt replay %.2f ms, %zu commands\n",
                    mode == ViewMode::Map ? "map" : "space",
                    std::chrono::duration<double, std::milli>(core - start).count(),
                    std::chrono::duration<double, std::milli>(replayed - core).count(), list.commands.size());
        EXPECT_GT(list.commands.size(), 400u);
    }
    EXPECT_TRUE(sink.messages.empty());
}
