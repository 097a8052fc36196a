#include "observe/magnitude_table.hpp"

#include <algorithm>

namespace vantrek {

const MagnitudeRow* FindMagnitudeRow(int32_t catalogNumber) {
    const MagnitudeRow* end = kMagnitudeTable + kMagnitudeTableRows;
    const double key = static_cast<double>(catalogNumber);
    const MagnitudeRow* row = std::lower_bound(
        kMagnitudeTable, end, key,
        [](const MagnitudeRow& r, double number) { return r.catalogNumber < number; });
    if (row == end || row->catalogNumber != key) return nullptr;
    return row;
}

double StandardMagnitude(int32_t catalogNumber) {
    const MagnitudeRow* row = FindMagnitudeRow(catalogNumber);
    return row ? row->standardMagnitude : kUnknownStandardMagnitude;
}

}  // namespace vantrek
