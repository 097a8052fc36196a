#include "app/dialogs/satellites_dialog.hpp"

#include <memory>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QAbstractItemModel>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app_test_support.hpp"

#include "../support/sample_sets.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

// The eight sample sets loaded and all selected, ISS in slot 0.
struct SatellitesDialogFixture : ::testing::Test {
    TemporaryFolder program;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ProgramFolder folder;

    SatellitesDialogFixture() {
        const std::string sets = vantrek::testing::SampleSets();
        loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
        for (int i = 0; i < state->catalog.count; ++i) state->catalog.selected[i] = 1;
        state->clock.currentDate = 2454732.02;  // 2008-09-22 12:29 UTC, two days after the ISS epoch
        folder.path = program.path();
    }

    static QString cell(SatellitesDialog& dialog, int r, int column) {
        return dialog.list()->model()->index(r, column).data().toString();
    }

    static bool checked(SatellitesDialog& dialog, int r) {
        return dialog.list()->model()->index(r, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }

    static void check(SatellitesDialog& dialog, int r, bool on) {
        dialog.list()->model()->setData(dialog.list()->model()->index(r, 0), on ? Qt::Checked : Qt::Unchecked,
                                        Qt::CheckStateRole);
    }

    static int shownRows(SatellitesDialog& dialog) { return dialog.list()->model()->rowCount(); }

    static void press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }
};

TEST_F(SatellitesDialogFixture, FilterHidesRowsAndOkAppliesHiddenOnesToo) {
    SatellitesDialog dialog(*state, folder);
    dialog.resize(640, 360);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Satelites");
    EXPECT_EQ(dialog.countField()->text(), "8");
    ASSERT_EQ(shownRows(dialog), 8);
    EXPECT_EQ(dialog.list()->model()->headerData(3, Qt::Horizontal).toString(), "Epoch");
    EXPECT_EQ(cell(dialog, 0, 4), "   7");  // last in the file first
    EXPECT_EQ(cell(dialog, 7, 0), "ISS (ZARYA)");
    EXPECT_EQ(cell(dialog, 7, 3).toStdString(), "2008- 9-20 12:25:40 (2.0 days old)");

    QTest::keyClicks(dialog.filterEdit(), "demo");
    EXPECT_EQ(shownRows(dialog), 5);
    SaveScreenshot(dialog.grab().toImage(), "satellites.png");
    check(dialog, 2, false);  // slot 5, DEMO POLAR
    dialog.list()->setCurrentIndex(dialog.list()->model()->index(1, 0));  // slot 6, highlighted and checked

    dialog.filterEdit()->clear();
    QTest::keyClicks(dialog.filterEdit(), "2554");   // catalogue number of the ISS
    EXPECT_EQ(shownRows(dialog), 1);
    EXPECT_EQ(cell(dialog, 0, 0), "ISS (ZARYA)");
    press(dialog, QDialogButtonBox::Ok);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(state->catalog.selected[slot], slot == 5 ? 0 : 1) << slot;
    EXPECT_EQ(state->catalog.current, 0);  // the highlighted row was hidden: the last checked row wins
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 25544);
}

TEST_F(SatellitesDialogFixture, SelectTogglesAllAndCancelKeepsWhatItDid) {
    state->catalog.current = 4;
    SatellitesDialog dialog(*state, folder);
    dialog.show();
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    EXPECT_FALSE(checked(dialog, 3));
    EXPECT_EQ(state->catalog.selected[3], 0);
    EXPECT_EQ(state->catalog.current, 0);
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    EXPECT_TRUE(checked(dialog, 3));
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(state->catalog.selected[slot], 0);
}

// "demo" + Select + OK shows only the demo satellites, and the current one is
// a row the filter shows, also after a sort by name.
TEST_F(SatellitesDialogFixture, SelectWithAFilterShowsOnlyTheRowsFoundAndOkMakesAShownRowCurrent) {
    SatellitesDialog dialog(*state, folder);
    dialog.show();
    dialog.list()->sortByColumn(0, Qt::DescendingOrder);
    QTest::keyClicks(dialog.filterEdit(), "demo");
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    for (int r = 0; r < shownRows(dialog); ++r) EXPECT_TRUE(checked(dialog, r));
    press(dialog, QDialogButtonBox::Ok);
    int shown = 0;
    for (int slot = 0; slot < 8; ++slot) {
        const std::string name = state->catalog.entries[slot].name;
        EXPECT_EQ(state->catalog.selected[slot], name.find("DEMO") != std::string::npos ? 1 : 0) << name;
        shown += state->catalog.selected[slot];
    }
    EXPECT_EQ(shown, 5);
    // The last row the sorted list shows: the demo name first in the alphabet.
    const SatelliteRow& bottom = dialog.form().rows[static_cast<std::size_t>(dialog.formRow(shown - 1))];
    EXPECT_EQ(state->catalog.current, bottom.slot);
    EXPECT_NE(std::string(state->catalog.currentSet.name).find("DEMO"), std::string::npos);
}

}  // namespace
