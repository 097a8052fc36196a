#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/command_tables.hpp"
#include "ui/drawing_resources.hpp"

using namespace vantrek;

TEST(CommandTables, AcceleratorsMatchTheTypedCharacter) {
    EXPECT_EQ(AcceleratorCommand('r'), CmdToggleRefraction);
    EXPECT_EQ(AcceleratorCommand('?'), CmdAbout);
    EXPECT_EQ(AcceleratorCommand('/'), CmdAbout);
    EXPECT_EQ(AcceleratorCommand('R'), 0);  // matched on the typed character
    EXPECT_EQ(AcceleratorCommand('q'), 0);
}

TEST(CommandTables, ToolbarUsesEveryImageOnceInOrder) {
    int next = 0, separators = 0;
    for (const ToolbarEntry& e : kToolbar) {
        if (e.command == 0) {
            ++separators;
            continue;
        }
        EXPECT_EQ(e.image, next++);
    }
    EXPECT_EQ(next, kToolbarImageCount);
    EXPECT_EQ(separators, 5);
}

TEST(DrawingResources, MissingSkinsAreReportedInLoadingOrder) {
    std::vector<std::string> tried;
    const auto none = [&](BitmapId, const std::string& path) {
        tried.push_back(path);
        return false;
    };
    RecordingMessageSink messages;
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{"/opt/vantrek"}, none, messages), 0);
    const std::vector<std::string> expected = {
        "Read bitmap night.bmp failed!", "Read bitmap day.bmp failed!",
        "Read bitmap iss.bmp failed!",   "Read bitmap sun.bmp failed!",
        "Read bitmap moon.bmp failed!",  "Read bitmap moondark.bmp failed!",
        "Read bitmap hst.bmp failed!",   "Read bitmap sat.bmp failed!",
        "Read bitmap notsell.bmp failed!"};
    ASSERT_EQ(messages.messages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages.messages[i].text, expected[i]);
        EXPECT_EQ(messages.messages[i].icon, MessageIcon::Error);
        EXPECT_EQ(messages.messages[i].caption, "");
    }
    EXPECT_EQ(tried.front(), "/opt/vantrek/skins/night.bmp");

    RecordingMessageSink one;
    const auto onlySun = [](BitmapId id, const std::string&) { return id != BitmapId::Sun; };
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{"/opt/vantrek/"}, onlySun, one), 8);
    ASSERT_EQ(one.messages.size(), 1u);
    EXPECT_EQ(one.messages[0].text, "Read bitmap sun.bmp failed!");

    RecordingMessageSink noFolder;
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{}, onlySun, noFolder), 0);
    ASSERT_EQ(noFolder.messages.size(), 1u);
    EXPECT_EQ(noFolder.messages[0].text, "Incorrect Quorle pragram path!");
}

TEST(DrawingResources, ShippedSkinsHaveTheirSizes) {
    // BMP header: width and height as 32-bit little-endian at offsets 18 and 22.
    const struct {
        const char* file;
        int width, height;
    } skins[] = {{"night.bmp", 898, 450}, {"day.bmp", 898, 450},     {"iss.bmp", 15, 15},
                 {"sun.bmp", 31, 31},     {"moon.bmp", 31, 31},      {"moondark.bmp", 31, 31},
                 {"hst.bmp", 31, 31},     {"sat.bmp", 15, 15},       {"notsell.bmp", 15, 15}};
    for (const auto& s : skins) {
        const std::string path = std::string(VANTREK_RES_DIR) + "/skins/" + s.file;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr) << path;
        unsigned char header[26] = {};
        const std::size_t got = std::fread(header, 1, sizeof header, f);
        std::fclose(f);
        ASSERT_EQ(got, sizeof header);
        EXPECT_EQ(header[0], 'B');
        EXPECT_EQ(header[1], 'M');
        const auto word = [&](int at) {
            return static_cast<int>(header[at] | header[at + 1] << 8 | header[at + 2] << 16 |
                                    header[at + 3] << 24);
        };
        EXPECT_EQ(word(18), s.width) << s.file;
        EXPECT_EQ(std::abs(word(22)), s.height) << s.file;
    }
}
