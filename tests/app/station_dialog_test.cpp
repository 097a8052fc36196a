// "Radio and rotator": the dialog's Test against a real rigctld and a port
// nobody listens on, what OK stores, and the main window's status bar with the
// two link states once the settings are in force.
#include "app/dialogs/station_dialog.hpp"

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "app_test_support.hpp"
#include "astro/constants.hpp"
#include "platform/tcp_stream.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

uint16_t FreeLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    uint16_t port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

// rigctld with its dummy radio on 127.0.0.1:port.
struct DummyRadio {
    explicit DummyRadio(uint16_t port) {
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            const std::string text = std::to_string(port);
            execlp("rigctld", "rigctld", "-m", "1", "-T", "127.0.0.1", "-t", text.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~DummyRadio() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    bool answers(uint16_t port) const {
        for (int i = 0; i < 100; ++i) {
            TcpStream stream(100);
            if (stream.connect("127.0.0.1", port) == StreamResult::Ok) return true;
            QTest::qWait(50);
        }
        return false;
    }
    pid_t pid = -1;
};

}  // namespace

TEST_F(WindowTest, StationDialogTestAsksTheDaemonsOkStoresAndTheStatusBarShowsBothLinks) {
    const uint16_t radioPort = FreeLoopbackPort();
    const uint16_t nobody = FreeLoopbackPort();
    DummyRadio radio(radioPort);
    if (!radio.answers(radioPort)) GTEST_SKIP() << "rigctld (Debian package libhamlib-utils) did not start";

    {
        QtSettingsStore store(config.filePath("Vantrek/Vantrek.ini"));
        EnsureSettingsKey(store);
        auto state = std::make_unique<AppState>();
        StationDialog dialog(*state, store);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Radio and rotator");
        EXPECT_EQ(dialog.edit(StationDialog::RadioPort)->text(), "4532");
        EXPECT_EQ(dialog.edit(StationDialog::RotatorPort)->text(), "4533");
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

        Settings stored = StoredSettings(store);
        EXPECT_EQ(stored.Radio_on, 1);
        EXPECT_EQ(stored.Radio_port, radioPort);
        EXPECT_EQ(stored.Rotator_port, nobody);
        EXPECT_EQ(stored.Rotator_az_min, -180.0);
        EXPECT_EQ(stored.Rotator_el_max, 180.0);
        EXPECT_NEAR(stored.Track_ele, 5.0 * kDegree, 1e-7);
        EXPECT_EQ(stored.Park_az, -90.0);

        // A range narrower than a turn and a port beyond 65535 are not stored.
        StationDialog again(*state, store);
        Retype(again.edit(StationDialog::AzimuthMax), "100");
        Retype(again.edit(StationDialog::RadioPort), "70000");
        Press(again, QDialogButtonBox::Ok);
        stored = StoredSettings(store);
        EXPECT_EQ(stored.Rotator_az_min, 0.0);
        EXPECT_EQ(stored.Rotator_az_max, 360.0);
        EXPECT_EQ(stored.Radio_port, 4532);
        // Back to the dummy radio for the window below.
        stored.Radio_port = radioPort;
        StoreStationSettings(store, stored);
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
    window.statusBarWidget()->update();
    SaveScreenshot(window.statusBarWidget()->grab().toImage(), "station_status_bar.png");
    // The radio has been tuned to the ISS downlink (145.8 MHz in Frequencies.txt).
    EXPECT_TRUE(window.state().station.status.radioDone.downlinkSet);
    EXPECT_NEAR(static_cast<double>(window.state().station.status.radioDone.downlinkHz), 145.8e6, 5000.0);
    window.clientArea()->repaint();
    SaveScreenshot(window.grab().toImage(), "station_window.png");
}
