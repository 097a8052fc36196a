#include "app/dialogs/settings_dialog.hpp"

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.hpp"

#include "app/qt_settings_store.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

// The dialog over a fresh state and a settings file of its own.
struct SettingsDialogFixture : ::testing::Test {
    QTemporaryDir config;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();

    SettingsDialogFixture() {
        store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
        EnsureSettingsKey(*store);
    }

    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    static void press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }

    Settings stored() const {
        Settings settings;
        LoadSettings(*store, settings);
        return settings;
    }
};

TEST_F(SettingsDialogFixture, OkStoresWhatWasTypedWithTheRangeRules) {
    state->catalog.current = 3;
    SettingsDialog dialog(*state, *store);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Settings");
    EXPECT_EQ(dialog.uplinkEdit()->text(), "138.000000");
    EXPECT_EQ(dialog.magnitudeEdit()->text(), "20");
    ASSERT_EQ(dialog.starMagnitudes()->count(), 6);
    EXPECT_EQ(dialog.starMagnitudes()->currentText(), "5");

    retype(dialog.uplinkEdit(), "20000000");   // above 10000000 MHz
    retype(dialog.downlinkEdit(), "435.123450");
    retype(dialog.magnitudeEdit(), "2x1");     // the edit takes digits only
    dialog.starMagnitudes()->setCurrentIndex(2);
    QTest::mouseClick(dialog.box(0), Qt::LeftButton, {}, QPoint(4, dialog.box(0)->height() / 2));
    QTest::mouseClick(dialog.box(6), Qt::LeftButton, {}, QPoint(4, dialog.box(6)->height() / 2));
    SaveScreenshot(dialog.grab().toImage(), "settings.png");
    press(dialog, QDialogButtonBox::Ok);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(state->settings.sgp8Comparison, 1);
    const Settings saved = stored();
    EXPECT_EQ(saved.uplink, 138.0);
    EXPECT_NEAR(saved.downlink, 435.123, 1e-4);
    EXPECT_EQ(saved.SatPredictMag, 20);  // "21" read, then capped
    EXPECT_EQ(saved.Stars_Mag, 2);
    EXPECT_EQ(saved.flag_refraction, 1);
    EXPECT_EQ(saved.SNtoNS, 0);
    EXPECT_EQ(saved.Sat_Display, 3);
    EXPECT_EQ(saved.sgp8Comparison, 0);  // "8/4 test" lives in memory only
}

TEST_F(SettingsDialogFixture, CancelChangesAndStoresNothing) {
    SettingsDialog dialog(*state, *store);
    dialog.show();
    dialog.starMagnitudes()->setCurrentIndex(0);
    retype(dialog.uplinkEdit(), "abc");
    press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(state->settings.Stars_Mag, 5);
    EXPECT_EQ(state->settings.uplink, 138.0);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(store->readValue("Stars_Mag", bytes));
}

}  // namespace
