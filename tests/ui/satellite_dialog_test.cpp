#include "ui/dialogs/satellite_dialog.hpp"

#include <memory>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "platform/temporary_folder.hpp"
#include "orbit/catalog_loading.hpp"

using namespace vantrek;

namespace {

// Three sets in slots 0..2, catalogue numbers 200..202, epoch 2008 day 264.51782528,
// listed two days later.
struct DialogFixture {
    TemporaryFolder folder;
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    Settings settings;
    SatelliteForm form;

    explicit DialogFixture(int hiddenSlot = -1) {
        resizeCatalog(*catalog, 3);
        for (int i = 0; i < 3; ++i) {
            catalog->entries[i].catalogNumber = 200 + i;
            catalog->entries[i].epoch = 8264.51782528;
            catalog->selected[i] = i != hiddenSlot;
        }
        openSatelliteDialog(form, *catalog, JulianDateFromEpoch(8266.51782528));
    }
    void accept() { acceptSatelliteDialog(form, *catalog, ProgramFolder{folder.path()}, settings); }
};

}  // namespace

TEST(SatelliteDialog, RowsComeInReverseFileOrderWithTheirAge) {
    DialogFixture f(1);
    ASSERT_EQ(f.form.rows.size(), 3u);
    EXPECT_EQ(f.form.rows[0].slotText, "   2");
    EXPECT_EQ(f.form.rows[0].catalogNumber, "202");
    EXPECT_EQ(f.form.rows[0].epoch, "2008- 9-20 12:25:40 (2.0 days old)");
    EXPECT_FALSE(f.form.rows[1].checked);
    EXPECT_EQ(f.form.rows[2].slot, 0);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 0);  // filling the list loads nothing
}

TEST(SatelliteDialog, SelectTogglesAllAndOkMakesTheHighlightedOrLastCheckedCurrent) {
    DialogFixture f;
    f.catalog->current = 2;
    toggleSatelliteSelection(f.form, *f.catalog);
    EXPECT_EQ(f.form.rows[1].checked + f.catalog->selected[0], 0);
    EXPECT_EQ(f.catalog->current, 0);
    toggleSatelliteSelection(f.form, *f.catalog);
    EXPECT_TRUE(f.form.rows[1].checked);

    f.form.highlightedRow = 1;  // slot 1
    f.accept();
    EXPECT_EQ(f.catalog->current, 1);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 201);
    EXPECT_EQ(f.settings.uplink, 145.0);  // no frequencies file

    f.form.rows[1].checked = false;  // highlighted but unchecked: the last checked row, slot 0
    f.accept();
    EXPECT_EQ(f.catalog->selected[1], 0);
    EXPECT_EQ(f.catalog->current, 0);

    for (SatelliteRow& row : f.form.rows) row.checked = false;
    f.catalog->current = 2;
    f.accept();  // nothing checked: no satellite shown, current kept
    EXPECT_EQ(f.catalog->selected[2], 0);
    EXPECT_EQ(f.catalog->current, 2);
}

// With a Find filter, Select acts on the rows found and OK makes current only
// a row the user can see ("mol" finds one of three).
TEST(SatelliteDialog, FilterLimitsSelectAndTheCurrentRow) {
    DialogFixture f;
    std::snprintf(f.catalog->entries[1].name, sizeof f.catalog->entries[1].name, "MOLNIYA 1-93");
    openSatelliteDialog(f.form, *f.catalog, 0.0);
    f.form.filter = "mol";
    f.catalog->current = 2;
    f.accept();  // all checked, the last in list order (slot 0) hidden
    EXPECT_EQ(f.catalog->current, 1);
    EXPECT_EQ(f.catalog->selected[0] + f.catalog->selected[2], 2);  // hidden rows keep their boxes

    toggleSatelliteSelection(f.form, *f.catalog);  // the rows found become the selection
    EXPECT_EQ(f.catalog->selected[1], 1);
    EXPECT_EQ(f.catalog->selected[0] + f.catalog->selected[2], 0);
    EXPECT_FALSE(f.form.rows[0].checked);
    toggleSatelliteSelection(f.form, *f.catalog);  // pressed again: cleared
    EXPECT_EQ(f.catalog->selected[1], 0);
    EXPECT_FALSE(f.form.rows[1].checked);
}
