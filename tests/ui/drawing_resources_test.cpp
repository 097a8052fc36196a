#include "ui/drawing_resources.hpp"

#include <string>

#include <gtest/gtest.h>

using namespace vantrek;

// A missing skin among found ones is left to the window tests (no skins at all).
TEST(DrawingResources, WithoutAProgramFolderNoSkinIsTriedAndThatIsReportedOnce) {
    int tried = 0;
    const auto found = [&](BitmapId, const std::string&) { return ++tried > 0; };
    RecordingMessageSink noFolder;
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{}, found, noFolder), 0);
    ASSERT_EQ(noFolder.messages.size(), 1u);
    EXPECT_EQ(noFolder.messages[0].text, "Incorrect Quorle pragram path!");

    RecordingMessageSink unknown;  // the system could not say where the program is
    EXPECT_EQ(LoadSkinBitmaps(ProgramFolder{{}, {}, true}, found, unknown), 0);
    ASSERT_EQ(unknown.messages.size(), 1u);
    EXPECT_EQ(unknown.messages[0].text, "Can't find Quorle program path!");
    EXPECT_EQ(tried, 0);
}
