#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "../support/sample_sets.hpp"

#include "data/settings.hpp"
#include "orbit/selection_file.hpp"
#include "main_window_fixture.hpp"

using namespace vantrek;

namespace {

std::string sampleSets() { return vantrek::testing::SampleSets(); }

struct MainWindowFiles : ::testing::Test, MainWindowWorld {
    // Settings as a previous run left them.
    void previousRun(const std::string& lastOpen, int32_t current, int32_t flares) {
        store.keyPresent = true;
        Settings saved;
        saved.Last_Open = lastOpen;
        saved.flares = flares;
        saved.Lat = 0.5;
        StoreOptions(store, saved, current);
        StoreLastFile(store, saved, current);
        StoreLocation(store, saved, 3);
        store.writeLog.clear();
    }

    bool selectionFileExists() { return std::ifstream(folder.file("Select.bol")).good(); }
};

}  // namespace

TEST_F(MainWindowFiles, StartUpLoadsSettingsLastFileAndSelection) {
    const std::string path = folder.write("visual.tle", sampleSets());
    previousRun(path, 2, 1);
    std::vector<char> saved(1600, 0);
    saved[4 * 5] = 1;  // only slot 5 shown
    std::ofstream(folder.file("Select.bol"), std::ios::binary).write(saved.data(), 1600);

    startUp();
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "visual.tle");
    EXPECT_EQ(state->catalog.current, 2);
    EXPECT_EQ(state->observer.latitude, 0.5);
    EXPECT_EQ(state->settings.flares, 0);  // not an Iridium file
    EXPECT_EQ(state->iridiumCatalogue, 0);
    EXPECT_EQ(state->catalog.selected[0], 0);
    EXPECT_EQ(state->catalog.selected[5], 1);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_TRUE(store.writeLog.empty());  // nothing is written at start
}

TEST_F(MainWindowFiles, IridiumRulesAtStartUpAndOnOpen) {
    const std::string lower = folder.write("iridium.txt", sampleSets());
    previousRun(lower, 0, 1);
    startUp();
    EXPECT_EQ(state->iridiumCatalogue, 1);
    EXPECT_EQ(state->settings.flares, 1);

    // A capital first letter counts on Open, not at the next start.
    const std::string capital = folder.write("Iridium.txt", sampleSets());
    run(CmdOpen);
    OpenChosenElementFile(*state, services, capital);
    EXPECT_EQ(state->iridiumCatalogue, 1);
    EXPECT_EQ(state->fileDisplayName, "Iridium.txt");

    MainWindowWorld next;
    next.store = store;
    next.startUp();
    EXPECT_EQ(next.state->iridiumCatalogue, 0);
    EXPECT_EQ(next.state->settings.flares, 0);
}

TEST_F(MainWindowFiles, OpenLoadsReportsAndResetsTheView) {
    store.keyPresent = true;
    startUp();
    const std::string path = folder.write("amateur.txt", sampleSets());
    ZoomIn(state->viewMatrix);
    state->settings.flares = 1;
    EXPECT_EQ(run(CmdOpen).action, ShellAction::ChooseElementFile);
    OpenChosenElementFile(*state, services, path);
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "amateur.txt");
    EXPECT_EQ(state->viewMatrix.m[3][3], 1.0);
    EXPECT_EQ(state->settings.flares, 0);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 25544);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].caption, "Info");

    // A file that cannot be opened leaves the catalogue and the name.
    OpenChosenElementFile(*state, services, folder.file("missing.tle"));
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->fileDisplayName, "amateur.txt");
    EXPECT_EQ(messages.messages.back().text, "I can't open the file!");
}

TEST_F(MainWindowFiles, ExitWritesSelectionAndLastFileButCloseDoesNot) {
    store.keyPresent = true;
    startUp();
    CloseMainWindow(*state, services);
    EXPECT_FALSE(selectionFileExists());
    EXPECT_TRUE(store.writeLog.empty());

    EXPECT_EQ(run(CmdExit).action, ShellAction::DestroyWindow);  // no file opened yet
    EXPECT_TRUE(selectionFileExists());
    EXPECT_TRUE(store.writeLog.empty());

    state->settings.Last_Open = "/data/visual.tle";
    state->catalog.current = 0;
    state->catalog.selected[3] = 1;
    run(CmdExit);
    EXPECT_EQ(store.writeLog, (std::vector<std::string>{"Last_Open", "Sat_Display"}));
    auto reread = std::make_unique<SatelliteCatalog>();
    EXPECT_TRUE(readSelection(services.folder, *reread, messages));
    EXPECT_EQ(reread->selected[3], 1);
}

TEST_F(MainWindowFiles, UpAndDownLoadFrequenciesOfTheWorkingSet) {
    store.keyPresent = true;
    folder.write("Frequencies.txt", "Catalog Down Up\n25544 145.800 437.800\n");
    const std::string path = folder.write("visual.tle", sampleSets());
    run(CmdOpen);
    OpenChosenElementFile(*state, services, path);
    state->catalog.current = 1;
    KeyPressed(*state, services, KeyUp);
    EXPECT_EQ(state->catalog.current, 0);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 25544);
    EXPECT_NEAR(state->settings.downlink, 145.8, 1e-4);  // read in single precision
    EXPECT_NEAR(state->settings.uplink, 437.8, 1e-4);
}
