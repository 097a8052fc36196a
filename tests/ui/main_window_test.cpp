#include "ui/main_window.hpp"

#include <memory>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "ui/command_tables.hpp"
#include "ui/main_window_paint.hpp"
#include "main_window_fixture.hpp"

using namespace vantrek;

namespace {

struct MainWindowTest : ::testing::Test, MainWindowWorld {

    // Catalogue of `count` entries with the given slots shown.
    void showOnly(int count, std::initializer_list<int> shown) {
        state->catalog.count = count;
        for (int i = 0; i < kCatalogCapacity; ++i) state->catalog.selected[i] = 0;
        for (int i : shown) state->catalog.selected[i] = 1;
        for (int i = 0; i < count; ++i) state->catalog.entries[i].catalogNumber = 1000 + i;
    }
};

}  // namespace

TEST_F(MainWindowTest, StartUpDefaults) {
    EXPECT_EQ(state->viewMode, ViewMode::InfoPanel);
    EXPECT_EQ(state->clock.mode, ClockMode::RealTime);
    EXPECT_EQ(state->clock.multiplier, 1.0);
    EXPECT_EQ(state->catalog.count, 1);
    EXPECT_EQ(state->catalog.selected[0], 1);
    EXPECT_STREQ(state->catalog.entries[0].name, "No satellite ");
    EXPECT_STREQ(state->catalog.currentSet.name, "No satellite ");
    EXPECT_NEAR(state->observer.latitude / 0.0174532925199433, 54.3023, 1e-9);
    EXPECT_EQ(state->timerPeriodMs, 500);

    startUp();
    EXPECT_NEAR(state->localTimeOffset, 2.0 / 24.0, 1e-9);
}

TEST_F(MainWindowTest, LocalTimeOffsetAcrossMidnightAndBadDates) {
    EXPECT_NEAR(LocalTimeOffsetFrom({2026, 1, 1, 1}, {2025, 12, 31, 23}), 2.0 / 24.0, 1e-9);
    EXPECT_NEAR(LocalTimeOffsetFrom({2026, 3, 1, 19}, {2026, 3, 2, 0}), -5.0 / 24.0, 1e-9);
    EXPECT_EQ(LocalTimeOffsetFrom({0, 0, 0, 0}, {2026, 3, 2, 0}), 0.0);
}

TEST_F(MainWindowTest, ViewCommandsSetTheModeAndResetTheMatrix) {
    const struct {
        int command;
        ViewMode mode;
        Repaint repaint;
    } views[] = {
        {CmdMapView, ViewMode::Map, Repaint::ClientErase},
        {CmdGpsStatus, ViewMode::GpsStatus, Repaint::Client},
        {CmdInfoPanel, ViewMode::InfoPanel, Repaint::ClientErase},
        {CmdPlotSky, ViewMode::Sky, Repaint::ClientErase},
        {CmdPlotSpace, ViewMode::Space, Repaint::ClientErase},
    };
    for (const auto& v : views) {
        ZoomIn(state->viewMatrix);
        const CommandOutcome result = run(v.command);
        EXPECT_TRUE(result.handled);
        EXPECT_EQ(state->viewMode, v.mode);
        EXPECT_EQ(result.repaint, v.repaint);
    }
    EXPECT_EQ(state->viewMatrix.m[3][3], 1.0);  // Plot space reset it

    state->signalMap = 1;
    EXPECT_TRUE(run(CmdPlotSky).clearSignalMap);
    state->signalMap = 0;
    EXPECT_FALSE(run(CmdPlotSky).clearSignalMap);
}

TEST_F(MainWindowTest, EveryTableCommandIsHandledAndUnknownIdsAreNot) {
    for (const MenuEntry& entry : kMainMenu) {
        if (entry.command) {
            EXPECT_TRUE(run(entry.command).handled) << entry.title;
        }
        for (int i = 0; i < entry.itemCount; ++i)
            EXPECT_TRUE(run(entry.items[i].command).handled) << entry.items[i].label;
    }
    for (const ToolbarEntry& entry : kToolbar)
        if (entry.command) {
            EXPECT_TRUE(run(entry.command).handled) << entry.command;
        }
    for (const Accelerator& a : kAccelerators) EXPECT_TRUE(run(a.command).handled) << a.character;
    EXPECT_FALSE(run(1).handled);
    EXPECT_FALSE(run(32785).handled);
}

TEST_F(MainWindowTest, HelpPageBesideTheProgram) {
    const CommandOutcome help = run(CmdHelp);
    EXPECT_EQ(help.action, ShellAction::OpenHelp);
    EXPECT_EQ(help.helpPath, folder.file("Help.htm"));
    EXPECT_TRUE(messages.messages.empty());

    services.folder.path.clear();  // a program path that could not be cut at a separator
    EXPECT_EQ(run(CmdHelp).action, ShellAction::None);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Incorrect Vantrek pragram path!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(messages.messages[0].caption, "");
    services.folder.path = folder.path();

}

TEST_F(MainWindowTest, TimerPeriods) {
    EXPECT_EQ(run(CmdFastTimer).action, ShellAction::RestartTimer);
    EXPECT_EQ(state->timerPeriodMs, 50);
    run(CmdSlowTimer);
    EXPECT_EQ(state->timerPeriodMs, 1000);
}

TEST_F(MainWindowTest, OpenClearsPickCurrentAndIridiumBeforeTheChooser) {
    showOnly(5, {0, 1, 2, 3, 4});
    state->catalog.current = 3;
    state->pickLatch = 1;
    state->iridiumCatalogue = 1;
    const CommandOutcome result = run(CmdOpen);
    EXPECT_EQ(result.action, ShellAction::ChooseElementFile);
    EXPECT_EQ(result.repaint, Repaint::ClientErase);
    EXPECT_EQ(state->catalog.current, 0);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_EQ(state->iridiumCatalogue, 0);
}

TEST_F(MainWindowTest, AltTogglesFlipTheirSwitchesWithoutStoring) {
    const struct {
        int command;
        int32_t Settings::*flag;
    } toggles[] = {{CmdToggleRefraction, &Settings::flag_refraction},
                   {CmdToggleSwapNorthSouth, &Settings::SNtoNS},
                   {CmdToggleEngine, &Settings::s4_s8},
                   {CmdToggleShowAllPaths, &Settings::showAllPaths}};
    for (const auto& t : toggles) {
        int32_t& flag = state->settings.*(t.flag);
        run(t.command);
        EXPECT_EQ(flag, 1) << t.command;
        flag = 7;  // anything but 1 becomes 1
        run(t.command);
        EXPECT_EQ(flag, 1) << t.command;
        run(t.command);
        EXPECT_EQ(flag, 0) << t.command;
    }
    EXPECT_TRUE(store.writeLog.empty());
}

TEST_F(MainWindowTest, ToolbarNextAndPreviousChangeOnlyTheIndex) {
    showOnly(6, {1, 3, 5});
    state->catalog.current = 1;
    state->pickLatch = 1;
    run(CmdNextShown);
    EXPECT_EQ(state->catalog.current, 3);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_STREQ(state->catalog.currentSet.name, "No satellite ");  // not loaded
    run(CmdNextShown);
    run(CmdNextShown);
    EXPECT_EQ(state->catalog.current, 5);
    run(CmdPreviousShown);
    EXPECT_EQ(state->catalog.current, 3);
}

TEST_F(MainWindowTest, UpAndDownStepAndLoadTheWorkingSet) {
    showOnly(6, {1, 3, 5});
    state->catalog.current = 3;
    state->pickLatch = 1;
    KeyPressed(*state, services, KeyDown);
    EXPECT_EQ(state->catalog.current, 5);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 1005);

    state->pickLatch = 1;
    KeyPressed(*state, services, KeyDown);  // last shown: stays, latch kept
    EXPECT_EQ(state->catalog.current, 5);
    EXPECT_EQ(state->pickLatch, 1);

    KeyPressed(*state, services, KeyUp);
    KeyPressed(*state, services, KeyUp);
    KeyPressed(*state, services, KeyUp);  // first shown: stays
    EXPECT_EQ(state->catalog.current, 1);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 1001);

    showOnly(6, {4});
    state->catalog.current = 4;
    state->catalog.currentSet.catalogNumber = 0;
    EXPECT_EQ(KeyPressed(*state, services, KeyUp), Repaint::None);
    EXPECT_EQ(state->catalog.current, 4);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 1004);  // copied even without a move
}

TEST_F(MainWindowTest, ArrowsRollTheSkyAndZoomSpaceOnly) {
    state->viewMode = ViewMode::Map;
    EXPECT_EQ(KeyPressed(*state, services, KeyLeft), Repaint::None);
    EXPECT_EQ(state->viewMatrix.m[0][1], 0.0);

    state->viewMode = ViewMode::Sky;
    EXPECT_EQ(KeyPressed(*state, services, KeyLeft), Repaint::ViewArea);
    EXPECT_GT(state->viewMatrix.m[0][1], 0.0);
    EXPECT_EQ(state->viewMatrix.m[3][3], 1.0);

    state->viewMode = ViewMode::Space;
    KeyPressed(*state, services, KeyRight);
    EXPECT_DOUBLE_EQ(state->viewMatrix.m[3][3], 1.1);
    KeyPressed(*state, services, KeyLeft);
    EXPECT_NEAR(state->viewMatrix.m[3][3], 1.0, 1e-15);
    EXPECT_EQ(KeyReleased(*state, KeyLeft), Repaint::ViewArea);
    EXPECT_EQ(KeyReleased(*state, KeyUp), Repaint::None);

    EXPECT_EQ(KeyPressed(*state, services, KeyEnter), Repaint::ViewAreaErase);
    EXPECT_EQ(state->viewMode, ViewMode::InfoPanel);
}

TEST_F(MainWindowTest, MouseDragsRotateAndZoomTheSpaceView) {
    state->viewMode = ViewMode::Space;
    state->pickLatch = 1;
    EXPECT_EQ(LeftButtonDown(*state, {100, 100}), Repaint::ViewArea);
    EXPECT_EQ(state->pickLatch, 0);
    EXPECT_EQ(state->dragReference.x, 100);
    MouseMove(*state, {110, 100}, DragButtons::OnlyLeft);
    EXPECT_GT(state->viewMatrix.m[0][2], 0.0);
    EXPECT_EQ(state->mouse.x, 110);

    state->rightDragX = 50;
    MouseMove(*state, {50, 0}, DragButtons::OnlyRight);  // no horizontal movement zooms in
    EXPECT_DOUBLE_EQ(state->viewMatrix.m[3][3], 1.1);
    MouseMove(*state, {40, 0}, DragButtons::OnlyRight);
    EXPECT_NEAR(state->viewMatrix.m[3][3], 1.0, 1e-15);
    EXPECT_EQ(state->rightDragX, 40);

    EXPECT_EQ(MouseMove(*state, {0, 0}, DragButtons::Other), Repaint::None);
    EXPECT_EQ(state->mouse.x, 40);

    state->viewMode = ViewMode::Sky;  // the sky view only stores the point it picks with
    const ViewMatrix before = state->viewMatrix;
    LeftButtonDown(*state, {300, 200});
    MouseMove(*state, {310, 220}, DragButtons::OnlyLeft);
    EXPECT_EQ(state->mouse.y, 220);
    EXPECT_EQ(state->viewMatrix.m[0][2], before.m[0][2]);
    state->pickLatch = 1;
    EXPECT_EQ(LeftButtonUp(*state), Repaint::Client);
    EXPECT_EQ(state->pickLatch, 0);
}

TEST_F(MainWindowTest, TickAdvancesClockAndCounter) {
    state->clock.mode = ClockMode::RealTime;
    const double now = JulianDateFromCalendar(2026, 5, 4, 12, 0, 0, 250);
    for (int i = 0; i < 4; ++i) Tick(*state, services, now);
    EXPECT_EQ(state->clock.currentDate, now);
    EXPECT_EQ(state->tickCounter, 4);
    Tick(*state, services, now);
    EXPECT_EQ(state->tickCounter, 0);
    EXPECT_EQ(state->spaceSnapshot->julianDate, 0.0);  // only the space view takes it

    state->viewMode = ViewMode::Space;
    Tick(*state, services, now + 0.5);
    EXPECT_EQ(state->spaceSnapshot->julianDate, now + 0.5);
    EXPECT_GT(state->spaceSnapshot->sun.w, 1000.0);  // about 1.5e6 units of 100 km
}

TEST_F(MainWindowTest, PaintWithoutViewsDrawsBlackAndStatusFacts) {
    DisplayList list;
    PaintView(*state, list, {0, 0, 800, 600});
    ASSERT_EQ(list.commands.size(), 1u);
    EXPECT_EQ(list.commands[0].brush.colour, (Colour{0, 0, 0}));
    EXPECT_EQ(ViewArea({0, 0, 800, 600}).top, 31);
    EXPECT_EQ(ViewArea({0, 0, 800, 600}).bottom, 574);

    state->fileDisplayName = "amateur.txt";
    const StatusBarFacts facts = StatusBarFactsFor(*state);
    EXPECT_EQ(facts.fileDisplayName, "amateur.txt");
    EXPECT_EQ(facts.count, 1);
    EXPECT_EQ(facts.latitude, state->observer.latitude);
    state->settings.flag_refraction = 1;
    EXPECT_EQ(StatusBarFactsFor(*state).refraction, 1);
}
