#include "ui/drawing_resources.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace vantrek;

TEST(DrawingResources, EachMissingSkinIsReportedAndLoadingGoesOn) {
    std::vector<std::string> tried;
    const auto allButSun = [&](BitmapId id, const std::string& path) {
        tried.push_back(path);
        return id != BitmapId::Sun;
    };
    RecordingMessageSink messages;
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{"/opt/vantrek/"}, allButSun, messages), 8);
    EXPECT_EQ(tried.front(), "/opt/vantrek/skins/night.bmp");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Read bitmap sun.bmp failed!");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);

    RecordingMessageSink noFolder;  // reported once, no skin tried
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{}, allButSun, noFolder), 0);
    EXPECT_EQ(tried.size(), 9u);
    ASSERT_EQ(noFolder.messages.size(), 1u);
    EXPECT_EQ(noFolder.messages[0].text, "Incorrect Quorle pragram path!");

    RecordingMessageSink unknown;  // the system could not say where the program is
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{{}, {}, true}, allButSun, unknown), 0);
    ASSERT_EQ(unknown.messages.size(), 1u);
    EXPECT_EQ(unknown.messages[0].text, "Can't find Quorle program path!");
}
