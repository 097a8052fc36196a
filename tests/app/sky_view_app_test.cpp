// The sky view in the real window: what a person sees after "Plot sky", and
// what one frame of the busiest sky costs to put on pixels.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/drawing_bitmaps.hpp"
#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/fake_serial_port.hpp"
#include "ui/main_window_paint.hpp"

#include "../support/busy_sky.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr int kDemoMolniya = 6;  // high over Kiel at the instant below, with one more set up

struct SkyAppTest : ::testing::Test {
    QTemporaryDir folder;
    QTemporaryDir config;
    RecordingMessageSink sink;

    MainWindowOptions options() {
        QDir().mkpath(folder.filePath("skins"));
        const QDir skins(QString(VANTREK_RES_DIR) + "/skins");
        for (const QString& name : skins.entryList({"*.bmp"}, QDir::Files))
            QFile::copy(skins.filePath(name), folder.filePath("skins/" + name));
        QFile::copy(QString(VANTREK_RES_DIR) + "/TLE/sample.tle", folder.filePath("sample.tle"));
        MainWindowOptions o;
        o.programFolder = folder.path().toStdString();
        o.messages = &sink;
        o.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
        o.chooseElementFile = [this] { return folder.filePath("sample.tle").toStdString(); };
        o.serialPort = std::make_unique<FakeSerialPort>();
        return o;
    }

    static void paint(MainWindow& window) {
        QApplication::processEvents();
        window.clientArea()->repaint();
    }
};

// Where PaintView puts the mark of a satellite other than the current one.
bool markOf(const AppState& state, BitmapId bitmap, QPoint& corner, QSize client) {
    auto copy = std::make_unique<AppState>();
    copy->viewMode = ViewMode::Sky;
    copy->catalog = state.catalog;
    copy->observer = state.observer;
    copy->settings = state.settings;
    copy->clock = state.clock;
    DisplayList list;
    PaintView(*copy, list, {0, 0, client.width(), client.height()});
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == bitmap) {
            corner = {c.rect.left, c.rect.top};
            return true;
        }
    return false;
}

}  // namespace

TEST_F(SkyAppTest, PlotSkyShowsTheNightSkyAndClicksPickASatelliteAndCycleTheClock) {
    MainWindow window(options());
    window.resize(1280, 860);
    window.show();
    window.runCommand(CmdOpen);
    AppState& state = window.state();
    ASSERT_EQ(state.catalog.count, 8);
    state.catalog.current = kDemoMolniya;
    loadWorkingElementSet(state.catalog, kDemoMolniya, state.catalog.currentSet);
    state.settings.Flag_planets = 1;
    state.localTimeOffset = 0.0;
    state.clock.mode = ClockMode::Stopped;
    state.clock.pausedDate = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0);
    window.runCommand(CmdPlotSky);
    window.tick();
    paint(window);

    const QImage shot = window.clientArea()->grab().toImage();
    QDir().mkpath(QString(VANTREK_BUILD_DIR) + "/screenshots");
    EXPECT_TRUE(shot.save(QString(VANTREK_BUILD_DIR) + "/screenshots/sky.png"));
    const int d = std::min(shot.width(), shot.height()) - 78;
    EXPECT_EQ(shot.pixelColor(d - 3, 60), QColor(50, 0, 50));   // outside the disc
    EXPECT_EQ(shot.pixelColor(d / 2 + 40, d / 2 + 100), QColor(0, 0, 0));  // night disc
    EXPECT_EQ(shot.pixelColor(d + 15, 500), QColor(0, 0, 0));   // the panel

    // A click on another satellite's mark makes it current at the next paint.
    QPoint corner;
    ASSERT_TRUE(markOf(state, BitmapId::NotSell, corner, window.clientArea()->size()));
    const int before = state.catalog.current;
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, corner + QPoint(7, 7));
    paint(window);
    EXPECT_NE(state.catalog.current, before);

    // The clock box: stopped, simulated, real time.
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, QPoint(50, 40));
    paint(window);
    EXPECT_EQ(state.clock.mode, ClockMode::SimX1);
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, QPoint(50, 40));
    paint(window);
    EXPECT_EQ(state.clock.mode, ClockMode::RealTime);
    window.close();
}

TEST_F(SkyAppTest, AWindowLargerThanTheBackBufferIsDrawnWhole) {
    MainWindow window(options());
    window.resize(2200, 1150);
    window.show();
    window.runCommand(CmdOpen);
    window.runCommand(CmdPlotSky);
    window.tick();
    paint(window);
    const QImage shot = window.clientArea()->grab().toImage();
    ASSERT_GT(shot.height(), kSurfaceHeight + 60);
    // The chart's bottom rim lies below the 900 rows of the old buffer, on the
    // sky view's background rather than black.
    const int d = std::min(shot.width(), shot.height()) - 78;
    EXPECT_EQ(shot.pixelColor(2, d + 52 - 2), QColor(50, 0, 50));
    EXPECT_EQ(shot.pixelColor(shot.width() - 10, shot.height() - 40), QColor(50, 0, 50));
    window.close();
}

// Not a timed test: the figure is printed for the record.
TEST(SkyFrameCost, ReplayOfTheBusiestSkyOntoTheBackBuffer) {
    auto state = vantrek::testing::BusySkyState();
    ProgramFolder folder;
    folder.path = VANTREK_RES_DIR;
    RecordingMessageSink sink;
    BitmapTable bitmaps;
    LoadDrawingBitmaps(folder, sink, bitmaps);
    QImage back(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage signal(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);

    const auto start = std::chrono::steady_clock::now();
    DisplayList list;
    PaintView(*state, list, {0, 0, 1280, 800});
    const auto painted = std::chrono::steady_clock::now();
    ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps});
    const auto replayed = std::chrono::steady_clock::now();
    const double coreMs = std::chrono::duration<double, std::milli>(painted - start).count();
    const double replayMs = std::chrono::duration<double, std::milli>(replayed - painted).count();
    std::printf("sky frame, 400 sets: core %.2f ms, Qt replay %.2f ms, %zu commands\n", coreMs,
                replayMs, list.commands.size());
    EXPECT_GT(list.commands.size(), 1000u);
}
