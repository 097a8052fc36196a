#include "app/dialogs/satellites_dialog.hpp"

#include <memory>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

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

    static QTreeWidgetItem* row(SatellitesDialog& dialog, int r) { return dialog.list()->topLevelItem(r); }

    static int shownRows(SatellitesDialog& dialog) {
        int shown = 0;
        for (int r = 0; r < dialog.list()->topLevelItemCount(); ++r) shown += row(dialog, r)->isHidden() ? 0 : 1;
        return shown;
    }

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
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 8);
    EXPECT_EQ(dialog.list()->headerItem()->text(3), "Epoch");
    EXPECT_EQ(row(dialog, 0)->text(4), "   7");  // last in the file first
    EXPECT_EQ(row(dialog, 7)->text(0).trimmed(), "ISS (ZARYA)");
    EXPECT_EQ(row(dialog, 7)->text(3).toStdString(), "2008- 9-20 12:25:40 (2.0 days old)");

    QTest::keyClicks(dialog.filterEdit(), "demo");
    EXPECT_EQ(shownRows(dialog), 5);
    SaveScreenshot(dialog.grab().toImage(), "satellites.png");
    row(dialog, 2)->setCheckState(0, Qt::Unchecked);  // slot 5, DEMO POLAR
    dialog.list()->setCurrentItem(row(dialog, 1));    // slot 6, highlighted and checked

    dialog.filterEdit()->clear();
    QTest::keyClicks(dialog.filterEdit(), "2554");   // catalogue number of the ISS
    EXPECT_EQ(shownRows(dialog), 1);
    EXPECT_FALSE(row(dialog, 7)->isHidden());
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
    EXPECT_EQ(row(dialog, 3)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(state->catalog.selected[3], 0);
    EXPECT_EQ(state->catalog.current, 0);
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    EXPECT_EQ(row(dialog, 3)->checkState(0), Qt::Checked);
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(state->catalog.selected[slot], 0);
}

}  // namespace
