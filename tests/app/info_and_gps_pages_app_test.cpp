// The two pages of numbers in the real window: the information panel the
// program starts in and the GPS status page, saved as screenshots.
#include <fstream>
#include <sstream>
#include <string>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.hpp"

#include "app/client_area.hpp"
#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "astro/julian_date.hpp"
#include "gps/read_sentence.hpp"
#include "platform/byte_source.hpp"
#include "platform/fake_serial_port.hpp"
#include "ui/command_tables.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

void feedShippedCapture(GpsFix& fix) {
    std::ifstream in(std::string(VANTREK_RES_DIR) + "/../data/reference/nmea/haicom-305N.log",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string bytes = text.str();
    ASSERT_FALSE(bytes.empty());
    MemoryByteSource source(bytes.data(), static_cast<long>(bytes.size()));
    while (!source.atEnd()) ReadSentence(source, fix);
}

}  // namespace

TEST(InfoAndGpsPages, StartOnALiveInformationPageAndShowTheReceiverPage) {
    QTemporaryDir folder, config;
    CopyShippedSkins(folder);
    QFile::copy(QString(VANTREK_RES_DIR) + "/Frequencies.txt", folder.filePath("Frequencies.txt"));
    QFile::copy(QString(VANTREK_TESTS_DIR) + "/data/sample.tle", folder.filePath("sample.tle"));

    RecordingMessageSink sink;
    MainWindowOptions options;
    options.programFolder = folder.path().toStdString();
    options.messages = &sink;
    options.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
    options.chooseElementFile = [&] { return folder.filePath("sample.tle").toStdString(); };
    options.serialPort = std::make_unique<FakeSerialPort>();
    auto clock = std::make_unique<FakeSystemClock>();
    clock->utc = {2008, 9, 20, 18, 23, 0, 0};
    options.clock = std::move(clock);

    MainWindow window(std::move(options));
    window.show();
    window.menuAction(CmdOpen)->trigger();  // the ISS first, with its link frequencies
    AppState& state = window.state();
    EXPECT_EQ(state.viewMode, ViewMode::InfoPanel);
    EXPECT_NEAR(state.settings.downlink, 145.8, 1e-5);  // from Frequencies.txt
    // The ISS rising over Kiel after sunset, the clock stopped there.
    state.clock.mode = ClockMode::Stopped;
    state.clock.pausedDate = JulianDateFromCalendar(2008, 9, 20, 18, 23, 0, 0);
    window.tick();
    QApplication::processEvents();

    const QImage info = window.grab().toImage();
    SaveScreenshot(info, "info.png");
    int lit = 0;  // not a black first screen: the left half's text
    for (int y = 60; y < 400; ++y)
        for (int x = 0; x < 500; ++x)
            lit += info.pixelColor(window.clientArea()->mapTo(&window, QPoint(x, y))) != Qt::black;
    EXPECT_GT(lit, 2000);

    feedShippedCapture(state.gps);
    state.gps.trackingEnabled = true;  // as if reading: no port is opened
    window.menuAction(CmdGpsStatus)->trigger();
    EXPECT_EQ(state.viewMode, ViewMode::GpsStatus);
    QApplication::processEvents();
    const QImage gps = window.grab().toImage();
    SaveScreenshot(gps, "gps.png");
    // The signal chart: slot 1 (PRN 5, used, 44 dB-Hz) is a dark blue bar.
    // (The sample's 2026 sets are old from 2008: the warning bar moves the page down.)
    const QPoint inBar = window.clientArea()->mapTo(&window, QPoint(50, 440 + window.clientArea()->viewOffset()));
    EXPECT_EQ(gps.pixelColor(inBar), QColor(0, 0, 180));

    QTest::keyClick(window.clientArea(), Qt::Key_Return);  // Enter returns to the panel
    EXPECT_EQ(state.viewMode, ViewMode::InfoPanel);
    window.toolbarAction(CmdGpsStatus)->trigger();
    window.toolbarAction(CmdInfoPanel)->trigger();  // and so does its toolbar button
    EXPECT_EQ(state.viewMode, ViewMode::InfoPanel);
    state.gps.trackingEnabled = false;
    window.close();
}
