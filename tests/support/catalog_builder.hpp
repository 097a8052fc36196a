#pragma once

// Growing a catalogue one set at a time, for tests and benchmarks (header
// only: this folder builds no test executable of its own).
#include "orbit/catalog_loading.hpp"

namespace vantrek::testing {

// Adds `set` after the loaded ones, shown; returns its slot.
inline int AddToCatalog(SatelliteCatalog& catalog, ElementSet set, int32_t shown = 1) {
    // `set` is a copy: it may be one of the catalogue's own, which growing moves.
    const int slot = catalog.count;
    resizeCatalog(catalog, slot + 1);
    catalog.entries[static_cast<std::size_t>(slot)] = set;
    catalog.selected[static_cast<std::size_t>(slot)] = shown;
    return slot;
}

}  // namespace vantrek::testing
