#include "observe/magnitude_table.hpp"

#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "observe/satellite_shape.hpp"

using namespace vantrek;

namespace {

struct FileRow {
    double length, width, depth, magnitude;
};

double field(const std::string& line, size_t from, size_t count) {
    if (line.size() <= from) return 0.0;
    const std::string text = line.substr(from, count);
    if (text.find_first_not_of(' ') == std::string::npos) return 0.0;
    return std::stod(text);
}

// Entries of the reference magnitude file that carry a magnitude.
std::map<int, FileRow> readReferenceFile() {
    std::map<int, FileRow> rows;
    std::ifstream file(std::string(VANTREK_SHARED_DATA_DIR) + "/qs.mag");
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 37 || line.compare(33, 4, "Mag.") == 0) continue;
        if (line.substr(33, 4).find_first_not_of(' ') == std::string::npos) continue;
        rows[std::stoi(line.substr(0, 5))] = {field(line, 37, 5), field(line, 42, 4),
                                              field(line, 46, 4), field(line, 33, 4)};
    }
    return rows;
}

}  // namespace

TEST(MagnitudeTable, IsSortedAndEveryRowIsFoundByItsNumber) {
    ASSERT_GT(kMagnitudeTableRows, 1000);
    EXPECT_EQ(kMagnitudeTable[0].catalogNumber, 5.0);
    for (int i = 0; i < kMagnitudeTableRows; ++i) {
        if (i > 0) {
            ASSERT_LT(kMagnitudeTable[i - 1].catalogNumber, kMagnitudeTable[i].catalogNumber);
        }
        const int32_t number = static_cast<int32_t>(kMagnitudeTable[i].catalogNumber);
        ASSERT_EQ(FindMagnitudeRow(number), &kMagnitudeTable[i]) << number;
    }
}

TEST(MagnitudeTable, ProgramRowsReplaceTheFileValues) {
    struct Expected {
        int32_t number;
        double length, width, depth, magnitude;
    };
    const Expected rows[] = {{5, 0.2, 0, 0, 10.3},
                             {25544, 30, 20, 0, 0.5},
                             {20580, 13.3, 4.3, 0, 3.0},
                             {24836, 4, 1.8, 0, 6.5},
                             {90038, 4, 0, 0, 4}};
    for (const Expected& e : rows) {
        const MagnitudeRow* row = FindMagnitudeRow(e.number);
        ASSERT_NE(row, nullptr) << e.number;
        EXPECT_EQ(row->length, e.length) << e.number;
        EXPECT_EQ(row->width, e.width) << e.number;
        EXPECT_EQ(row->depth, e.depth) << e.number;
        EXPECT_EQ(row->standardMagnitude, e.magnitude) << e.number;
        EXPECT_EQ(StandardMagnitude(e.number), e.magnitude);
    }
}

TEST(MagnitudeTable, AgreesWithTheReferenceFileElsewhere) {
    const std::map<int, FileRow> file = readReferenceFile();
    ASSERT_GT(file.size(), 1000u);
    // Every file entry with a magnitude, plus 90038 which the file lacks.
    EXPECT_EQ(static_cast<size_t>(kMagnitudeTableRows), file.size() + 1);
    for (const auto& [number, expected] : file) {
        if (number == 5 || number == 25544 || number == 20580 || number == 24836) continue;
        const MagnitudeRow* row = FindMagnitudeRow(number);
        ASSERT_NE(row, nullptr) << number;
        EXPECT_EQ(row->standardMagnitude, expected.magnitude) << number;
        EXPECT_EQ(row->length, expected.length) << number;
        EXPECT_EQ(row->width, expected.width) << number;
        EXPECT_EQ(row->depth, expected.depth) << number;
    }
}

TEST(MagnitudeTable, UnknownNumbersGetMagnitudeTen) {
    for (int32_t number : {0, 1, 4, 6, 25545, 99999, -7}) {
        EXPECT_EQ(FindMagnitudeRow(number), nullptr) << number;
        EXPECT_EQ(StandardMagnitude(number), 10.0) << number;
    }
}

TEST(SatelliteShape, TextFollowsTheSizesOfTheRow) {
    EXPECT_EQ(SatelliteShapeText(25544), "Cylindrical shape l.=30.0m r.=20.0m");
    EXPECT_EQ(SatelliteShapeText(90038), "Spherical satellite r.=4.0m ");
    EXPECT_EQ(SatelliteShapeText(5), "Shape not know. ");
    // A number missing from the table describes the first row.
    EXPECT_EQ(SatelliteShapeText(3), "Shape not know. ");
    const MagnitudeRow* box = FindMagnitudeRow(20935);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->depth, 0.0);
    EXPECT_EQ(SatelliteShapeText(20935), "Satellite dimensionsL L.=37.1m W.=17.4m D.=23.8m");
}
