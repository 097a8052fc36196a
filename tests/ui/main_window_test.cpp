#include "ui/main_window.hpp"

#include <cmath>

#include "data/settings.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/command_tables.hpp"

#include "../support/sample_sets.hpp"
#include "ui_test_support.hpp"

using namespace vantrek;

namespace {

void setFix(GpsFix& gps, double lat, double lon, double altM, double speedKmh = 0.0) {
    UpdateGpsFix(gps, [&](GpsFixData& d) {
        d.latitudeDeg = lat;
        d.longitudeDeg = lon;
        d.altitudeM = altM;
        d.speedKmh = speedKmh;
        d.courseDeg = 90.0;
    });
}

}  // namespace

TEST_F(MainWindowTest, StartUpLoadsSettingsLastFileAndSelectionWritingNothing) {
    store.keyPresent = true;
    Settings saved;
    saved.Last_Open = folder.write("visual.tle", vantrek::testing::SampleSets());
    saved.Lat = 0.5;
    StoreOptions(store, saved, 2);
    StoreLastFile(store, saved, 2);
    StoreLocation(store, saved, 3);
    store.writeLog.clear();
    std::string selection(1600, '\0');
    selection[4 * 5] = 1;  // only slot 5 shown
    folder.write("Select.bol", selection);

    startUp();
    EXPECT_NEAR(state->localTimeOffset, 2.0 / 24.0, 1e-9);
    EXPECT_NEAR(LocalTimeOffsetFrom({2026, 3, 1, 19}, {2026, 3, 2, 0}), -5.0 / 24.0, 1e-9);
    EXPECT_EQ(LocalTimeOffsetFrom({0, 0, 0, 0}, {2026, 3, 2, 0}), 0.0);
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "visual.tle");
    EXPECT_EQ(state->catalog.current, 2);
    EXPECT_EQ(state->observer.latitude, 0.5);
    EXPECT_EQ(state->catalog.selected[0], 0);
    EXPECT_EQ(state->catalog.selected[5], 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(store.writeLog.empty());
    run(CmdExit);  // the close box stores nothing (the window tests), Exit the file and the selection
    EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Last_Open", "Sat_Display"}));
}

// Every command of the menu, the toolbar and the keys, each run once: the
// Alt toggles flip their switches and no command stores a setting.
TEST_F(MainWindowTest, EveryTableCommandIsHandledAndTheAltTogglesStoreNothing) {
    Settings& s = state->settings;
    s.SNtoNS = 7;  // anything but 1 becomes 1
    s.s4_s8 = 1;
    for (const MenuEntry& entry : kMainMenu) {
        EXPECT_TRUE(!entry.command || run(entry.command).handled) << entry.title;
        for (int i = 0; i < entry.itemCount; ++i)
            EXPECT_TRUE(run(entry.items[i].command).handled) << entry.items[i].label;
    }
    for (const ToolbarEntry& entry : kToolbar)
        EXPECT_TRUE(!entry.command || run(entry.command).handled) << entry.command;
    for (const Accelerator& a : kAccelerators) EXPECT_TRUE(run(a.command).handled) << a.character;
    EXPECT_FALSE(run(1).handled);
    EXPECT_EQ(AcceleratorCommand('r'), CmdToggleRefraction);
    EXPECT_EQ(AcceleratorCommand('R'), 0);  // matched on the typed character
    EXPECT_EQ(s.flag_refraction, 1);
    EXPECT_EQ(s.SNtoNS, 1);
    EXPECT_EQ(s.s4_s8, 0);
    EXPECT_EQ(s.showAllPaths, 1);
    EXPECT_TRUE(store.writeLog.empty());
}

TEST_F(MainWindowTest, ViewsResetTheMatrixOpenClearsThePickAndHelpNeedsTheFolder) {
    ZoomIn(state->viewMatrix);
    run(CmdPlotSpace);
    EXPECT_EQ(state->viewMatrix.m[3][3], 1.0);
    state->signalMap = 1;
    EXPECT_TRUE(run(CmdPlotSky).clearSignalMap);

    // Only a chosen file with sets changes the current satellite and the Iridium mark.
    state->catalog.current = 3;
    state->pickLatch = state->iridiumCatalogue = 1;
    EXPECT_EQ(run(CmdOpen).action, ShellAction::ChooseElementFile);
    EXPECT_EQ(state->catalog.current, 3);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_EQ(state->iridiumCatalogue, 1);

    services.folder.path.clear();  // a program path that could not be cut at a separator
    EXPECT_EQ(run(CmdHelp).action, ShellAction::None);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Incorrect Vantrek pragram path!");
}

TEST_F(MainWindowTest, ToolbarStepsOnlyTheIndexButKeysLoadTheWorkingSet) {
    SatelliteCatalog& catalog = state->catalog;  // six sets numbered 1000.., 1, 3 and 5 shown
    resizeCatalog(catalog, 6);
    for (int i = 0; i < 6; ++i) catalog.entries[i].catalogNumber = 1000 + i;
    for (int i = 0; i < 6; ++i) catalog.selected[i] = i % 2;
    catalog.current = 1;
    run(CmdNextShown);
    EXPECT_EQ(state->catalog.current, 3);
    EXPECT_STREQ(state->catalog.currentSet.name, "No satellite ");
    state->pickLatch = 1;
    key(KeyDown);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 1005);
    EXPECT_EQ(state->pickLatch, 0);
}

TEST_F(MainWindowTest, ArrowsAndDragsTurnTheSkyOrTheSpaceView) {
    EXPECT_EQ(key(KeyLeft), Repaint::None);  // the information panel has nothing to turn
    state->viewMode = ViewMode::Sky;
    EXPECT_EQ(key(KeyLeft), Repaint::ViewArea);
    EXPECT_GT(state->viewMatrix.m[0][1], 0.0);
    state->pickLatch = 1;
    LeftButtonDown(*state, {300, 200});  // the sky view only stores the point it picks with
    MouseMove(*state, {310, 220}, DragButtons::OnlyLeft);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_EQ(state->mouse.y, 220);
    EXPECT_EQ(state->viewMatrix.m[0][2], 0.0);

    state->viewMode = ViewMode::Space;
    MouseMove(*state, {320, 220}, DragButtons::OnlyLeft);
    EXPECT_GT(state->viewMatrix.m[0][2], 0.0);
    key(KeyRight);
    state->rightDragX = 50;
    MouseMove(*state, {40, 0}, DragButtons::OnlyRight);  // leftwards zooms out again
    EXPECT_NEAR(state->viewMatrix.m[3][3], 1.0, 1e-15);
    EXPECT_EQ(MouseMove(*state, {0, 0}, DragButtons::Other), Repaint::None);
    EXPECT_EQ(state->mouse.x, 40);
    state->pickLatch = 1;
    EXPECT_EQ(LeftButtonUp(*state), Repaint::Client);
    EXPECT_EQ(state->pickLatch, 0);
}

TEST_F(MainWindowTest, TickTurnsOnlyTheSkyOnlyWhileMovingGivesUpOnAPortThatNeverOpensAndCountsToFive) {
    state->gps.trackingEnabled = true;
    setFix(state->gps, 54.0, 10.0, 0.0, 0.9);
    state->viewMode = ViewMode::Sky;
    Tick(*state, services, 2460000.5);
    EXPECT_EQ(state->viewMatrix.m[0][0], 1.0);  // 0.9 km/h: standing
    setFix(state->gps, 54.0, 10.0, 0.0, 12.0);
    state->viewMode = ViewMode::Map;
    Tick(*state, services, 2460000.5);
    EXPECT_EQ(state->viewMatrix.m[0][0], 1.0);
    state->viewMode = ViewMode::Sky;
    Tick(*state, services, 2460000.5);
    EXPECT_NEAR(state->viewMatrix.m[0][1], -1.0, 1e-12);  // the course, east, up

    state->gps.openCount = 1000;  // the reader opened the port this often in vain: said once
    Tick(*state, services, 2460000.5);
    EXPECT_FALSE(state->gps.trackingEnabled);
    Tick(*state, services, 2460000.5);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "I can't conect to the COM port!");
    EXPECT_EQ(state->tickCounter, 0);                     // five ticks: 0..4, and round again
    EXPECT_EQ(state->spaceSnapshot->julianDate, 0.0);     // taken in the space view only
}

TEST_F(MainWindowTest, PaintTakesTheObserverFromAFixWithBothCoordinates) {
    const double lat = state->observer.latitude;
    setFix(state->gps, 0.0, 10.0, 120.0);  // exactly 0 degrees latitude never replaces the observer
    TakeObserverFromGps(*state);
    EXPECT_EQ(state->observer.latitude, lat);
    setFix(state->gps, std::nan(""), 11.0, 0.0);  // nor does a NaN
    TakeObserverFromGps(*state);
    EXPECT_EQ(state->observer.latitude, lat);

    setFix(state->gps, 48.1173, 11.516667, 0.0);
    DisplayList list;
    PaintView(*state, list, {0, 0, 800, 600});  // a paint takes the fix
    EXPECT_NEAR(state->observer.latitude, 48.1173 * 0.0174532925199433, 1e-15);
    EXPECT_EQ(state->settings.Lat, state->observer.latitude);  // the settings' copy follows
    EXPECT_EQ(state->observer.height, 0.03);  // altitude 0 keeps the height
    setFix(state->gps, 48.0, 11.0, 545.4);
    TakeObserverFromGps(*state);
    EXPECT_NEAR(state->observer.height, 0.5454, 1e-12);
}

// The warning bar's figure: the current set's age when it is old, else the
// median of the shown sets when most are old; the 2008 ISS set is 6651 days
// from 2026-12-07 0h (JD 2461381.5 - 2454730.0178 = 6651.48).
TEST_F(MainWindowTest, TickMeasuresHowOldTheSetsInViewAre) {
    const std::string sample = vantrek::testing::SampleSets();  // the 2008 ISS, two 1980 sets, five of 2026
    loadElementSets(state->catalog, sample.data(), static_cast<long>(sample.size()));
    const double dec7 = 2461381.5;
    const struct {
        int current;
        std::vector<int> hidden;
        int days;
    } cases[] = {{0, {}, 6651},                       // the current set is old
                 {3, {}, -1},                         // three old of eight shown
                 {3, {4, 5, 6, 7}, 16867},            // three old of four shown: the median age
                 {3, {0, 1, 2}, -1}};                 // only the recent ones shown
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        std::fill(state->catalog.selected.begin(), state->catalog.selected.begin() + 8, 1);
        for (int h : c.hidden) state->catalog.selected[h] = 0;
        state->catalog.current = c.current;
        loadWorkingElementSet(state->catalog, c.current, state->catalog.currentSet);
        state->clock = {ClockMode::Stopped, 1.0, dec7, dec7};
        Tick(*state, services, dec7);
        EXPECT_EQ(state->staleElementDays, c.days);
    }
    loadPlaceholderElementSet(state->catalog);  // nothing loaded: nothing to warn of
    loadWorkingElementSet(state->catalog, 0, state->catalog.currentSet);
    Tick(*state, services, dec7);
    EXPECT_EQ(state->staleElementDays, -1);
}

TEST_F(MainWindowTest, OpenLoadsNamesAndResetsTheViewButAFailedOpenKeepsAll) {
    store.keyPresent = true;
    const std::string path = folder.write("amateur.txt", vantrek::testing::SampleSets());
    ZoomIn(state->viewMatrix);
    OpenChosenElementFile(*state, services, path);
    EXPECT_EQ(state->fileDisplayName, "amateur.txt");
    EXPECT_EQ(state->viewMatrix.m[3][3], 1.0);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 25544);

    ZoomIn(state->viewMatrix);
    OpenChosenElementFile(*state, services, folder.file("missing.tle"));
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "amateur.txt");
    EXPECT_DOUBLE_EQ(state->viewMatrix.m[3][3], 1.1);
}
