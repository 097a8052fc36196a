#include "ui/dialogs/position_dialog.hpp"

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

struct PositionFixture {
    TemporaryFolder folder;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    Settings settings;
    Observer observer;
    PositionForm form;

    PositionFixture() { store.keyPresent = true; }
    void open() {
        openPositionDialog(form, ProgramFolder{folder.path()}, store, settings, observer, messages);
    }
    void choose(int row, int32_t fixMode = 0) {
        choosePositionRow(form, row, ProgramFolder{folder.path()}, settings, 48.1173, 11.5, 545.4,
                          fixMode);
    }
    void accept() { acceptPositionDialog(form, settings, observer, store); }
};

}  // namespace

TEST(PositionDialog, ChoosingAPlaceOrTheGpsAndOkMakesItTheStoredPosition) {
    PositionFixture f;
    f.folder.write("Cities.loc", "Kiel 54.3 10.1 30\nOslo 59.9 10.7 23\nLisbon 38.72 -9.14 50\n");
    f.open();
    EXPECT_EQ(f.form.locations, (std::vector<std::string>{"from GPS", "Kiel", "Oslo", "Lisbon"}));
    EXPECT_EQ(f.form.latitude, "54.302300");

    f.choose(0, 3);  // the GPS needs a port and a 3-D fix
    f.settings.GPSPort = 2;
    f.choose(0, 2);
    EXPECT_EQ(f.form.latitude, "54.302300");
    f.choose(0, 3);
    EXPECT_EQ(f.form.altitude, "545.400000");

    f.choose(3);
    EXPECT_EQ(f.form.longitude, "-9.14");  // as written in the file
    EXPECT_NEAR(f.observer.latitude / kDegree, 54.3023, 1e-9);  // choosing changes no position
    f.accept();
    EXPECT_NEAR(f.observer.latitude / kDegree, 38.72, 1e-5);
    EXPECT_NEAR(f.observer.height, 0.05, 1e-9);
    f.open();  // stored: the row comes back preselected
    EXPECT_EQ(f.form.selectedRow, 3);
    EXPECT_NEAR(f.observer.longitude / kDegree, -9.14, 1e-5);
}

TEST(PositionDialog, WithoutThePlacesFileOkKeepsThePositionAndAMissingKeyIsReported) {
    PositionFixture f;
    f.observer.latitude = 0.5;
    f.open();
    EXPECT_TRUE(f.form.locations.empty());
    f.accept();
    EXPECT_NEAR(f.observer.latitude, 0.5, 1e-5);  // not 0, 0, 0 (7 characters kept)
    Settings restarted;
    EXPECT_EQ(LoadSettings(f.store, restarted), 0);  // row 0, not -1

    PositionFixture noKey;
    noKey.folder.write("Cities.loc", "Kiel 54.3 10.1 30\n");
    noKey.store.keyPresent = false;
    noKey.open();
    EXPECT_EQ(noKey.messages.messages.at(0).text, "Can't read registry entries!");
    EXPECT_EQ(noKey.form.selectedRow, 0);
}
