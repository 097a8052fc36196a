#include <vector>

#include <gtest/gtest.h>

#include "../support/sample_sets.hpp"

#include "data/settings.hpp"
#include "orbit/selection_file.hpp"
#include "main_window_fixture.hpp"

using namespace vantrek;

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
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "visual.tle");
    EXPECT_EQ(state->catalog.current, 2);
    EXPECT_EQ(state->observer.latitude, 0.5);
    EXPECT_EQ(state->catalog.selected[0], 0);
    EXPECT_EQ(state->catalog.selected[5], 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(store.writeLog.empty());
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

TEST_F(MainWindowTest, ExitStoresTheLastFileOnlyWhenOneWasOpenedAndSavesTheSelection) {
    store.keyPresent = true;
    startUp();
    EXPECT_EQ(run(CmdExit).action, ShellAction::DestroyWindow);
    EXPECT_TRUE(store.writeLog.empty());

    state->settings.Last_Open = "/data/visual.tle";
    state->catalog.selected[3] = 1;
    CloseMainWindow(*state, services);  // the close box saves nothing
    EXPECT_TRUE(store.writeLog.empty());
    run(CmdExit);
    EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Last_Open", "Sat_Display"}));
    auto reread = std::make_unique<SatelliteCatalog>();
    EXPECT_TRUE(readSelection(services.folder, *reread, messages));
    EXPECT_EQ(reread->selected[3], 1);
}
