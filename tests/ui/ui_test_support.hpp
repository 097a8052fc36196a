#pragma once

// Shared by the interface tests: a fresh main-window world, the sample sets
// as the views show them, what a view drew, and vantrek-cli look as the
// independent figures.
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "platform/message_sink.hpp"
#include "platform/settings_store.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"

#include "../support/run_cli.hpp"
#include "../support/sample_view_state.hpp"

namespace vantrek {

// A fresh main-window state with a temporary program folder, settings in
// memory and recorded message boxes.
struct MainWindowTest : ::testing::Test {
    TemporaryFolder folder;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    MainWindowServices services;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();

    MainWindowTest() {
        services.folder.path = folder.path();
        services.store = &store;
        services.messages = &messages;
        StartUpDefaults(*state);
    }

    void startUp() { StartUpLoad(*state, services, {2026, 7, 1, 2}, {2026, 7, 1, 0}); }
    CommandOutcome run(int command) { return RunCommand(*state, services, command); }
    Repaint key(int code) { return KeyPressed(*state, services, code); }
};

namespace testing {

// tests/data/sample.tle at 2026-12-06 19:00 UTC, seen from Kiel.
constexpr int kSdp4Test = 2;      // no finite state in 2026
constexpr int kDemoStation = 3;
constexpr int kDemoSunSync = 4;   // 44.7 degrees up, in the Earth's shadow
constexpr int kDemoMolniya = 6;   // 717.8-minute period, 79.7 degrees up
constexpr int kDemoGeo = 7;       // over 155.3 W on the equator
inline const std::string kSampleFile = std::string(VANTREK_TESTS_DIR) + "/data/sample.tle";
inline const std::string kUtc = "2026-12-06T19:00:00";
inline const double kWhen = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0);

inline DisplayList Paint(AppState& state, Rect client = {0, 0, 1280, 800}) {
    DisplayList list;
    PaintView(state, list, client);
    return list;
}

// Commands of one kind: bitmaps by name and surface, pixels by colour, the others by brush colour.
inline std::vector<const DrawCommand*> Find(const DisplayList& list, DrawOp op, Colour colour = {},
                                            BitmapId bitmap = BitmapId::Night, Surface on = Surface::BackBuffer) {
    std::vector<const DrawCommand*> found;
    for (const DrawCommand& c : list.commands) {
        const bool match = op == DrawOp::CopyBitmap ? c.bitmap == bitmap && c.target == on
                           : op == DrawOp::SetPixels ? c.colour == colour
                                                     : c.brush.colour == colour;
        if (c.op == op && match) found.push_back(&c);
    }
    return found;
}
inline std::vector<const DrawCommand*> Bitmaps(const DisplayList& list, BitmapId id, Surface on = Surface::BackBuffer) {
    return Find(list, DrawOp::CopyBitmap, {}, id, on);
}
// Every pixel set in `colour`.
inline std::vector<Point> Pixels(const DisplayList& list, Colour colour) {
    std::vector<Point> found;
    for (const DrawCommand* c : Find(list, DrawOp::SetPixels, colour)) found.insert(found.end(), c->points.begin(), c->points.end());
    return found;
}

// vantrek-cli look over the sample file, its key=value lines as figures.
inline std::map<std::string, double> Look(const std::string& options) {
    std::string out;
    EXPECT_EQ(RunCliRaw("look " + kSampleFile + " " + options, out), 0) << options;
    std::map<std::string, double> values;
    std::istringstream lines(out);
    for (std::string l; std::getline(lines, l);)
        if (l.find('=') != std::string::npos) values[l.substr(0, l.find('='))] = std::atof(l.c_str() + l.find('=') + 1);
    return values;
}

}  // namespace testing
}  // namespace vantrek
