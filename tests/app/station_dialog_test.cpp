// "Radio and rotator": the dialog's Test against a real rigctld and a port
// nobody listens on, what OK stores, and the main window's status bar with the
// two link states once the settings are in force.
#include "app/dialogs/station_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "app_test_support.hpp"
#include "astro/constants.hpp"
#include "platform/tcp_stream.hpp"

#include "../support/device_daemons.hpp"

using namespace vantrek;
using namespace vantrek::app;
using vantrek::testing::FreeLoopbackPort;

TEST_F(WindowTest, StationDialogTestAsksTheDaemonsOkStoresAndTheStatusBarShowsBothLinks) {
    const uint16_t radioPort = FreeLoopbackPort();
    const uint16_t nobody = FreeLoopbackPort();
    // rigctld with its dummy radio.
    vantrek::testing::ChildProgram radio({"rigctld", "-m", "1", "-T", "127.0.0.1", "-t", std::to_string(radioPort)});
    if (!vantrek::testing::WaitUntil([&] { return TcpStream(100).connect("127.0.0.1", radioPort) == StreamResult::Ok; },
                                     std::chrono::seconds(10)))
        GTEST_SKIP() << "rigctld (Debian package libhamlib-utils) did not start";

    {
        QtSettingsStore store(config.filePath("Vantrek/Vantrek.ini"));
        EnsureSettingsKey(store);
        auto state = std::make_unique<AppState>();
        // A range narrower than a turn and a port beyond 65535 are not stored.
        StationDialog wrong(*state, store);
        EXPECT_EQ(wrong.edit(StationDialog::RotatorPort)->text(), "4533");
        Retype(wrong.edit(StationDialog::AzimuthMax), "100");
        Retype(wrong.edit(StationDialog::RadioPort), "70000");
        Press(wrong, QDialogButtonBox::Ok);
        Settings stored = StoredSettings(store);
        EXPECT_EQ(stored.Rotator_az_max, 360.0);
        EXPECT_EQ(stored.Radio_port, 4532);

        StationDialog dialog(*state, store);
        dialog.show();
        dialog.radioBox()->click();
        dialog.rotatorBox()->click();
        Retype(dialog.edit(StationDialog::RadioPort), QString::number(radioPort));
        Retype(dialog.edit(StationDialog::RotatorPort), QString::number(nobody));
        Retype(dialog.edit(StationDialog::AzimuthMin), "-180");
        Retype(dialog.edit(StationDialog::AzimuthMax), "180");
        dialog.elevationMax()->setCurrentIndex(1);
        Retype(dialog.edit(StationDialog::TrackElevation), "5");
        Retype(dialog.edit(StationDialog::ParkAzimuth), "-90");  // inside -180..180

        QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.testButton()->isEnabled(); }, 10000));
        const std::string report = dialog.testReport()->text().toStdString();
        EXPECT_NE(report.find("Radio at 127.0.0.1:" + std::to_string(radioPort) + ": frequency 145000000 Hz"),
                  std::string::npos)
            << report;
        EXPECT_NE(report.find("Rotator at 127.0.0.1:" + std::to_string(nobody) + ": connection refused"),
                  std::string::npos)
            << report;
        SaveScreenshot(dialog.grab().toImage(), "station_dialog.png");
        Press(dialog, QDialogButtonBox::Ok);

        stored = StoredSettings(store);
        EXPECT_EQ(stored.Radio_on, 1);
        EXPECT_EQ(stored.Radio_port, radioPort);
        EXPECT_EQ(stored.Rotator_port, nobody);
        EXPECT_EQ(stored.Rotator_az_min, -180.0);
        EXPECT_EQ(stored.Rotator_el_max, 180.0);
        EXPECT_NEAR(stored.Track_ele, 5.0 * kDegree, 1e-7);
        EXPECT_EQ(stored.Park_az, -90.0);
    }

    ASSERT_TRUE(QFile::copy(QString(VANTREK_RES_DIR) + "/Frequencies.txt", folder.filePath("Frequencies.txt")));
    MainWindowOptions o = options();
    o.radioAndRotator = true;
    MainWindow& window = start(std::move(o), 1500, 760);  // the sample ISS set in the middle of a pass
    window.state().clock.mode = ClockMode::Stopped;
    window.state().clock.pausedDate = 2454730.5194;  // 2008-09-21 00:27:56 UTC
    const auto bothShown = [&] {
        window.tick();
        const StationStatus& status = window.state().station.status;
        return status.radio.state == LinkState::Connected && status.rotator.error == "connection refused";
    };
    EXPECT_TRUE(QTest::qWaitFor(bothShown, 5000));
    EXPECT_EQ(StatusBarFactsFor(window.state()).stationText, "Radio: connected   Rotator: not connected (connection refused)");
    // The refusal was told once, however many ticks saw it.
    for (int i = 0; i < 5; ++i) window.tick();
    int told = 0;
    for (const ShownMessage& m : sink.messages)
        if (m.text.find("Rotator at 127.0.0.1:" + std::to_string(nobody)) != std::string::npos) ++told;
    EXPECT_EQ(told, 1);
    // The radio has been tuned to the ISS downlink (145.8 MHz in Frequencies.txt).
    EXPECT_TRUE(window.state().station.status.radioDone.downlinkSet);
    EXPECT_NEAR(static_cast<double>(window.state().station.status.radioDone.downlinkHz), 145.8e6, 5000.0);
    window.clientArea()->repaint();
    SaveScreenshot(window.grab().toImage(), "station_window.png");
}
