// Opening element-set files: the Open command, start-up and Iridium names.
#include "orbit/catalogue_files.hpp"

#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "../support/orbit_fixtures.hpp"
#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/dialogs/satellite_dialog.hpp"

using namespace vantrek;
using vantrek::testing::SampleSets;

namespace {

const std::string kOmmDir = std::string(VANTREK_TESTS_DIR) + "/orbit/omm/";

struct OpenFixture {
    TemporaryFolder folder;
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    Settings settings;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    int32_t iridium = 1;

    OpenFixture() {
        store.keyPresent = true;
        loadPlaceholderElementSet(*catalog);
    }
    bool open(const std::string& path) {
        return openElementSetCommand(path, *catalog, settings, store, ProgramFolder{folder.path()},
                                     messages, iridium);
    }
};

}  // namespace

TEST(OpenCommand, RefusesAMissingFileThenLoadsSelectsReportsAndRemembersOne) {
    OpenFixture f;
    EXPECT_FALSE(f.open(f.folder.file("missing.tle")));
    EXPECT_EQ(f.catalog->count, 1);  // the placeholder stays
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "I can't open the file!");
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(f.store.writeLog.empty());

    f.folder.write("Frequencies.txt", "header\n25544 145.800 437.800\n");
    // The form is told by the content: orbit mean elements in a file named .tle.
    const std::string path =
        f.folder.write(std::string(200, 'v') + ".tle", vantrek::testing::readText(kOmmDir + "sample.json"));
    f.catalog->current = 5;
    f.settings.flares = 1;
    f.messages.messages.clear();
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.catalog->count, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(f.catalog->selected[i], 1);
    EXPECT_EQ(f.catalog->current, 0);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 25544);
    EXPECT_EQ(f.iridium, 0);
    EXPECT_EQ(f.settings.flares, 0);  // not an Iridium file
    EXPECT_DOUBLE_EQ(f.settings.uplink, static_cast<double>(437.8f));
    ASSERT_EQ(f.messages.messages.size(), 1u);
    // A long path is reported whole, not cut to a fixed buffer.
    EXPECT_EQ(f.messages.messages[0].text, "Data of 8 satellites successfully read from " + path);
    Settings restarted;
    LoadSettings(f.store, restarted);
    EXPECT_EQ(restarted.Last_Open, path);
}

TEST(OpenCommand, AFileWithoutSetsIsReportedAndChangesNothing) {
    OpenFixture f;
    ASSERT_TRUE(f.open(f.folder.write("visual.tle", SampleSets())));
    f.catalog->current = 2;
    f.iridium = 1;
    f.store.writeLog.clear();
    const std::string folderPath = f.folder.path() + "/sets";  // opens, but cannot be read
    std::filesystem::create_directory(folderPath);
    const std::string passwd = f.folder.write("passwd", "root:x:0:0:root:/root:/bin/bash\n");
    const std::string empty = f.folder.write("empty.tle", "");
    for (const std::string& path : {folderPath, passwd, empty}) {
        SCOPED_TRACE(path);
        f.messages.messages.clear();
        EXPECT_FALSE(f.open(path));
        EXPECT_EQ(f.messages.messages.back().text, "Data of 0 satellites successfully read from " + path);
        EXPECT_EQ(f.messages.messages.front().text == "Read failed!", path == folderPath);
        EXPECT_EQ(f.catalog->count, 8);
        EXPECT_EQ(f.catalog->current, 2);
        EXPECT_EQ(f.iridium, 1);
        EXPECT_TRUE(f.store.writeLog.empty());  // the last file stays the one with sets
    }
    EXPECT_EQ(f.settings.Last_Open, f.folder.file("visual.tle"));
}

// Past the limit of 100,000 sets: read up to it, and the report says how many were left out.
TEST(OpenCommand, PastTheCatalogueLimitTheReportSaysWhatWasLeftOut) {
    OpenFixture f;
    std::string csv = "NORAD_CAT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,"
                      "MEAN_ANOMALY\n";
    for (int i = 0; i < kCatalogLimit + 2; ++i) csv += "7,2026-12-06T12:00:00,15.5,0.0005,51.64,120,80,280\n";
    const std::string path = f.folder.write("all.csv", csv);
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.catalog->count, kCatalogLimit);
    EXPECT_EQ(f.messages.messages.back().text,
              "Data of 100000 satellites successfully read from " + path +
                  "\n2 more satellites in the file were not read: the catalogue holds at most 100000.");
}

// A satellite numbered past 99999: loaded from CSV, listed with its number,
// its frequencies found, found by the pass search.
TEST(OpenCommand, SixDigitSatelliteFromCsv) {
    OpenFixture f;
    f.folder.write("Frequencies.txt", "Cat Down Up\n10000 1.0 2.0\n100001 145.825 435.100\n");
    ASSERT_TRUE(f.open(kOmmDir + "six_digit.csv"));
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 100001);
    EXPECT_DOUBLE_EQ(f.settings.downlink, static_cast<double>(145.825f));
    SatelliteForm form;
    openSatelliteDialog(form, *f.catalog, f.catalog->entries[0].epoch);
    ASSERT_EQ(form.rows.size(), 1u);
    EXPECT_EQ(form.rows[0].catalogNumber, "100001");
    std::string out;
    ASSERT_EQ(vantrek::testing::RunCli("passes " + kOmmDir + "six_digit.csv --lat 50 --lon 10 --alt 0.1 "
                                       "--start 2026-12-06T12:00:00 --hours 24 --sun-elev 90 --min-mag 100", out), 0);
    EXPECT_NE(out.find("DEMO SIX-DIGIT"), std::string::npos) << out;
}

TEST(IridiumNames, LowerCaseOnlyAtStartEitherCaseOnOpenAndStartUpReopensTheLastFile) {
    const struct { const char* path; bool atStart, onOpen; } cases[] = {
        {"/home/u/iridium.txt", true, true}, {"C:\\TLE\\iridium-33-debris.txt", true, true},
        {"/home/u/Iridium.txt", false, true}, {"/home/u/IRIDIUM.txt", false, false},
        {"iridium.txt", false, true} /* no folder: no test at start */, {"/iridium/visual.txt", false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(isIridiumFileAtStart(c.path), c.atStart) << c.path;
        EXPECT_EQ(isIridiumFileOnOpen(c.path), c.onOpen) << c.path;
    }
    OpenFixture f;
    f.settings.flares = 1;
    ASSERT_TRUE(f.open(f.folder.write("Iridium.txt", SampleSets())));
    EXPECT_EQ(f.iridium, 1);
    EXPECT_EQ(f.settings.flares, 1);

    for (const char* name : {"iridium.txt", "Iridium.txt"}) {
        f.iridium = 0;
        f.settings.flares = 1;
        f.settings.Last_Open = f.folder.write(name, SampleSets());
        EXPECT_TRUE(reopenLastFile(f.settings, *f.catalog, f.messages, f.iridium));
        EXPECT_EQ(f.iridium, name[0] == 'i' ? 1 : 0) << name;
        EXPECT_EQ(f.settings.flares, f.iridium) << name;  // flares only for an Iridium file
    }
    f.messages.messages.clear();
    f.settings.Last_Open = f.folder.file("gone.tle");
    EXPECT_FALSE(reopenLastFile(f.settings, *f.catalog, f.messages, f.iridium));
    EXPECT_EQ(f.messages.messages.at(0).text, "I can't open the file!");
    EXPECT_EQ(f.catalog->count, 8);
    f.settings.Last_Open.clear();  // first run: nothing to open, nothing to say
    EXPECT_FALSE(reopenLastFile(f.settings, *f.catalog, f.messages, f.iridium));
    EXPECT_EQ(f.messages.messages.size(), 1u);
}
