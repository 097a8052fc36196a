#include <memory>

#include <gtest/gtest.h>

#include "platform/fake_serial_port.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"
#include "main_window_fixture.hpp"

using namespace vantrek;

namespace {

struct GpsWiringTest : ::testing::Test, MainWindowWorld {
    void setFix(double lat, double lon, double altM, double speed = 0.0, double course = 0.0) {
        UpdateGpsFix(state->gps, [&](GpsFixData& d) {
            d.latitudeDeg = lat;
            d.longitudeDeg = lon;
            d.altitudeM = altM;
            d.speedKmh = speed;
            d.courseDeg = course;
        });
    }
};

}  // namespace

TEST_F(GpsWiringTest, TickGivesUpOnAPortThatNeverOpens) {
    state->gps.trackingEnabled = true;
    state->gps.openCount = 999;
    Tick(*state, services, 2460000.5);
    EXPECT_TRUE(state->gps.trackingEnabled);
    EXPECT_TRUE(messages.messages.empty());

    state->gps.openCount = 1000;
    Tick(*state, services, 2460000.5);
    EXPECT_FALSE(state->gps.trackingEnabled);
    Tick(*state, services, 2460000.5);  // told once
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "I can't conect to the COM port!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(messages.messages[0].caption, "");
}

TEST_F(GpsWiringTest, AutoCompassTurnsTheSkyOnlyWhileMoving) {
    state->viewMode = ViewMode::Sky;
    state->gps.trackingEnabled = true;
    setFix(54.0, 10.0, 0.0, 0.9, 90.0);
    Tick(*state, services, 2460000.5);
    EXPECT_EQ(state->viewMatrix.m[0][0], 1.0);  // 0.9 km/h: standing

    setFix(54.0, 10.0, 0.0, 12.0, 90.0);
    Tick(*state, services, 2460000.5);
    EXPECT_NEAR(state->viewMatrix.m[0][1], 1.0, 1e-12);

    ResetViewMatrix(state->viewMatrix);
    state->viewMode = ViewMode::Map;  // other views keep their orientation
    Tick(*state, services, 2460000.5);
    EXPECT_EQ(state->viewMatrix.m[0][0], 1.0);

    state->viewMode = ViewMode::Sky;
    state->settings.GPSCompass = 0;  // the GPS settings' auto compass off
    Tick(*state, services, 2460000.5);
    EXPECT_EQ(state->viewMatrix.m[0][0], 1.0);

    ViewMatrix view;
    ApplyAutoCompass(view, state->gps, 0);
    EXPECT_EQ(view.m[0][0], 1.0);
    state->gps.trackingEnabled = false;
    ApplyAutoCompass(view, state->gps, 1);
    EXPECT_EQ(view.m[0][0], 1.0);
}

TEST_F(GpsWiringTest, PaintTakesTheObserverFromAFixWithBothCoordinates) {
    const double lat = state->observer.latitude;
    setFix(0.0, 10.0, 120.0);  // exactly 0 degrees latitude never replaces the observer
    DisplayList list;
    PaintView(*state, list, {0, 0, 800, 600});
    EXPECT_EQ(state->observer.latitude, lat);

    setFix(48.1173, 11.516667, 0.0);
    PaintView(*state, list, {0, 0, 800, 600});
    EXPECT_NEAR(state->observer.latitude, 48.1173 * 0.0174532925199433, 1e-15);
    EXPECT_NEAR(state->observer.longitude, 11.516667 * 0.0174532925199433, 1e-15);
    EXPECT_EQ(state->settings.Lat, state->observer.latitude);  // the settings' copy follows
    EXPECT_EQ(state->observer.height, 0.03);  // altitude 0 keeps the height

    setFix(48.0, 11.0, 545.4);
    TakeObserverFromGps(*state);
    EXPECT_NEAR(state->observer.height, 0.5454, 1e-12);
}

TEST_F(GpsWiringTest, GpsButtonSwitchesTheReaderOnAndOff) {
    RunCommand(*state, services, CmdGpsOnOff);  // no reader: nothing to switch on
    EXPECT_FALSE(state->gps.trackingEnabled);

    GpsReader reader(std::make_unique<FakeSerialPort>());
    services.gpsReader = &reader;
    state->settings.GPSPort = 2;
    state->settings.GPSSpeed = 3;
    RunCommand(*state, services, CmdGpsOnOff);
    EXPECT_TRUE(state->gps.trackingEnabled);
    EXPECT_EQ(state->gps.baudRate, 4800u);
    EXPECT_EQ(state->gps.portIndex, 2u);

    UpdateGpsFix(state->gps, [](GpsFixData& d) { d.fixMode = 3; });
    state->gps.openCount = 5;
    RunCommand(*state, services, CmdGpsOnOff);
    EXPECT_FALSE(state->gps.trackingEnabled);
    EXPECT_EQ(SnapshotGpsFix(state->gps).fixMode, 0);
    EXPECT_EQ(state->gps.openCount, 0);

    CloseMainWindow(*state, services);  // ends the started thread without a hang
    EXPECT_TRUE(state->gps.exitRequested);
    EXPECT_FALSE(reader.thread.joinable());
}

TEST_F(GpsWiringTest, StatusBarFollowsTheFixAndTheModel) {
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.fixQuality = 1;
        d.fixMode = 3;
    });
    state->model.flags.simplifiedDrag = 1;
    const StatusBarFacts facts = StatusBarFactsFor(*state);
    EXPECT_TRUE(facts.trackingEnabled);
    EXPECT_EQ(facts.fixQuality, 1);
    EXPECT_EQ(facts.fixMode, 3);
    EXPECT_TRUE(facts.simpleMode);
}
