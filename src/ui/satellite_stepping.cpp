#include "ui/satellite_stepping.hpp"

#include <algorithm>

namespace vantrek {

bool StepToNextShown(SatelliteCatalog& catalog) {
    const int last = std::min(catalog.count, kCatalogCapacity) - 1;
    for (int i = std::max(catalog.current + 1, 0); i <= last; ++i) {
        if (catalog.selected[i] == 1) {
            catalog.current = i;
            return true;
        }
    }
    return false;
}

bool StepToPreviousShown(SatelliteCatalog& catalog) {
    for (int i = std::min(catalog.current, kCatalogCapacity) - 1; i >= 0; --i) {
        if (catalog.selected[i] == 1) {
            catalog.current = i;
            return true;
        }
    }
    return false;
}

}  // namespace vantrek
