#include "ui/status_bar.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/text_format.hpp"

using namespace vantrek;

namespace {

const Rect kClient{0, 0, 1000, 26};

std::vector<std::string> texts(const DisplayList& list) {
    std::vector<std::string> result;
    for (const DrawCommand* c : TextCommands(list)) result.push_back(c->text);
    return result;
}

std::vector<BitmapId> iconsOverFiveTicks(int fixMode) {
    std::vector<BitmapId> icons;
    int16_t counter = 0;
    for (int tick = 0; tick < 5; ++tick) {
        icons.push_back(StatusBarGpsIcon(fixMode, counter));
        counter = static_cast<int16_t>(counter >= 4 ? 0 : counter + 1);
    }
    return icons;
}

}  // namespace

TEST(StatusBar, ShowsFileRefractionSimpleModeAndPosition) {
    StatusBarFacts facts;
    facts.fileDisplayName = "visual.tle";
    facts.count = 12;
    facts.refraction = 1;
    facts.latitude = 0.9477539264057168;
    facts.longitude = -0.17670935077666988;
    DisplayList list;
    int16_t counter = 0;
    DrawStatusBar(list, kClient, facts, counter);

    const std::vector<std::string> expected = {
        "File: visual.tle  Nr of satellites 12", "Refraction ON", "Simple mode OFF",
        "Position Lat 54.30230°N   Lon  -10.12470°S "};
    EXPECT_EQ(texts(list), expected);

    const std::vector<const DrawCommand*> lines = TextCommands(list);
    EXPECT_EQ(lines[0]->rect.left, 0);
    EXPECT_EQ(lines[0]->rect.right, 850);
    EXPECT_EQ(lines[0]->rect.top, 1);
    EXPECT_EQ(lines[1]->rect.left, 230);
    EXPECT_EQ(lines[2]->rect.left, 320);
    EXPECT_EQ(lines[3]->rect.left, 520);
    EXPECT_EQ(lines[3]->rect.right, 950);
    for (const DrawCommand* c : lines) {
        EXPECT_EQ(c->target, Surface::StatusBar);
        EXPECT_EQ(c->font, FontId::Small);
        EXPECT_TRUE(c->textFlags & TextSingleLine);
        EXPECT_TRUE(c->textFlags & TextVCenter);
    }
    ASSERT_EQ(list.commands.front().op, DrawOp::CopyBitmap);
    EXPECT_EQ(list.commands.front().rect.left, 960);
    EXPECT_EQ(list.commands.front().rect.top, 6);
    EXPECT_EQ(list.commands.front().rect.right, 974);
}

TEST(StatusBar, RefractionReadsOnOnlyAtOne) {
    StatusBarFacts facts;
    facts.refraction = 2;
    facts.simpleMode = true;
    DisplayList list;
    int16_t counter = 0;
    DrawStatusBar(list, kClient, facts, counter);
    EXPECT_EQ(texts(list)[1], "Refraction OFF");
    EXPECT_EQ(texts(list)[2], "Simple mode ON");
}

TEST(StatusBar, GpsTextOnlyWhileTracking) {
    StatusBarFacts facts;
    facts.trackingEnabled = true;
    facts.fixQuality = 1;
    facts.fixMode = 3;
    DisplayList list;
    int16_t counter = 0;
    DrawStatusBar(list, kClient, facts, counter);
    const DrawCommand* gps = TextCommands(list).back();
    EXPECT_EQ(gps->text, "GPS position fixed");
    EXPECT_EQ(gps->rect.left, 300);
    EXPECT_EQ(gps->rect.right, 950);
    EXPECT_TRUE(gps->textFlags & TextRight);

    facts.fixQuality = 0;
    DisplayList notFixed;
    DrawStatusBar(notFixed, kClient, facts, counter);
    EXPECT_EQ(TextCommands(notFixed).back()->text, "GPS position not fixed");

    facts.trackingEnabled = false;  // the text goes, the icon keeps following fixMode
    DisplayList off;
    counter = 0;
    DrawStatusBar(off, kClient, facts, counter);
    EXPECT_EQ(TextCommands(off).size(), 4u);
    EXPECT_EQ(off.commands.front().bitmap, BitmapId::GpsIconFix);
}

TEST(StatusBar, GpsIconSequences) {
    using B = BitmapId;
    EXPECT_EQ(iconsOverFiveTicks(3),
              (std::vector<B>{B::GpsIconFix, B::GpsIconFix, B::GpsIconIdle, B::GpsIconIdle,
                              B::GpsIconIdle}));
    EXPECT_EQ(iconsOverFiveTicks(0), std::vector<B>(5, B::GpsIconIdle));

    // Without a fix the counter is set back at 2, so the icon alternates every tick.
    int16_t counter = 0;
    std::vector<B> blink;
    for (int tick = 0; tick < 6; ++tick) {
        blink.push_back(StatusBarGpsIcon(1, counter));
        counter = static_cast<int16_t>(counter >= 4 ? 0 : counter + 1);
    }
    EXPECT_EQ(blink, (std::vector<B>{B::GpsIconFix, B::GpsIconFix, B::GpsIconIdle, B::GpsIconFix,
                                     B::GpsIconIdle, B::GpsIconFix}));
}

TEST(StatusBar, LongFileNamesAreCutToTheSharedBuffer) {
    StatusBarFacts facts;
    facts.fileDisplayName = std::string(250, 'a') + "\xC3\xA9";
    DisplayList list;
    int16_t counter = 0;
    DrawStatusBar(list, kClient, facts, counter);
    const std::string& line = TextCommands(list)[0]->text;
    EXPECT_EQ(line.size(), kSharedTextCapacity - 1);
    EXPECT_EQ(line.substr(0, 6), "File: ");

    std::string accented;
    formatWide(accented, "%s", (std::string(202, 'b') + "\xC3\xA9\xC3\xA9").c_str());
    EXPECT_EQ(accented, std::string(202, 'b') + "\xC3\xA9");  // cut between characters
}
