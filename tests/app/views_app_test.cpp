// The views in the real window over the sample file, as a person works them,
// saved as screenshots: sky, map, space, the information and GPS pages, and
// the whole catalogue.
#include <cstring>

#include <QAction>
#include <QMouseEvent>
#include <QToolBar>
#include <QTreeView>

#include "app/dialogs/predict_window.hpp"
#include "app/dialogs/satellites_dialog.hpp"
#include "app_test_support.hpp"
#include "astro/julian_date.hpp"
#include "gps/read_sentence.hpp"
#include "platform/byte_source.hpp"

#include "../support/orbit_fixtures.hpp"
#include "../support/synthetic_catalog.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr int kDemoStation = 3;
constexpr int kDemoMolniya = 6;  // high over Kiel at the instant below, with one more set up
const double kDecember6 = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0);

}  // namespace

TEST_F(WindowTest, SkyMapAndSpaceAsAPersonWorksThemInAWindowUpToFullHd) {
    MainWindow& w = start(1280, 860);
    state().settings.Flag_planets = 1;
    showAt(kDemoMolniya, kDecember6, CmdPlotSky);
    const QImage shot = painted("sky.png");
    const int d = std::min(shot.width(), shot.height()) - 78;

    // A click on the other satellite's mark makes it current.
    DisplayList list;
    PaintView(state(), list, {0, 0, shot.width(), shot.height()});
    QPoint mark(-100, -100);
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell) mark = {c.rect.left + 7, c.rect.top + 7};
    QTest::mouseClick(w.clientArea(), Qt::LeftButton, {}, mark);
    const QImage whole = painted();
    EXPECT_NE(state().catalog.current, kDemoMolniya);

    // A paint of part of the window (an expose, a tooltip going) shows the
    // frame already drawn: drawing that part from a newer state would show
    // one satellite's name beside the next one's number.
    const QRect nameLine(d + 20, 60 + w.clientArea()->viewOffset(), 400, 30);
    w.runCommand(CmdNextShown);  // the index only: no repaint asked for
    const QImage before = whole.copy(nameLine).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(w.clientArea()->grab(nameLine).toImage().convertToFormat(QImage::Format_RGB32), before);
    EXPECT_NE(painted().copy(nameLine).convertToFormat(QImage::Format_RGB32), before);

    // Maximised on a 1920 x 1080 desktop (the panel and the title bar take 60
    // rows), larger than 1800 x 900: the chart's bottom is the sky view's, not
    // black, and the text panel reaches the right edge and the status bar.
    w.resize(1920, 1080 - 60);
    const QImage big = painted();
    SaveScreenshot(w.grab().toImage(), "sky_1920x1080.png");
    ASSERT_GT(big.height(), kSurfaceHeight + 60);
    const int bigD = std::min(big.width(), big.height()) - 78;
    EXPECT_EQ(big.pixelColor(2, bigD + 50), QColor(50, 0, 50));
    EXPECT_EQ(big.pixelColor(big.width() - 10, big.height() - 40), QColor(0, 0, 0));
    EXPECT_EQ(big.pixelColor(bigD + 15, big.height() - 40), QColor(0, 0, 0));

    // Clicks the toolbar or the status bar do not take (empty space, a
    // separator) never reach the view.
    w.runCommand(CmdRealTime);  // multiplier 0
    QToolBar* toolbar = w.toolBar();
    for (QAction* action : toolbar->actions())
        if (action->isSeparator()) QTest::mouseClick(toolbar, Qt::LeftButton, {}, toolbar->actionGeometry(action).center());
    QTest::mouseClick(toolbar, Qt::LeftButton, {}, {toolbar->width() - 20, 15});  // empty space
    EXPECT_EQ(state().clock.mode, ClockMode::RealTime);
    QWidget* status = w.statusBarWidget();
    const ViewMatrix turned = state().viewMatrix;
    QTest::mousePress(status, Qt::LeftButton, {}, {300, 10});
    QTest::mouseMove(status, {400, 12});
    QTest::mouseRelease(status, Qt::LeftButton, {}, {400, 12});
    EXPECT_EQ(std::memcmp(&turned, &state().viewMatrix, sizeof turned), 0);

    // The clock box, below the toolbar (and the old sets' warning bar): with no
    // date set by a dialog, paused at the instant shown, then a simulation that moves.
    state().clock.pausedDate = 0.0;
    w.tick();
    painted();
    const double shown = state().clock.currentDate;
    const QPoint clockBox(50, 40 + w.clientArea()->viewOffset());
    QTest::mouseClick(w.clientArea(), Qt::LeftButton, {}, clockBox);
    painted();
    w.tick();
    EXPECT_EQ(state().clock.mode, ClockMode::Stopped);
    EXPECT_NEAR(state().clock.currentDate, shown, 1.0 / 86400.0);
    QTest::mouseClick(w.clientArea(), Qt::LeftButton, {}, clockBox);
    painted();
    EXPECT_EQ(state().clock.mode, ClockMode::SimX1);
    EXPECT_EQ(state().clock.multiplier, 1.0);

    // The map, and the space view turned by 45 degrees and zoomed in so that
    // the grid dots are doubled; it turns and zooms with the mouse and the arrows.
    showAt(kDemoStation, kDecember6, CmdMapView);
    painted("map.png");
    w.runCommand(CmdPlotSpace);
    MousePoint reference{0, 0};
    for (int i = 1; i <= 15; ++i) DragRotate(state().viewMatrix, reference, {0, -i});
    for (int i = 0; i < 8; ++i) ZoomIn(state().viewMatrix);
    w.tick();
    painted("space.png");

    QWidget* area = w.clientArea();
    const double zoom = state().viewMatrix.m[3][3];
    QTest::keyClick(area, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(state().viewMatrix.m[3][3], zoom * 1.1);
    QTest::keyClick(area, Qt::Key_Left);
    EXPECT_DOUBLE_EQ(state().viewMatrix.m[3][3], zoom);
    const auto moveWith = [&](Qt::MouseButton button, QPoint to) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), area->mapToGlobal(QPointF(to)), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(area, &move);
    };
    const double facing = state().viewMatrix.m[0][0];
    QTest::mousePress(area, Qt::LeftButton, {}, {600, 400});
    moveWith(Qt::LeftButton, {640, 400});
    QTest::mouseRelease(area, Qt::LeftButton, {}, {640, 400});
    EXPECT_NE(state().viewMatrix.m[0][0], facing);  // turned about the screen's vertical
    moveWith(Qt::RightButton, {700, 400});
    EXPECT_GT(state().viewMatrix.m[3][3], zoom);
}

// The program starts on the information page; the GPS page shows the shipped capture.
TEST_F(WindowTest, StartsOnALiveInformationPageAndShowsTheReceiverPage) {
    MainWindowOptions o = options();
    auto clock = std::make_unique<FakeSystemClock>();
    clock->utc = {2008, 9, 20, 18, 23, 0, 0};
    o.clock = std::move(clock);
    MainWindow& w = start(std::move(o), 1100, 760);  // the ISS first
    EXPECT_EQ(state().viewMode, ViewMode::InfoPanel);
    // The ISS rising over Kiel after sunset, the clock stopped there.
    state().clock.mode = ClockMode::Stopped;
    state().clock.pausedDate = JulianDateFromCalendar(2008, 9, 20, 18, 23, 0, 0);
    w.tick();
    QApplication::processEvents();
    const QImage info = w.grab().toImage();
    SaveScreenshot(info, "info.png");
    int lit = 0;  // not a black first screen: the left half's text
    for (int y = 60; y < 400; ++y)
        for (int x = 0; x < 500; ++x) lit += info.pixelColor(w.clientArea()->mapTo(&w, QPoint(x, y))) != Qt::black;
    EXPECT_GT(lit, 2000);

    const std::string capture =
        vantrek::testing::readText(std::string(VANTREK_TESTS_DIR) + "/../data/reference/nmea/haicom-305N.log");
    ASSERT_FALSE(capture.empty());
    MemoryByteSource source(capture.data(), static_cast<long>(capture.size()));
    while (!source.atEnd()) ReadSentence(source, state().gps);
    state().gps.trackingEnabled = true;  // as if reading: no port is opened
    w.menuAction(CmdGpsStatus)->trigger();
    QApplication::processEvents();
    const QImage gps = w.grab().toImage();
    SaveScreenshot(gps, "gps.png");
    // The signal chart: slot 1 (PRN 5, used, 44 dB-Hz) is a dark blue bar.
    // (The sample's 2026 sets are old from 2008: the warning bar moves the page down.)
    const QPoint inBar = w.clientArea()->mapTo(&w, QPoint(50, 440 + w.clientArea()->viewOffset()));
    EXPECT_EQ(gps.pixelColor(inBar), QColor(0, 0, 180));
    state().gps.trackingEnabled = false;
}

// A whole "active" download: 12,000 shown sets in the real window, the
// Satelites dialog and the Predict window (screenshots for the record).
TEST_F(WindowTest, TwelveThousandSetsInEveryViewAndDialog) {
    MainWindow& w = start(1280, 860, false);
    state().catalog = *vantrek::testing::ActiveLikeCatalog(12000);
    state().fileDisplayName = "active.csv";
    for (const auto& [command, name] : {std::pair{CmdPlotSky, "sky_12000.png"}, {CmdMapView, "map_12000.png"}}) {
        showAt(7, JulianDateFromEpoch(vantrek::testing::kSyntheticEpoch) + 0.9, command);
        painted();
        SaveScreenshot(w.grab().toImage(), name);
    }

    SatellitesDialog satellites(state(), ProgramFolder{folder.path().toStdString()});
    satellites.resize(700, 420);
    satellites.show();
    EXPECT_EQ(satellites.list()->model()->rowCount(), 12000);
    QTest::keyClicks(satellites.filterEdit(), "synth 11");
    EXPECT_EQ(satellites.list()->model()->rowCount(), 1111);  // 11, 110.., 1100.., 11000..11999
    SaveScreenshot(satellites.grab().toImage(), "satellites_12000.png");
    satellites.reject();

    MemorySettingsStore store;
    PredictWindow predict(state(), store, sink);
    predict.resize(900, 560);
    predict.show();
    QTest::mouseClick(predict.predictButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !predict.busy(); }, 60000));
    EXPECT_GT(predict.list()->model()->rowCount(), 30000);
    SaveScreenshot(predict.grab().toImage(), "predict_12000.png");
}
