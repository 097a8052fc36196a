// The map and space views in the real window, and what their busiest frames cost to put on pixels.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMouseEvent>
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

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr int kDemoStation = 3;

QImage painted(MainWindow& window) {
    QApplication::processEvents();
    window.clientArea()->repaint();
    return window.clientArea()->grab().toImage();
}

void save(const QImage& shot, const char* name) {
    QDir().mkpath(QString(VANTREK_BUILD_DIR) + "/screenshots");
    EXPECT_TRUE(shot.save(QString(VANTREK_BUILD_DIR) + "/screenshots/" + name));
}

// The program with the sample file open, the clock stopped at `date`.
struct SampleWindow {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    std::unique_ptr<MainWindow> window;

    explicit SampleWindow(double date) {
        QDir().mkpath(folder.filePath("skins"));
        const QDir skins(QString(VANTREK_RES_DIR) + "/skins");
        for (const QString& name : skins.entryList({"*.bmp"}, QDir::Files))
            QFile::copy(skins.filePath(name), folder.filePath("skins/" + name));
        MainWindowOptions options;
        options.programFolder = folder.path().toStdString();
        options.messages = &sink;
        options.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
        options.chooseElementFile = [] { return std::string(VANTREK_RES_DIR) + "/TLE/sample.tle"; };
        window = std::make_unique<MainWindow>(std::move(options));
        window->resize(1280, 860);
        window->show();
        window->runCommand(CmdOpen);
        AppState& state = window->state();
        state.catalog.current = kDemoStation;
        loadWorkingElementSet(state.catalog, kDemoStation, state.catalog.currentSet);
        state.localTimeOffset = 0.0;
        state.clock.mode = ClockMode::Stopped;
        state.clock.pausedDate = date;
    }
};

}  // namespace

TEST(MapSpaceApp, MapShowsDayAndNightAndAClickOnAMarkerPicks) {
    SampleWindow sample(JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0));
    MainWindow& window = *sample.window;
    AppState& state = window.state();
    window.runCommand(CmdMapView);
    window.tick();
    const QImage shot = painted(window);
    save(shot, "map.png");

    // A click on another satellite's marker makes it current.
    DisplayList list;
    PaintView(state, list, {0, 0, shot.width(), shot.height()});
    QPoint mark(-100, -100);
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell && c.rect.left + 7 != mark.x())
            mark = {c.rect.left + 7, c.rect.top + 7};
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, mark);
    painted(window);
    EXPECT_NE(state.catalog.current, kDemoStation);
    window.close();
}

TEST(MapSpaceApp, SpaceViewTurnsWithTheLeftDragAndZoomsWithTheRightDragAndArrows) {
    SampleWindow sample(JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0));
    MainWindow& window = *sample.window;
    AppState& state = window.state();
    state.settings.Flag_planets = 1;
    window.runCommand(CmdPlotSpace);
    // Tilted by 45 degrees, zoomed in so that the grid dots are doubled.
    MousePoint reference{0, 0};
    for (int i = 1; i <= 15; ++i) DragRotate(state.viewMatrix, reference, {0, -i});
    for (int i = 0; i < 8; ++i) ZoomIn(state.viewMatrix);
    window.tick();
    save(painted(window), "space.png");

    QWidget* area = window.clientArea();
    const double zoom = state.viewMatrix.m[3][3];
    QTest::keyClick(area, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(state.viewMatrix.m[3][3], zoom * 1.1);
    QTest::keyClick(area, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(state.viewMatrix.m[3][3], zoom);

    QTest::mousePress(area, Qt::LeftButton, {}, {600, 400});
    QMouseEvent drag(QEvent::MouseMove, QPointF(640, 400), area->mapToGlobal(QPointF(640, 400)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drag);
    QTest::mouseRelease(area, Qt::LeftButton, {}, {640, 400});
    EXPECT_LT(state.viewMatrix.m[0][0], 1.0);  // turned about the screen's vertical

    QMouseEvent zoomDrag(QEvent::MouseMove, QPointF(700, 400), area->mapToGlobal(QPointF(700, 400)),
                         Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(area, &zoomDrag);
    EXPECT_GT(state.viewMatrix.m[3][3], zoom);
    window.close();
}

// Not a timed test: the figure is printed for the record.
TEST(MapSpaceApp, ReplayOfTheBusiestMapAndSpaceFrames) {
    auto state = vantrek::testing::BusySkyState();
    RecordingMessageSink sink;
    BitmapTable bitmaps;
    LoadDrawingBitmaps(ProgramFolder{VANTREK_RES_DIR}, sink, bitmaps);
    QImage back(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage signal(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage work(kWorkImageWidth, kWorkImageHeight, QImage::Format_RGB32);
    for (ViewMode mode : {ViewMode::Map, ViewMode::Space}) {
        state->viewMode = mode;
        if (mode == ViewMode::Space)
            takeSpaceViewSnapshot(state->clock.currentDate, true, 0, state->catalog, state->observer, state->model,
                                  *state->spaceSnapshot);
        const auto start = std::chrono::steady_clock::now();
        DisplayList list;
        PaintView(*state, list, {0, 0, 1280, 800});
        const auto core = std::chrono::steady_clock::now();
        ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps, &work});
        const auto first = std::chrono::steady_clock::now();
        ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps, &work});  // as on every later tick
        const auto replayed = std::chrono::steady_clock::now();
        std::printf("%s frame, 400 sets, all paths: core %.2f ms, Qt replay %.2f ms (first %.2f ms), %zu commands\n",
                    mode == ViewMode::Map ? "map" : "space",
                    std::chrono::duration<double, std::milli>(core - start).count(),
                    std::chrono::duration<double, std::milli>(replayed - first).count(),
                    std::chrono::duration<double, std::milli>(first - core).count(), list.commands.size());
        EXPECT_GT(list.commands.size(), 400u);
    }
    EXPECT_TRUE(sink.messages.empty());
}

