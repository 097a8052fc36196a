// The Settings dialog and the Settings menu's "Position", "GPS settings" and
// "Time dialog", each driven through its life as a person would, over a
// temporary program folder and settings file.
#include <pty.h>
#include <unistd.h>

#include <fstream>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QRadioButton>

#include "app/dialogs/gps_settings_dialog.hpp"
#include "app/dialogs/position_dialog.hpp"
#include "app/dialogs/settings_dialog.hpp"
#include "app/dialogs/time_dialog.hpp"
#include "app_test_support.hpp"
#include "astro/constants.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

struct SettingsMenuTest : ::testing::Test {
    QTemporaryDir folder, config;
    std::unique_ptr<QtSettingsStore> store =
        std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
    RecordingMessageSink messages;
    GpsReader reader{std::make_unique<FakeSerialPort>()};
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    MainWindowServices services;

    SettingsMenuTest() {
        EnsureSettingsKey(*store);
        StartUpDefaults(*state);
        services.folder.path = folder.path().toStdString();
        services.store = store.get();
        services.messages = &messages;
        services.gpsReader = &reader;
    }
    ~SettingsMenuTest() override { StopReader(state->gps, reader); }
    Settings stored() { return StoredSettings(*store); }
};

TEST_F(SettingsMenuTest, SettingsOkAppliesTheRangeRulesAndStoresAndCancelChangesNothing) {
    state->catalog.current = 3;
    state->settings.SNtoNS = 2;  // only 1 checks a box: stored as 0
    {
        SettingsDialog dialog(*state, *store);
        dialog.show();
        EXPECT_EQ(dialog.uplinkEdit()->text(), "138.000000");  // with six decimals
        EXPECT_EQ(dialog.magnitudeEdit()->text(), "20");
        EXPECT_EQ(dialog.starMagnitudes()->currentText(), "5");
        Retype(dialog.uplinkEdit(), "0");  // below 1 MHz: the default
        Retype(dialog.downlinkEdit(), "435.123450");
        Retype(dialog.magnitudeEdit(), "2x1");  // the edit takes digits only
        dialog.starMagnitudes()->setCurrentIndex(2);
        for (int box : {0, 6, 7})  // refraction, "8/4 test", show all paths
            QTest::mouseClick(dialog.box(box), Qt::LeftButton, {}, QPoint(4, dialog.box(box)->height() / 2));
        SaveScreenshot(dialog.grab().toImage(), "settings.png");
        Press(dialog, QDialogButtonBox::Ok);
    }
    EXPECT_EQ(state->settings.sgp8Comparison, 1);
    EXPECT_EQ(state->settings.showAllPaths, 1);
    Settings saved = stored();
    EXPECT_EQ(saved.uplink, 138.0);
    EXPECT_EQ(saved.downlink, static_cast<double>(435.123f));  // seven characters as single precision
    EXPECT_EQ(saved.SatPredictMag, 20);  // "21" read, then capped
    EXPECT_EQ(saved.Stars_Mag, 2);
    EXPECT_EQ(saved.flag_refraction, 1);
    EXPECT_EQ(saved.SNtoNS, 0);
    EXPECT_EQ(saved.Sat_Display, 3);
    EXPECT_EQ(saved.sgp8Comparison + saved.showAllPaths, 0);  // these two live in memory only
    {
        // Above 10000000 MHz or what does not read takes the default, no star
        // row keeps the limit.
        SettingsDialog dialog(*state, *store);
        Retype(dialog.uplinkEdit(), "1e8");
        Retype(dialog.downlinkEdit(), "nan");
        Retype(dialog.magnitudeEdit(), "five");
        dialog.starMagnitudes()->setCurrentIndex(-1);
        Press(dialog, QDialogButtonBox::Ok);
    }
    EXPECT_EQ(state->settings.uplink, 138.0);
    EXPECT_EQ(state->settings.downlink, 130.0);
    EXPECT_EQ(state->settings.SatPredictMag, 0);
    EXPECT_EQ(state->settings.Stars_Mag, 2);
    SettingsDialog dialog(*state, *store);
    Retype(dialog.uplinkEdit(), "1000");
    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(state->settings.uplink, 138.0);
}

TEST_F(SettingsMenuTest, PositionFromThePlacesFileTheGpsTypedNumbersAndCalculate) {
    {
        // Without the places file OK keeps the position (seven characters of it), not 0, 0, 0.
        state->observer.latitude = 0.5;
        PositionDialog dialog(*state, services);
        EXPECT_EQ(dialog.locations()->count(), 0);
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_NEAR(state->observer.latitude, 0.5, 1e-5);
        EXPECT_EQ(LoadSettings(*store, *std::make_unique<Settings>()), 0);  // City row 0, not -1
    }
    // Junk and a line far over the 39-byte pieces do not stop the list.
    std::ofstream(folder.filePath("Cities.loc").toStdString(), std::ios::binary)
        << "Kiel 54.3023 10.1247 30\n" << std::string("\x01\xff\0\x7f", 4) << "\n"
        << "Lisbon 38.72 -9.14 50\n" << std::string(300, 'x') << "\nOslo\n";
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.latitudeDeg = 48.1173, d.longitudeDeg = 11.5, d.altitudeM = 545.4, d.fixMode = 3;
    });
    {
        PositionDialog dialog(*state, services);
        dialog.show();
        ASSERT_GE(dialog.locations()->count(), 5);
        EXPECT_EQ(dialog.locations()->itemText(0), "from GPS");
        const auto choose = [&](int row) {
            dialog.locations()->setCurrentIndex(row);
            emit dialog.locations()->activated(row);
        };
        choose(0);  // the GPS row needs a port and a 3-D fix
        state->settings.GPSPort = 2;
        UpdateGpsFix(state->gps, [](GpsFixData& d) { d.fixMode = 2; });
        choose(0);
        EXPECT_EQ(dialog.edit(2)->text(), "30.000000");
        UpdateGpsFix(state->gps, [](GpsFixData& d) { d.fixMode = 3; });
        choose(0);
        EXPECT_EQ(dialog.edit(2)->text(), "545.400000");
        choose(3);
        EXPECT_EQ(dialog.edit(0)->text(), "38.72");  // as written in the file
        EXPECT_EQ(dialog.edit(2)->text(), "50");
        EXPECT_NEAR(state->observer.latitude, 0.5, 1e-5);  // choosing changes no position
        SaveScreenshot(dialog.grab().toImage(), "position.png");
        Press(dialog, QDialogButtonBox::Ok);
    }
    EXPECT_NEAR(state->observer.latitude, 38.72 * kDegree, 1e-6);
    EXPECT_NEAR(state->observer.height, 0.05, 1e-9);
    EXPECT_EQ(LoadSettings(*store, *std::make_unique<Settings>()), 3);  // City

    // Reopened on the stored row. 400 degrees and 25000 m are out of range:
    // Calculate makes them 0 at once and shows the inertial position; Cancel
    // then stores nothing.
    PositionDialog dialog(*state, services);
    dialog.show();
    EXPECT_EQ(dialog.locations()->currentIndex(), 3);
    Retype(dialog.edit(0), "400");
    Retype(dialog.edit(2), "25000");
    QTest::mouseClick(dialog.calculateButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.edit(0)->text(), "0.000000");
    EXPECT_EQ(dialog.edit(2)->text(), "0.000000");
    EXPECT_NEAR(dialog.eci(3)->text().toDouble(), 6378.135, 0.01);  // on the equator at sea level
    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(state->observer.latitude, 0.0);
    EXPECT_NEAR(stored().Lat, 38.72 * kDegree, 1e-6);

    // Settings that cannot be read are reported as the dialog opens.
    MemorySettingsStore noKey;
    services.store = &noKey;
    PositionDialog unread(*state, services);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Can't read registry entries!");
    EXPECT_EQ(unread.locations()->currentIndex(), 0);
}

TEST_F(SettingsMenuTest, GpsSettingsTestOnAPseudoTerminalTrackBoxAndExclusiveOptions) {
    int master = -1, slave = -1;
    char name[128] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    SerialDeviceMap devices;
    devices.path[5] = name;
    LinuxSerialPort port(devices);
    state->settings.GPSPort = 5;
    state->settings.GPSSpeed = 3;
    {
        GpsSettingsDialog dialog(*state, services, port, devices);
        dialog.show();
        EXPECT_EQ(dialog.portCombo()->itemText(5), QString("COM5: (%1)").arg(name));
        EXPECT_EQ(dialog.speedCombo()->currentText(), "4800");
        QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "COM port set correctly.");
        QTest::mouseClick(dialog.trackBox(), Qt::LeftButton);
        EXPECT_TRUE(state->gps.trackingEnabled);  // at once
        SaveScreenshot(dialog.grab().toImage(), "gps-settings.png");
        Press(dialog, QDialogButtonBox::Cancel);
    }
    EXPECT_TRUE(state->gps.trackingEnabled);
    {
        GpsSettingsDialog dialog(*state, services, port, devices);
        dialog.show();
        dialog.compassBox()->setChecked(true);
        dialog.signalMapBox()->setChecked(true);
        dialog.trackBox()->setChecked(false);
        dialog.portCombo()->setCurrentIndex(2);
        Press(dialog, QDialogButtonBox::Ok);
    }
    EXPECT_FALSE(state->gps.trackingEnabled);
    EXPECT_EQ(state->signalMap, 1);  // the signal map wins over the compass
    EXPECT_EQ(stored().GPSCompass, 0);
    EXPECT_EQ(stored().GPSPort, 2);

    services.gpsReader = nullptr;  // a window made without a serial port
    GpsSettingsDialog noReader(*state, services, port, devices);
    EXPECT_FALSE(noReader.trackBox()->isEnabled());
    noReader.trackBox()->setChecked(true);
    Press(noReader, QDialogButtonBox::Ok);
    EXPECT_FALSE(state->gps.trackingEnabled);
    close(master);
    close(slave);
}

TEST_F(SettingsMenuTest, TimeDialogModesPickersAndGpsTime) {
    state->localTimeOffset = 2.0 / 24.0;
    state->clock = {ClockMode::SimX100, 1.0, 2461381.25, 2461381.25};  // 2026-12-06 18:00 UTC
    FakeSystemClock clock;
    clock.refuseSet = true;
    TimeDialog dialog(*state, messages, clock);
    dialog.show();
    EXPECT_TRUE(dialog.modeButton(ClockMode::SimX100)->isChecked());
    EXPECT_EQ(dialog.utcShiftEdit()->text(), "2");
    EXPECT_EQ(dialog.datePicker()->date(), QDate(2026, 12, 6));

    dialog.datePicker()->setDate(QDate(2026, 12, 7));  // stops the clock there at once
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_NEAR(state->clock.currentDate, 2461382.25, 1e-6);

    QTest::mouseClick(dialog.gpsTimeButton(), Qt::LeftButton);  // tracking off: only a warning
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Turn GPS tracking on!");
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.utcYear = 2026, d.utcMonth = 12, d.utcDay = 7, d.utcHour = 18, d.utcMinute = 30, d.utcSecond = 5;
    });
    QTest::mouseClick(dialog.gpsTimeButton(), Qt::LeftButton);  // the system refuses
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "Clock not set!");
    SaveScreenshot(dialog.grab().toImage(), "time.png");

    dialog.modeButton(ClockMode::SimX10)->setChecked(true);
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(state->clock.mode, ClockMode::SimX10);
    EXPECT_NEAR(state->clock.pausedDate, 2461382.25, 1e-6);
}

}  // namespace
