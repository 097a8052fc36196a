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
        "Far -33.868820 151.209295 58\n");
    std::vector<std::string> names;
    ASSERT_TRUE(readLocationNames(path, names));
    // A blank line keeps its row; names are cut to 20 characters; the rest of the long line is a row.
    EXPECT_EQ(names, (std::vector<std::string>{"Kiel", "", "A_place_with_a_name_", "3", "Far"}));

    LocationLine line;
    ASSERT_TRUE(readLocationLine(path, 5, line));
    EXPECT_EQ(line.name + " " + line.latitude + " " + line.longitude + " " + line.altitude,
              "Far -33.868 151.209 58");  // numbers cut to seven characters
    // Row 0, no words, one word, beyond the end.
    for (int row : {0, 2, 4, 6}) EXPECT_FALSE(readLocationLine(path, row, line)) << row;
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
