// Choosing satellites: the saved selection and stepping the current satellite.
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "orbit/catalog_loading.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/selection_file.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

struct SelectionFixture {
    TemporaryFolder folder;
    ProgramFolder program{folder.path()};
    RecordingMessageSink messages;
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();

    std::string bytes() const {
        std::ifstream in(folder.file("Select.bol"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

}  // namespace

TEST(SelectionFile, RoundTripAsLittleEndianFlagsForAnyCatalogueSize) {
    // 400 flags (1,600 bytes) for any catalogue up to 400 sets, as the file
    // always was; one per set beyond that.
    for (int count : {8, 400, 3000}) {
        SCOPED_TRACE(count);
        SelectionFixture f;
        resizeCatalog(*f.catalog, count);
        f.catalog->selected[1] = 1;
        f.catalog->selected[399] = 1;
        f.catalog->selected[7] = 0x01020304;
        if (count > 400) f.catalog->selected[count - 1] = 1;
        ASSERT_TRUE(writeSelection(f.program, *f.catalog, f.messages));
        const std::string bytes = f.bytes();
        ASSERT_EQ(bytes.size(), 4u * std::max(400, count));
        EXPECT_EQ(bytes.substr(4, 2), std::string("\x01\x00", 2));
        EXPECT_EQ(bytes.substr(28, 4), std::string("\x04\x03\x02\x01", 4));
        EXPECT_FALSE(std::filesystem::exists(f.folder.file("Select.bol.tmp")));

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
    SelectionFixture f;
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
    SelectionFixture f;
    f.catalog->selected[3] = 1;
    ASSERT_TRUE(writeSelection(f.program, *f.catalog, f.messages));
    const std::string before = f.bytes();
    f.catalog->selected[4] = 1;
    // A full disk: the temporary file is /dev/full, where every write fails.
    const std::string temporary = f.folder.file("Select.bol.tmp");
    if (std::filesystem::exists("/dev/full")) {
        std::filesystem::create_symlink("/dev/full", temporary);
        EXPECT_FALSE(writeSelection(f.program, *f.catalog, f.messages));
        EXPECT_EQ(f.bytes(), before);
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(temporary)));
    }
    // The temporary file cannot be created at all.
    std::filesystem::create_directory(temporary);
    EXPECT_FALSE(writeSelection(f.program, *f.catalog, f.messages));
    EXPECT_EQ(f.bytes(), before);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(Stepping, DownAndUpVisitShownSlotsAndStopAtTheEnds) {
    SelectionFixture f;
    f.folder.write("Frequencies.txt", "header\n104 1.0 2.0\n");
    Settings settings;
    SatelliteCatalog& catalog = *f.catalog;
    resizeCatalog(catalog, 5);  // slots 100..104, of which 1, 3 and 4 shown
    for (int i = 0; i < 5; ++i) catalog.entries[i].catalogNumber = 100 + i;
    catalog.selected[1] = catalog.selected[3] = catalog.selected[4] = 1;
    catalog.current = 1;
    // The current slot, the satellite loaded and its downlink (145 MHz when not listed).
    auto state = [&] { return std::make_tuple(catalog.current, catalog.currentSet.catalogNumber, settings.downlink); };

    EXPECT_TRUE(stepToNextSelected(catalog, f.program, settings));
    EXPECT_EQ(catalog.current, 3);
    EXPECT_TRUE(stepToNextSelected(catalog, f.program, settings));
    EXPECT_EQ(state(), std::make_tuple(4, 104, 1.0));
    // Down on the last shown satellite: current stays, but it is loaded again.
    settings.downlink = 0.0;
    catalog.currentSet.catalogNumber = 0;
    EXPECT_FALSE(stepToNextSelected(catalog, f.program, settings));
    EXPECT_EQ(state(), std::make_tuple(4, 104, 1.0));

    EXPECT_TRUE(stepToPreviousSelected(catalog, f.program, settings));
    EXPECT_EQ(state(), std::make_tuple(3, 103, 145.0));
    EXPECT_TRUE(stepToPreviousSelected(catalog, f.program, settings));
    EXPECT_FALSE(stepToPreviousSelected(catalog, f.program, settings));  // slot 0 is hidden
    EXPECT_EQ(state(), std::make_tuple(1, 101, 145.0));

    // The searches stay inside the loaded slots, whatever `current` holds.
    catalog.selected[7] = 1;  // beyond count: never found
    catalog.current = 4;
    EXPECT_EQ(findNextSelected(catalog), -1);
    catalog.current = 399;
    EXPECT_EQ(findPreviousSelected(catalog), 4);
    catalog.current = -3;
    EXPECT_EQ(findNextSelected(catalog), 1);
    EXPECT_EQ(findPreviousSelected(catalog), -1);
}
