#include "ui/satellite_dialog.hpp"

#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

// Three sets, slots 0..2, catalogue numbers 200..202, epoch 2008 day 264.51782528.
std::unique_ptr<SatelliteCatalog> threeSets() {
    auto catalog = std::make_unique<SatelliteCatalog>();
    catalog->count = 3;
    for (int i = 0; i < 3; ++i) {
        ElementSet& set = catalog->entries[i];
        std::snprintf(set.name, sizeof set.name, "SAT %d", i);
        set.catalogNumber = 200 + i;
        set.elementNumber = 10 * i;
        set.epoch = 8264.51782528;
        catalog->selected[i] = 1;
    }
    return catalog;
}

struct DialogFixture {
    TemporaryFolder folder;
    std::unique_ptr<SatelliteCatalog> catalog = threeSets();
    Settings settings;
    SatelliteForm form;

    DialogFixture() { openSatelliteDialog(form, *catalog, JulianDateFromEpoch(8266.51782528)); }
    void accept() { acceptSatelliteDialog(form, *catalog, ProgramFolder{folder.path()}, settings); }
};

}  // namespace

TEST(SatelliteDialog, RowsComeInReverseFileOrder) {
    DialogFixture f;
    f.catalog->selected[1] = 0;
    openSatelliteDialog(f.form, *f.catalog, JulianDateFromEpoch(8266.51782528));
    EXPECT_EQ(f.form.count, "3");
    ASSERT_EQ(f.form.rows.size(), 3u);
    EXPECT_EQ(f.form.rows[0].slotText, "   2");
    EXPECT_EQ(f.form.rows[1].slotText, "   1");
    EXPECT_EQ(f.form.rows[2].slotText, "   0");
    EXPECT_EQ(f.form.rows[0].name, "SAT 2");
    EXPECT_EQ(f.form.rows[0].catalogNumber, "202");
    EXPECT_EQ(f.form.rows[0].elementNumber, "20");
    EXPECT_EQ(f.form.rows[0].epoch, "2008- 9-20 12:25:40 (2.0 days old)");
    EXPECT_TRUE(f.form.rows[0].checked);
    EXPECT_FALSE(f.form.rows[1].checked);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 0);  // filling the list loads nothing
}

TEST(SatelliteDialog, SelectTwiceThenOkSelectsAllAndTheHighlightedBecomesCurrent) {
    DialogFixture f;
    f.catalog->current = 2;
    toggleSatelliteSelection(f.form, *f.catalog);
    for (const SatelliteRow& row : f.form.rows) EXPECT_FALSE(row.checked);
    EXPECT_EQ(f.catalog->selected[0], 0);
    EXPECT_EQ(f.catalog->current, 0);
    toggleSatelliteSelection(f.form, *f.catalog);
    for (const SatelliteRow& row : f.form.rows) EXPECT_TRUE(row.checked);

    f.form.highlightedRow = 1;  // slot 1
    f.accept();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.catalog->selected[i], 1);
    EXPECT_EQ(f.catalog->current, 1);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 201);
    EXPECT_EQ(f.settings.uplink, 145.0);

    f.form.highlightedRow = -1;  // nothing highlighted: the last row, slot 0
    f.accept();
    EXPECT_EQ(f.catalog->current, 0);
}

TEST(SatelliteDialog, OkTakesTheLastCheckedRowAndIgnoresAnUncheckedHighlight) {
    DialogFixture f;
    f.form.rows[2].checked = false;  // slot 0
    f.form.highlightedRow = 2;
    f.accept();
    EXPECT_EQ(f.catalog->selected[0], 0);
    EXPECT_EQ(f.catalog->selected[2], 1);
    EXPECT_EQ(f.catalog->current, 1);

    // Nothing checked: no satellite shown, current kept.
    for (SatelliteRow& row : f.form.rows) row.checked = false;
    f.accept();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.catalog->selected[i], 0);
    EXPECT_EQ(f.catalog->current, 1);
}
