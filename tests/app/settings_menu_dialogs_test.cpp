// The Settings menu's "Position", "GPS settings" and "Time dialog", driven
// as a person would, over a temporary program folder and settings file.
#include <pty.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/dialogs/gps_settings_dialog.hpp"
#include "app/dialogs/position_dialog.hpp"
#include "app/dialogs/time_dialog.hpp"
#include "app/qt_settings_store.hpp"
#include "app_test_support.hpp"
#include "astro/constants.hpp"
#include "platform/fake_serial_port.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

struct SettingsMenuFixture : ::testing::Test {
    QTemporaryDir folder, config;
    std::unique_ptr<QtSettingsStore> store =
        std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
    RecordingMessageSink messages;
    GpsReader reader{std::make_unique<FakeSerialPort>()};
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    MainWindowServices services;

    SettingsMenuFixture() {
        EnsureSettingsKey(*store);
        StartUpDefaults(*state);
        services.folder.path = folder.path().toStdString();
        services.store = store.get();
        services.messages = &messages;
        services.gpsReader = &reader;
    }
    ~SettingsMenuFixture() override { StopReader(state->gps, reader); }

    static void press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }
    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    Settings stored() const {
        Settings settings;
        LoadSettings(*store, settings);
        return settings;
    }
};

TEST_F(SettingsMenuFixture, PositionFromThePlacesFileTypedNumbersAndCalculate) {
    // Junk and a line far over the 39-byte pieces do not stop the list.
    std::ofstream(folder.filePath("Cities.loc").toStdString(), std::ios::binary)
        << "Kiel 54.3023 10.1247 30\n" << std::string("\x01\xff\0\x7f", 4) << "\n"
        << "Lisbon 38.72 -9.14 50\n" << std::string(300, 'x') << "\nOslo\n";
    {
        PositionDialog dialog(*state, services);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Position");
        ASSERT_GE(dialog.locations()->count(), 5);
        EXPECT_EQ(dialog.locations()->itemText(0), "from GPS");
        dialog.locations()->setCurrentIndex(3);
        emit dialog.locations()->activated(3);
        EXPECT_EQ(dialog.edit(0)->text(), "38.72");
        EXPECT_EQ(dialog.edit(2)->text(), "50");
        SaveScreenshot(dialog.grab().toImage(), "position.png");
        press(dialog, QDialogButtonBox::Ok);
    }
    EXPECT_NEAR(state->observer.latitude, 38.72 * kDegree, 1e-6);
    EXPECT_NEAR(state->observer.longitude, -9.14 * kDegree, 1e-6);
    EXPECT_NEAR(state->observer.height, 0.05, 1e-9);
    EXPECT_EQ(LoadSettings(*store, *std::make_unique<Settings>()), 3);  // City

    // 400 degrees and 25000 m are out of range: Calculate makes them 0 at once
    // and shows the inertial position; Cancel then stores nothing.
    PositionDialog dialog(*state, services);
    dialog.show();
    retype(dialog.edit(0), "400");
    retype(dialog.edit(2), "25000");
    QTest::mouseClick(dialog.calculateButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.edit(0)->text(), "0.000000");
    EXPECT_EQ(dialog.edit(2)->text(), "0.000000");
    EXPECT_EQ(state->observer.latitude, 0.0);
    EXPECT_NEAR(dialog.eci(3)->text().toDouble(), 6378.135, 0.01);  // on the equator at sea level
    press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(state->observer.latitude, 0.0);
    EXPECT_NEAR(stored().Lat, 38.72 * kDegree, 1e-6);
}

TEST_F(SettingsMenuFixture, GpsSettingsTestOnAPseudoTerminalTrackBoxAndExclusiveOptions) {
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
        EXPECT_EQ(messages.messages[0].caption, "GPS");
        QTest::mouseClick(dialog.trackBox(), Qt::LeftButton);
        EXPECT_TRUE(state->gps.trackingEnabled);  // at once
        SaveScreenshot(dialog.grab().toImage(), "gps-settings.png");
        press(dialog, QDialogButtonBox::Cancel);
    }
    EXPECT_TRUE(state->gps.trackingEnabled);

    GpsSettingsDialog dialog(*state, services, port, devices);
    dialog.show();
    dialog.compassBox()->setChecked(true);
    dialog.signalMapBox()->setChecked(true);
    dialog.trackBox()->setChecked(false);
    dialog.portCombo()->setCurrentIndex(2);
    press(dialog, QDialogButtonBox::Ok);
    EXPECT_FALSE(state->gps.trackingEnabled);
    EXPECT_EQ(state->signalMap, 1);  // the signal map wins over the compass
    EXPECT_EQ(state->settings.GPSCompass, 0);
    EXPECT_EQ(stored().GPSCompass, 0);
    EXPECT_EQ(stored().GPSPort, 2);

    services.gpsReader = nullptr;  // a window made without a serial port
    GpsSettingsDialog noReader(*state, services, port, devices);
    EXPECT_FALSE(noReader.trackBox()->isEnabled());
    noReader.trackBox()->setChecked(true);
    press(noReader, QDialogButtonBox::Ok);
    EXPECT_FALSE(state->gps.trackingEnabled);
    close(master);
    close(slave);
}

TEST_F(SettingsMenuFixture, TimeDialogModesPickersAndGpsTime) {
    state->localTimeOffset = 2.0 / 24.0;
    state->clock = {ClockMode::SimX100, 1.0, 2461381.25, 2461381.25};  // 2026-12-06 18:00 UTC
    FakeSystemClock clock;
    clock.refuseSet = true;
    TimeDialog dialog(*state, messages, clock);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Time dialog");
    EXPECT_TRUE(dialog.modeButton(ClockMode::SimX100)->isChecked());
    EXPECT_EQ(dialog.utcShiftEdit()->text(), "2");
    EXPECT_EQ(dialog.datePicker()->date(), QDate(2026, 12, 6));

    dialog.datePicker()->setDate(QDate(2026, 12, 7));  // stops the clock there at once
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_NEAR(state->clock.currentDate, 2461382.25, 1e-6);
    EXPECT_TRUE(dialog.modeButton(ClockMode::Stopped)->isChecked());

    QTest::mouseClick(dialog.gpsTimeButton(), Qt::LeftButton);  // tracking off: only a warning
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Turn GPS tracking on!");
    EXPECT_EQ(messages.messages[0].caption, "Warning");
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.utcYear = 2026, d.utcMonth = 12, d.utcDay = 7, d.utcHour = 18, d.utcMinute = 30, d.utcSecond = 5;
    });
    QTest::mouseClick(dialog.gpsTimeButton(), Qt::LeftButton);  // the system refuses
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[1].text, "Clock not set!");
    SaveScreenshot(dialog.grab().toImage(), "time.png");

    dialog.modeButton(ClockMode::SimX10)->setChecked(true);
    press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(state->clock.mode, ClockMode::SimX10);
    EXPECT_NEAR(state->clock.pausedDate, 2461382.25, 1e-6);
}

}  // namespace
