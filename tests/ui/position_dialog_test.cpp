#include "ui/position_dialog.hpp"

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

constexpr const char* kThreePlaces =
    "Kiel 54.3023 10.1247 30\n"
    "Oslo 59.9139 10.7522 23\n"
    "Lisbon 38.72 -9.14 50\n";

struct PositionFixture {
    TemporaryFolder folder;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    Settings settings;
    Observer observer;
    PositionForm form;

    PositionFixture() { store.keyPresent = true; }
    ProgramFolder program() const { return ProgramFolder{folder.path()}; }
    void open() { openPositionDialog(form, program(), store, settings, observer, messages); }
    void accept() { acceptPositionDialog(form, settings, observer, store); }
    void choose(int row, int32_t fixMode = 0) {
        choosePositionRow(form, row, program(), settings, 48.1173, 11.516667, 545.4, fixMode);
    }
};

}  // namespace

TEST(PositionDialog, ChoosingLisbonAndOkMakesItTheStoredPosition) {
    PositionFixture f;
    f.folder.write("Cities.loc", kThreePlaces);
    f.open();
    EXPECT_EQ(f.form.locations, (std::vector<std::string>{"from GPS", "Kiel", "Oslo", "Lisbon"}));
    EXPECT_EQ(f.form.selectedRow, 0);  // no City stored yet
    EXPECT_EQ(f.form.latitude, "54.302300");
    EXPECT_EQ(f.form.longitude, "10.124700");
    EXPECT_EQ(f.form.altitude, "30.000000");
    EXPECT_TRUE(f.messages.messages.empty());

    f.choose(3);
    EXPECT_EQ(f.form.latitude, "38.72");
    EXPECT_EQ(f.form.longitude, "-9.14");
    EXPECT_EQ(f.form.altitude, "50");
    EXPECT_NEAR(f.observer.latitude / kDegree, 54.3023, 1e-9);  // choosing changes no position

    f.accept();
    EXPECT_NEAR(f.observer.latitude / kDegree, 38.72, 1e-5);
    EXPECT_NEAR(f.observer.longitude / kDegree, -9.14, 1e-5);
    EXPECT_NEAR(f.observer.height, 0.05, 1e-9);
    EXPECT_EQ(f.settings.Lat, f.observer.latitude);

    Settings restarted;
    EXPECT_EQ(LoadSettings(f.store, restarted), 3);
    EXPECT_EQ(restarted.Lat, f.settings.Lat);
    f.open();  // the stored row comes back preselected
    EXPECT_EQ(f.form.selectedRow, 3);
}

TEST(PositionDialog, GpsRowNeedsAPortAndA3DFix) {
    PositionFixture f;
    f.folder.write("Cities.loc", kThreePlaces);
    f.open();
    f.choose(0, 3);  // GPSPort 0
    EXPECT_EQ(f.form.latitude, "54.302300");
    f.settings.GPSPort = 2;
    f.choose(0, 2);
    EXPECT_EQ(f.form.latitude, "54.302300");
    f.choose(0, 3);
    EXPECT_EQ(f.form.latitude, "48.117300");
    EXPECT_EQ(f.form.longitude, "11.516667");
    EXPECT_EQ(f.form.altitude, "545.400000");
    f.choose(7);  // no such line: nothing changes
    EXPECT_EQ(f.form.latitude, "48.117300");
}

TEST(PositionDialog, OutOfRangeEntriesCountAsZero) {
    PositionFixture f;
    f.folder.write("Cities.loc", kThreePlaces);
    f.open();
    f.form.latitude = "400";
    f.form.longitude = "-360";
    f.form.altitude = "25000";
    f.accept();
    EXPECT_EQ(f.observer.latitude, 0.0);
    EXPECT_NEAR(f.observer.longitude, -360.0 * kDegree, 1e-12);
    EXPECT_EQ(f.observer.height, 0.0);
    EXPECT_EQ(f.form.latitude, "400");  // OK writes nothing back

    f.form.longitude = "east";
    calculatePosition(f.form, f.settings, f.observer, 2451545.0);
    EXPECT_EQ(f.form.latitude, "0.000000");
    EXPECT_EQ(f.form.longitude, "0.000000");
    EXPECT_EQ(f.form.altitude, "0.000000");
}

TEST(PositionDialog, CalculateShowsTheInertialPositionAndCancelKeepsIt) {
    PositionFixture f;
    f.folder.write("Cities.loc", kThreePlaces);
    f.open();
    f.store.writeLog.clear();
    f.form.latitude = "0";
    f.form.longitude = "0";
    f.form.altitude = "0";
    calculatePosition(f.form, f.settings, f.observer, 2451545.0);
    EXPECT_EQ(f.form.eciR, "6378.135000");  // on the equator: the equatorial radius
    EXPECT_EQ(f.form.eciZ, "0.000000");
    EXPECT_EQ(f.observer.latitude, 0.0);  // in force at once

    f.form.latitude = "90";
    f.form.altitude = "1000";
    calculatePosition(f.form, f.settings, f.observer, 2451545.0);
    EXPECT_NEAR(std::stod(f.form.eciX), 0.0, 1e-3);
    EXPECT_NEAR(std::stod(f.form.eciZ), 6356.751 + 1.0, 1e-3);  // polar radius plus 1 km
    // Cancel: the position stays, nothing is stored.
    EXPECT_NEAR(f.observer.latitude, 90 * kDegree, 1e-12);
    EXPECT_TRUE(f.store.writeLog.empty());
}

TEST(PositionDialog, MissingFileKeepsThePositionOnOk) {
    PositionFixture f;
    f.observer.latitude = 0.5;
    f.open();
    EXPECT_TRUE(f.form.locations.empty());
    EXPECT_EQ(f.form.selectedRow, -1);
    EXPECT_TRUE(f.messages.messages.empty());
    f.accept();
    EXPECT_NEAR(f.observer.latitude, 0.5, 1e-5);  // not 0, 0, 0 (7 characters kept)
    Settings restarted;
    EXPECT_EQ(LoadSettings(f.store, restarted), 0);  // row 0, not -1
}

TEST(PositionDialog, MissingKeyAndUnknownFolderAreReported) {
    PositionFixture f;
    f.folder.write("Cities.loc", kThreePlaces);
    f.store.keyPresent = false;
    f.open();
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "Can't read registry entries!");
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.form.selectedRow, 0);

    openPositionDialog(f.form, ProgramFolder{}, f.store, f.settings, f.observer, f.messages);
    EXPECT_EQ(f.messages.messages.at(1).text, "Incorrect Quorle pragram path!");
    EXPECT_TRUE(f.form.locations.empty());
}
