#include "observe/prediction_cells.hpp"

#include <memory>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/visibility_code.hpp"

using namespace vantrek;

TEST(PredictionCells, SixCellsOfEachKindOfRow) {
    PredictionRow row{kVisibilityVisible, JulianDateFromCalendar(2024, 3, 5, 7, 4, 9, 0), -2.2449,
                      1.234 * kDegree, 17};
    PredictionCells cells = FormatPredictionRow(row, "ISS (ZARYA)             ", 0.0, true);
    EXPECT_EQ(cells.satellite, "ISS (ZARYA)               ");
    EXPECT_EQ(cells.time, "2024-3-5 7:04:09");
    EXPECT_EQ(cells.status, "Visible");
    EXPECT_EQ(cells.magnitude, "-2.2");
    EXPECT_EQ(cells.flareAngle, "N/A");
    EXPECT_EQ(cells.index, "17");

    row.code = kVisibilityFlare;
    cells = FormatPredictionRow(row, "IRIDIUM 7", 1.0 / 24.0, false);
    EXPECT_EQ(cells.satellite, "IRIDIUM 7");
    EXPECT_EQ(cells.time, "2024-3-5 8:04:09");  // one hour east of UTC
    EXPECT_EQ(cells.status, "Flare");
    EXPECT_EQ(cells.flareAngle, "1.23\u00b0");
}

TEST(PredictionCells, TimesRoundToTheSecondAcrossMidnight) {
    const double midnight = JulianDateFromCalendar(2024, 12, 31, 24, 0, 0, 0);
    EXPECT_EQ(PredictionTimeText(midnight - 0.001 / 86400.0, 0.0), "2025-1-1 0:00:00");
    EXPECT_EQ(PaddedTimeText(midnight - 0.001 / 86400.0), "2025-01-01 00:00:00");
    EXPECT_EQ(PaddedTimeText(midnight - 1.0 / 86400.0), "2024-12-31 23:59:59");
    EXPECT_EQ(PredictionTimeText(midnight + 0.5, -1.0 / 24.0), "2025-1-1 11:00:00");
}

TEST(PredictionCells, NewestRowIsListedFirst) {
    auto results = std::make_unique<PredictionResults>();
    results->rows.resize(3);
    results->count = 3;
    EXPECT_EQ(PredictionRowAtListPosition(*results, 0), 2);
    EXPECT_EQ(PredictionRowAtListPosition(*results, 2), 0);
    EXPECT_EQ(PredictionRowAtListPosition(*results, 3), -1);
    EXPECT_EQ(PredictionRowAtListPosition(*results, -1), -1);
    EXPECT_EQ(PassSearchSummaryText(12, 0.4567), "Number of passes 12 calculated in 0.46s");
}
