#pragma once

namespace vantrek {

// One row of the "Get last TLE" list. The saved file and the log use the
// stem; the request asks the server for its group (the server renamed one).
struct DownloadCategoryRow {
    const char* caption;
    const char* stem;
    const char* group;
};

// 35 rows of the first years, then 15 of today's groups.
constexpr int kDownloadCategoryCount = 50;
constexpr int kIridiumCategoryRow = 15;
constexpr int kDefaultCategoryRow = 1;  // "International Space Station"

extern const DownloadCategoryRow kDownloadCategories[kDownloadCategoryCount];

}  // namespace vantrek
