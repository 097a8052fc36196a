#include "ui/status_bar.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/text_format.hpp"

using namespace vantrek;

namespace {

// The texts of the status bar for `facts`, drawn with a fresh tick counter.
std::vector<std::string> texts(const StatusBarFacts& facts, DisplayList& list) {
    int16_t counter = 0;
    DrawStatusBar(list, {0, 0, 1000, 26}, facts, counter);
    std::vector<std::string> result;
    for (const DrawCommand* c : TextCommands(list)) result.push_back(c->text);
    return result;
}

}  // namespace

TEST(StatusBar, ShowsFileSwitchesPositionAndWhileTrackingTheFix) {
    StatusBarFacts facts;
    facts.fileDisplayName = "visual.tle";
    facts.count = 12;
    facts.refraction = 1;
    facts.latitude = 0.9477539264057168;
    facts.longitude = -0.17670935077666988;
    DisplayList list;
    EXPECT_EQ(texts(facts, list),
              (std::vector<std::string>{"File: visual.tle  Nr of satellites 12", "Refraction ON",
                                        "Simple mode OFF",
                                        "Position Lat 54.30230°N   Lon  -10.12470°S "}));
    EXPECT_EQ(list.commands.front().target, Surface::StatusBar);
    EXPECT_EQ(list.target, Surface::BackBuffer);  // the caller's target comes back

    facts.refraction = 2;  // only 1 reads as on
    facts.simpleMode = facts.trackingEnabled = true;
    DisplayList tracking;
    const std::vector<std::string> lines = texts(facts, tracking);
    EXPECT_EQ(lines.at(1) + "|" + lines.at(2) + "|" + lines.at(4),
              "Refraction OFF|Simple mode ON|GPS position not fixed");
}

TEST(StatusBar, GpsIconShowsAFixTwoTicksInFiveAndBlinksWithoutOne) {
    const auto icons = [](int32_t fixMode) {
        std::string shown;
        for (int16_t tick = 0, counter = 0; tick < 6; ++tick) {
            shown += StatusBarGpsIcon(fixMode, counter) == BitmapId::GpsIconFix ? 'F' : 'i';
            counter = static_cast<int16_t>(counter >= 4 ? 0 : counter + 1);  // as the tick does
        }
        return shown;
    };
    EXPECT_EQ(icons(3), "FFiiiF");
    EXPECT_EQ(icons(1), "FFiFiF");  // the counter is set back at 2
    EXPECT_EQ(icons(0), "iiiiii");
}

TEST(StatusBar, LongFileNamesAreCutToTheSharedBufferBetweenCharacters) {
    StatusBarFacts facts;
    facts.fileDisplayName = std::string(250, 'a');
    DisplayList list;
    const std::string line = texts(facts, list)[0];
    EXPECT_EQ(line.size(), kSharedTextCapacity - 1);
    EXPECT_EQ(line.substr(0, 6), "File: ");

    std::string accented;
    formatWide(accented, "%s", (std::string(202, 'b') + "\xC3\xA9\xC3\xA9").c_str());
    EXPECT_EQ(accented, std::string(202, 'b') + "\xC3\xA9");
}
