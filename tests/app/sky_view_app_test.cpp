// The sky view in the real window, and what the busiest sky costs to put on pixels.
#include <chrono>
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/drawing_bitmaps.hpp"
#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"

#include "../support/busy_sky.hpp"
#include "app_test_support.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr int kDemoMolniya = 6;  // high over Kiel at the instant below, with one more set up

// The grab of the client area after a paint.
QImage painted(MainWindow& window) {
    QApplication::processEvents();
    window.clientArea()->repaint();
    return window.clientArea()->grab().toImage();
}

}  // namespace

TEST(SkyApp, PlotSkyShowsTheNightSkyAClickPicksABigWindowIsDrawnWhole) {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    MainWindow window(SampleWindowOptions(folder, config, sink));
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

    const QImage shot = painted(window);
    SaveScreenshot(shot, "sky.png");
    const int d = std::min(shot.width(), shot.height()) - 78;
    EXPECT_EQ(shot.pixelColor(d - 3, 60), QColor(50, 0, 50));               // beside the disc
    EXPECT_EQ(shot.pixelColor(d / 2 + 40, d / 2 + 100), QColor(0, 0, 0));  // the night disc
    EXPECT_EQ(shot.pixelColor(d + 15, 500), QColor(0, 0, 0));              // the panel

    // A click on the other satellite's mark makes it current.
    DisplayList list;
    PaintView(state, list, {0, 0, shot.width(), shot.height()});
    QPoint mark(-100, -100);
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell) mark = {c.rect.left + 7, c.rect.top + 7};
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, mark);
    painted(window);
    EXPECT_NE(state.catalog.current, kDemoMolniya);

    // Larger than 1800 x 900: the chart's bottom is the sky view's, not black,
    // and the text panel reaches the right edge and the status bar.
    window.resize(2200, 1150);
    const QImage big = painted(window);
    ASSERT_GT(big.height(), kSurfaceHeight + 60);
    const int bigD = std::min(big.width(), big.height()) - 78;
    EXPECT_EQ(big.pixelColor(2, bigD + 50), QColor(50, 0, 50));
    EXPECT_EQ(big.pixelColor(big.width() - 10, big.height() - 40), QColor(0, 0, 0));
    EXPECT_EQ(big.pixelColor(bigD + 15, big.height() - 40), QColor(0, 0, 0));
    window.close();
}

// Maximised on a 1920 x 1080 desktop. Clicks the toolbar or the status bar
// do not take (empty space, a separator) never reach the view; the clock box
// pauses at the instant shown and starts a simulation that moves.
TEST(SkyApp, FullHdWindowOnlyTheViewAreaActsAndTheClockBoxPausesAtTheInstantShown) {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    MainWindow window(SampleWindowOptions(folder, config, sink));
    window.resize(1920, 1080 - 60);  // the desktop's panel and the title bar take the rest
    window.show();
    window.runCommand(CmdOpen);
    AppState& state = window.state();
    window.runCommand(CmdPlotSky);
    window.runCommand(CmdRealTime);  // multiplier 0
    window.tick();
    const QImage shot = painted(window);
    SaveScreenshot(window.grab().toImage(), "sky_1920x1080.png");
    EXPECT_EQ(shot.pixelColor(shot.width() - 10, shot.height() - 40), QColor(0, 0, 0));  // no band

    QToolBar* toolbar = window.toolBar();
    for (QAction* action : toolbar->actions()) {
        if (!action->isSeparator()) continue;
        QTest::mouseClick(toolbar, Qt::LeftButton, {}, toolbar->actionGeometry(action).center());
    }
    QTest::mouseClick(toolbar, Qt::LeftButton, {}, {toolbar->width() - 20, 15});  // empty space
    EXPECT_EQ(state.clock.mode, ClockMode::RealTime);
    QWidget* status = window.statusBarWidget();
    const ViewMatrix before = state.viewMatrix;
    QTest::mousePress(status, Qt::LeftButton, {}, {300, 10});
    QTest::mouseMove(status, {400, 12});
    QTest::mouseRelease(status, Qt::LeftButton, {}, {400, 12});
    EXPECT_EQ(std::memcmp(&before, &state.viewMatrix, sizeof before), 0);

    // The clock box, below the toolbar (and the old sets' warning bar):
    // paused at the instant shown.
    const double shown = state.clock.currentDate;
    const QPoint clockBox(50, 40 + window.clientArea()->viewOffset());
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, clockBox);
    painted(window);
    window.tick();
    EXPECT_EQ(state.clock.mode, ClockMode::Stopped);
    EXPECT_NEAR(state.clock.currentDate, shown, 1.0 / 86400.0);
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, clockBox);
    painted(window);
    EXPECT_EQ(state.clock.mode, ClockMode::SimX1);
    EXPECT_EQ(state.clock.multiplier, 1.0);
    window.close();
}

// A paint of part of the window (an expose, a tooltip going) shows the frame
// already drawn: drawing that part from a newer state would show one
// satellite's name beside the next one's number.
TEST(SkyApp, APartialPaintShowsTheLastWholeFrame) {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    MainWindow window(SampleWindowOptions(folder, config, sink));
    window.resize(1280, 860);
    window.show();
    window.runCommand(CmdOpen);
    window.runCommand(CmdPlotSky);
    window.tick();
    const QImage whole = painted(window);
    const int offset = window.clientArea()->viewOffset();
    const int d = std::min(whole.width(), whole.height() - offset) - 78;
    const QRect nameLine(d + 20, 60 + offset, 400, 30);

    window.runCommand(CmdNextShown);  // the index only: no repaint asked for
    const QImage before = whole.copy(nameLine).convertToFormat(QImage::Format_RGB32);
    const QImage partial = window.clientArea()->grab(nameLine).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(partial, before);
    EXPECT_NE(window.clientArea()->grab().toImage().copy(nameLine).convertToFormat(QImage::Format_RGB32), before);
    window.close();
}

// Not a timed test: the figure is printed for the record.
TEST(SkyApp, ReplayOfTheBusiestSkyOntoTheBackBuffer) {
    auto state = vantrek::testing::BusySkyState();
    RecordingMessageSink sink;
    BitmapTable bitmaps;
    LoadDrawingBitmaps(ProgramFolder{VANTREK_RES_DIR}, sink, bitmaps);
    QImage back(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    QImage signal(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);

    const auto start = std::chrono::steady_clock::now();
    DisplayList list;
    PaintView(*state, list, {0, 0, 1280, 800});
    const auto painted = std::chrono::steady_clock::now();
    ReplayDisplayList(list, {&back, &signal, nullptr, &bitmaps});
    const auto replayed = std::chrono::steady_clock::now();
    std::printf("sky frame, 400 sets: core %.2f ms, Qt replay %.2f ms, %zu commands\n",
                std::chrono::duration<double, std::milli>(painted - start).count(),
                std::chrono::duration<double, std::milli>(replayed - painted).count(), list.commands.size());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_GT(list.commands.size(), 1000u);
}
