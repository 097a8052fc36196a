#include "observe/magnitude_table.hpp"

#include <array>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "observe/satellite_shape.hpp"

using namespace vantrek;

namespace {

// Length, width, depth (m) and standard magnitude.
using Sizes = std::array<double, 4>;

double field(const std::string& line, size_t from, size_t count) {
    const std::string text = line.size() > from ? line.substr(from, count) : "";
    return text.find_first_not_of(' ') == std::string::npos ? 0.0 : std::stod(text);
}

// Entries of the reference magnitude file that carry a magnitude.
std::map<int, Sizes> readReferenceFile() {
    std::map<int, Sizes> rows;
    std::ifstream file(std::string(VANTREK_REFERENCE_DATA_DIR) + "/qs.mag");
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 37 || line.compare(33, 4, "Mag.") == 0) continue;
        if (line.substr(33, 4).find_first_not_of(' ') == std::string::npos) continue;
        rows[std::stoi(line.substr(0, 5))] = {field(line, 37, 5), field(line, 42, 4),
                                              field(line, 46, 4), field(line, 33, 4)};
    }
    return rows;
}

}  // namespace

TEST(MagnitudeTable, IsTheReferenceFileWithTheProgramsOwnRows) {
    std::map<int, Sizes> expected = readReferenceFile();
    ASSERT_GT(expected.size(), 1000u);
    // The program's own rows replace the file's values; the file lacks 90038.
    expected[5] = {0.2, 0, 0, 10.3};
    expected[25544] = {30, 20, 0, 0.5};
    expected[20580] = {13.3, 4.3, 0, 3.0};
    expected[24836] = {4, 1.8, 0, 6.5};
    expected[90038] = {4, 0, 0, 4};
    ASSERT_EQ(static_cast<size_t>(kMagnitudeTableRows), expected.size());
    // In order, each number once, so the binary search finds every row.
    const MagnitudeRow* row = kMagnitudeTable;
    for (const auto& [number, e] : expected) {
        ASSERT_EQ(row->catalogNumber, number);
        ASSERT_EQ(FindMagnitudeRow(number), row);
        EXPECT_EQ((Sizes{row->length, row->width, row->depth, StandardMagnitude(number)}), e) << number;
        ++row;
    }
    for (int32_t number : {0, 4, 6, 25545, 99999, -7}) {
        EXPECT_EQ(FindMagnitudeRow(number), nullptr) << number;
        EXPECT_EQ(StandardMagnitude(number), 10.0) << number;
    }
}

TEST(SatelliteShape, TextFollowsTheSizesOfTheRow) {
    const struct {
        int32_t number;
        const char* text;
    } cases[] = {{20935, "Satellite dimensionsL L.=37.1m W.=17.4m D.=23.8m"},
                 {25544, "Cylindrical shape l.=30.0m r.=20.0m"},
                 {90038, "Spherical satellite r.=4.0m "},
                 {5, "Shape not know. "},   // the 0.2 m placeholder
                 {3, "Shape not know. "}};  // missing: described by the first row, 5
    for (const auto& c : cases) EXPECT_EQ(SatelliteShapeText(c.number), c.text) << c.number;
}
