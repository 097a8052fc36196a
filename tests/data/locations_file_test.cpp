#include "data/locations_file.hpp"

#include <gtest/gtest.h>

#include "platform/temporary_folder.hpp"

using namespace vantrek;

TEST(LocationsFile, NamesComeOnePerPieceOfAtMost39Bytes) {
    TemporaryFolder folder;
    const std::string path = folder.write(
        "Cities.loc",
        "Kiel 54.3023 10.1247 30\n"
        "\n"
        "A_place_with_a_name_of_30_char 1.0 2.0 3\n"  // 41 bytes: two pieces
        "Lisbon 38.72 -9.14 50\n");
    std::vector<std::string> names;
    ASSERT_TRUE(readLocationNames(path, names));
    ASSERT_EQ(names.size(), 5u);
    EXPECT_EQ(names[0], "Kiel");
    EXPECT_EQ(names[1], "");                      // a blank line keeps its row
    EXPECT_EQ(names[2], "A_place_with_a_name_");  // 20 characters
    EXPECT_EQ(names[3], "3");                     // the rest of the long line
    EXPECT_EQ(names[4], "Lisbon");

    LocationLine line;
    ASSERT_TRUE(readLocationLine(path, 5, line));
    EXPECT_EQ(line.name, "Lisbon");
    EXPECT_EQ(line.latitude, "38.72");
    EXPECT_EQ(line.longitude, "-9.14");
    EXPECT_EQ(line.altitude, "50");
    EXPECT_FALSE(readLocationLine(path, 2, line));  // no words
    EXPECT_FALSE(readLocationLine(path, 4, line));  // one word
    EXPECT_FALSE(readLocationLine(path, 6, line));  // beyond the end
    EXPECT_FALSE(readLocationLine(path, 0, line));
}

TEST(LocationsFile, LongNumbersAreCutToSevenCharacters) {
    TemporaryFolder folder;
    const std::string path = folder.write("Cities.loc", "Far -33.868820 151.209295 58\n");
    LocationLine line;
    ASSERT_TRUE(readLocationLine(path, 1, line));
    EXPECT_EQ(line.latitude, "-33.868");
    EXPECT_EQ(line.longitude, "151.209");
}

TEST(LocationsFile, AtMost1800LinesAndAMissingFile) {
    TemporaryFolder folder;
    std::string text;
    for (int i = 1; i <= 2000; ++i) text += "P" + std::to_string(i) + " 1 2 3\n";
    const std::string path = folder.write("Cities.loc", text);
    std::vector<std::string> names;
    ASSERT_TRUE(readLocationNames(path, names));
    EXPECT_EQ(names.size(), 1800u);
    EXPECT_EQ(names.back(), "P1800");
    LocationLine line;
    EXPECT_TRUE(readLocationLine(path, 1800, line));
    EXPECT_FALSE(readLocationLine(path, 1801, line));

    EXPECT_FALSE(readLocationNames(folder.file("none.loc"), names));
    EXPECT_TRUE(names.empty());
}

TEST(LocationsFile, ShippedFileIsWellFormedAndHasKiel) {
    const std::string path = std::string(VANTREK_RES_DIR) + "/Cities.loc";
    std::vector<std::string> names;
    ASSERT_TRUE(readLocationNames(path, names));
    ASSERT_GE(names.size(), 30u);
    EXPECT_EQ(names[0], "Kiel");
    for (int row = 1; row <= static_cast<int>(names.size()); ++row) {
        LocationLine line;
        ASSERT_TRUE(readLocationLine(path, row, line)) << "line " << row;
        EXPECT_EQ(line.name, names[row - 1]);  // every line is one piece
    }
}
