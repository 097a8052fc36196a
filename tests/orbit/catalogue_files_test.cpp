// The files of the program folder: opening element-set files (the Open
// command, start-up, Iridium names) and the saved selection; stepping the
// current satellite.
#include "orbit/catalogue_files.hpp"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "../support/orbit_fixtures.hpp"
#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/selection_file.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/dialogs/satellite_dialog.hpp"

using namespace vantrek;
using vantrek::testing::SampleSets;

namespace {

const std::string kOmmDir = std::string(VANTREK_TESTS_DIR) + "/orbit/omm/";

// A program folder, a catalogue and the records the commands change.
struct ProgramFolderFixture {
    TemporaryFolder folder;
    ProgramFolder program{folder.path()};
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    Settings settings;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    int32_t iridium = 1;

    ProgramFolderFixture() { store.keyPresent = true; }
    bool open(const std::string& path) {
        return openElementSetCommand(path, *catalog, settings, store, program, messages, iridium);
    }
    std::string selectionBytes() const { return vantrek::testing::readText(folder.file("Select.bol")); }
};

}  // namespace

TEST(OpenCommand, LoadsSelectsReportsAndRemembersAFile) {
    ProgramFolderFixture f;
    // The form is told by the content: orbit mean elements in a file named .tle.
    const std::string path =
        f.folder.write(std::string(200, 'v') + ".tle", vantrek::testing::readText(kOmmDir + "sample.json"));
    f.catalog->current = 5;
    f.settings.flares = 1;
    ASSERT_TRUE(f.open(path));
    // Slot 0 current and loaded; not an Iridium file: no flares.
    EXPECT_EQ(std::make_tuple(f.catalog->count, f.catalog->current, f.catalog->currentSet.catalogNumber, f.iridium,
                              f.settings.flares), std::make_tuple(8, 0, 25544, 0, 0));
    ASSERT_EQ(f.messages.messages.size(), 1u);
    // A long path is reported whole, not cut to a fixed buffer.
    EXPECT_EQ(f.messages.messages[0].text, "Data of 8 satellites successfully read from " + path);
    Settings restarted;
    LoadSettings(f.store, restarted);
    EXPECT_EQ(restarted.Last_Open, path);
}

TEST(OpenCommand, AMissingFileOrOneWithoutSetsIsReportedAndChangesNothing) {
    ProgramFolderFixture f;
    ASSERT_TRUE(f.open(f.folder.write("visual.tle", SampleSets())));
    f.catalog->current = 2;
    f.iridium = 1;
    f.store.writeLog.clear();
    EXPECT_FALSE(f.open(f.folder.file("missing.tle")));
    EXPECT_EQ(f.messages.messages.back().text, "I can't open the file!");
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
        EXPECT_EQ(std::make_tuple(f.catalog->count, f.catalog->current, f.iridium), std::make_tuple(8, 2, 1));
        EXPECT_TRUE(f.store.writeLog.empty());  // the last file stays the one with sets
    }
    EXPECT_EQ(f.settings.Last_Open, f.folder.file("visual.tle"));
}

// Past the limit of 100,000 sets: read up to it, and the report says how many were left out.
TEST(OpenCommand, PastTheCatalogueLimitTheReportSaysWhatWasLeftOut) {
    ProgramFolderFixture f;
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
// found by the pass search (its frequencies: the program-files tests).
TEST(OpenCommand, SixDigitSatelliteFromCsv) {
    ProgramFolderFixture f;
    ASSERT_TRUE(f.open(kOmmDir + "six_digit.csv"));
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 100001);
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
    ProgramFolderFixture f;
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
    f.settings.Last_Open.clear();  // first run: nothing to open, nothing to say
    EXPECT_FALSE(reopenLastFile(f.settings, *f.catalog, f.messages, f.iridium));
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(SelectionFile, RoundTripAsLittleEndianFlagsForAnyCatalogueSize) {
    // 400 flags (1,600 bytes) for any catalogue up to 400 sets, as the file
    // always was; one per set beyond that.
    for (int count : {8, 400, 3000}) {
        SCOPED_TRACE(count);
        ProgramFolderFixture f;
        resizeCatalog(*f.catalog, count);
        f.catalog->selected[1] = 1;
        f.catalog->selected[399] = 1;
        f.catalog->selected[7] = 0x01020304;
        if (count > 400) f.catalog->selected[count - 1] = 1;
        ASSERT_TRUE(writeSelection(f.program, *f.catalog, f.messages));
        const std::string bytes = f.selectionBytes();
        ASSERT_EQ(bytes.size(), 4u * std::max(400, count));
        EXPECT_EQ(bytes.substr(4, 2), std::string("\x01\x00", 2));
        EXPECT_EQ(bytes.substr(28, 4), std::string("\x04\x03\x02\x01", 4));

        auto loaded = std::make_unique<SatelliteCatalog>();
        for (int32_t& flag : loaded->selected) flag = 1;
        ASSERT_TRUE(readSelection(f.program, *loaded, f.messages));
        ASSERT_GE(loaded->selected.size(), bytes.size() / 4);
        for (std::size_t i = 0; i < bytes.size() / 4; ++i)
            ASSERT_EQ(loaded->selected[i], f.catalog->selected[i]) << i;
        EXPECT_TRUE(f.messages.messages.empty());
    }
}

TEST(SelectionFile, MissingDamagedOrUnplacedFileLeavesTheSelection) {
    ProgramFolderFixture f;
    f.catalog->selected[1] = 1;
    EXPECT_FALSE(readSelection(f.program, *f.catalog, f.messages));
    // Not a whole number of flags, empty, or longer than 100,000 flags (1 GiB).
    for (std::uintmax_t size : {std::uintmax_t{3}, std::uintmax_t{1601}, std::uintmax_t{0},
                                std::uintmax_t{400004}, std::uintmax_t{1} << 30}) {
        f.folder.write("Select.bol", "");
        std::filesystem::resize_file(f.folder.file("Select.bol"), size);
        EXPECT_FALSE(readSelection(f.program, *f.catalog, f.messages)) << size;
        EXPECT_EQ(f.catalog->selected[1], 1) << size;
    }
    EXPECT_EQ(f.catalog->selected.size(), 400u);
    EXPECT_TRUE(f.messages.messages.empty());
    // An unknown program folder is reported, and nothing is touched.
    EXPECT_FALSE(readSelection(ProgramFolder{}, *f.catalog, f.messages));
    EXPECT_FALSE(writeSelection(ProgramFolder{}, *f.catalog, f.messages));
    ASSERT_EQ(f.messages.messages.size(), 2u);
    EXPECT_EQ(f.messages.messages[1].text, "Incorrect Quorle pragram path!");
}

TEST(SelectionFile, FailedWriteLeavesThePreviousFileWhole) {
    ProgramFolderFixture f;
    f.catalog->selected[3] = 1;
    ASSERT_TRUE(writeSelection(f.program, *f.catalog, f.messages));
    const std::string before = f.selectionBytes();
    f.catalog->selected[4] = 1;
    // A full disk: the temporary file is /dev/full, where every write fails.
    const std::string temporary = f.folder.file("Select.bol.tmp");
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", temporary);
        EXPECT_FALSE(writeSelection(f.program, *f.catalog, f.messages));
        // Not /dev/full moved into its place (reading that would never end).
        ASSERT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(f.folder.file("Select.bol"))));
        EXPECT_EQ(f.selectionBytes(), before);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temporary)));
    }
    // The temporary file cannot be created at all.
    std::filesystem::create_directory(temporary);
    EXPECT_FALSE(writeSelection(f.program, *f.catalog, f.messages));
    EXPECT_EQ(f.selectionBytes(), before);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(Stepping, DownAndUpVisitShownSlotsAndStopAtTheEnds) {
    ProgramFolderFixture f;
    f.folder.write("Frequencies.txt", "header\n104 1.0 2.0\n");
    SatelliteCatalog& catalog = *f.catalog;
    resizeCatalog(catalog, 5);  // slots 100..104, of which 1, 3 and 4 shown
    for (int i = 0; i < 5; ++i) catalog.entries[i].catalogNumber = 100 + i;
    catalog.selected[1] = catalog.selected[3] = catalog.selected[4] = 1;
    catalog.current = 1;
    // Each step: down or up, whether it moved, then the current slot, the
    // satellite loaded and its downlink (145 MHz when not listed). A step that
    // cannot move (past the last shown, or slot 0 hidden) loads the current one again.
    const struct { bool down, moved; int current, number; double downlink; } steps[] = {
        {true, true, 3, 103, 145.0},  {true, true, 4, 104, 1.0},    {true, false, 4, 104, 1.0},
        {false, true, 3, 103, 145.0}, {false, true, 1, 101, 145.0}, {false, false, 1, 101, 145.0}};
    for (const auto& step : steps) {
        catalog.currentSet.catalogNumber = 0;
        f.settings.downlink = 0.0;
        EXPECT_EQ(step.down ? stepToNextSelected(catalog, f.program, f.settings)
                            : stepToPreviousSelected(catalog, f.program, f.settings), step.moved);
        EXPECT_EQ(std::make_tuple(catalog.current, catalog.currentSet.catalogNumber, f.settings.downlink),
                  std::make_tuple(step.current, step.number, step.downlink)) << step.down << " to " << step.current;
    }

    // The searches stay inside the loaded slots, whatever `current` holds.
    catalog.selected[7] = 1;  // beyond count: never found
    const int searches[][3] = {{4, -1, 3}, {399, -1, 4}, {-3, 1, -1}};  // current, next, previous
    for (const auto& search : searches) {
        catalog.current = search[0];
        EXPECT_EQ(std::make_pair(findNextSelected(catalog), findPreviousSelected(catalog)),
                  std::make_pair(search[1], search[2])) << search[0];
    }
}
