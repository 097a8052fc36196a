#include "orbit/current_satellite.hpp"

#include <memory>

#include <gtest/gtest.h>

#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

// Five slots with catalogue numbers 100..104; slots 1, 3 and 4 shown.
std::unique_ptr<SatelliteCatalog> fiveSlots() {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->count = 5;
    for (int i = 0; i < 5; ++i) catalog->entries[i].catalogNumber = 100 + i;
    catalog->selected[1] = catalog->selected[3] = catalog->selected[4] = 1;
    return catalog;
}

}  // namespace

TEST(Stepping, DownAndUpVisitShownSlotsAndStopAtTheEnds) {
    TemporaryFolder folder;
    folder.write("Frequencies.txt", "header\n104 1.0 2.0\n");
    const ProgramFolder program{folder.path()};
    auto catalog = fiveSlots();
    Settings settings;
    catalog->current = 1;

    EXPECT_TRUE(stepToNextSelected(*catalog, program, settings));
    EXPECT_EQ(catalog->current, 3);
    EXPECT_TRUE(stepToNextSelected(*catalog, program, settings));
    EXPECT_EQ(catalog->current, 4);
    EXPECT_EQ(settings.downlink, 1.0);

    // Down on the last shown satellite: current stays, but it is loaded again.
    settings.downlink = 0.0;
    catalog->currentSet.catalogNumber = 0;
    EXPECT_FALSE(stepToNextSelected(*catalog, program, settings));
    EXPECT_EQ(catalog->current, 4);
    EXPECT_EQ(catalog->currentSet.catalogNumber, 104);
    EXPECT_EQ(settings.downlink, 1.0);

    EXPECT_TRUE(stepToPreviousSelected(*catalog, program, settings));
    EXPECT_EQ(catalog->current, 3);
    EXPECT_EQ(settings.downlink, 145.0);
    EXPECT_TRUE(stepToPreviousSelected(*catalog, program, settings));
    EXPECT_EQ(catalog->current, 1);
    EXPECT_FALSE(stepToPreviousSelected(*catalog, program, settings));  // slot 0 is hidden
    EXPECT_EQ(catalog->current, 1);
    EXPECT_EQ(catalog->currentSet.catalogNumber, 101);
}

TEST(Stepping, SearchesStayInsideTheLoadedSlots) {
    auto catalog = fiveSlots();
    catalog->selected[7] = 1;  // beyond count: never found
    catalog->current = 4;
    EXPECT_EQ(findNextSelected(*catalog), -1);
    catalog->current = 399;
    EXPECT_EQ(findPreviousSelected(*catalog), 4);
    catalog->current = -3;
    EXPECT_EQ(findNextSelected(*catalog), 1);
    EXPECT_EQ(findPreviousSelected(*catalog), -1);
}
