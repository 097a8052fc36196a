#include "orbit/current_satellite.hpp"

#include <algorithm>

#include "data/frequencies.hpp"
#include "orbit/catalog_loading.hpp"

namespace vantrek {

namespace {

bool stepTo(int found, SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings) {
    if (found >= 0) catalog.current = found;
    loadCurrentSatellite(catalog, folder, settings);
    return found >= 0;
}

}  // namespace

int loadedSatelliteCount(const SatelliteCatalog& catalog) {
    const std::size_t slots = std::min(catalog.entries.size(), catalog.selected.size());
    return std::clamp(catalog.count, 0, static_cast<int>(slots));
}

void loadCurrentSatellite(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings) {
    loadWorkingElementSet(catalog, catalog.current, catalog.currentSet);
    LoadFrequencies(folder, catalog.currentSet.catalogNumber, settings);
}

int findNextSelected(const SatelliteCatalog& catalog) {
    for (int i = std::max(catalog.current + 1, 0); i < loadedSatelliteCount(catalog); ++i) {
        if (catalog.selected[i] == 1) return i;
    }
    return -1;
}

int findPreviousSelected(const SatelliteCatalog& catalog) {
    for (int i = std::min(catalog.current, loadedSatelliteCount(catalog)) - 1; i >= 0; --i) {
        if (catalog.selected[i] == 1) return i;
    }
    return -1;
}

bool stepToNextSelected(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings) {
    return stepTo(findNextSelected(catalog), catalog, folder, settings);
}

bool stepToPreviousSelected(SatelliteCatalog& catalog, const ProgramFolder& folder, Settings& settings) {
    return stepTo(findPreviousSelected(catalog), catalog, folder, settings);
}

}  // namespace vantrek
