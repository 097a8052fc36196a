#pragma once

#include "orbit/element_set.hpp"
#include "orbit/element_set_forms.hpp"

namespace vantrek {

// What one load did: the sets stored, the records skipped (only the orbit
// mean-elements forms skip; a two-line buffer ends at its first bad set), the
// sets found past kCatalogLimit and not stored, and the form the buffer was
// read as.
struct ElementSetLoad {
    int loaded = 0;
    int skipped = 0;
    int beyondLimit = 0;
    ElementSetForm form = ElementSetForm::TwoLine;
};

// Replaces the catalogue with the element sets of a buffer in any form (see
// detectElementSetForm): at most kCatalogLimit sets are stored, every loaded
// set is selected and every other flag cleared; `current` is left as it is.
// A buffer that yields no set leaves the catalogue as it was. Two-line
// buffers: sets are read until a line is missing or a catalogue number is 0
// (the sets before it are kept). Orbit mean-elements buffers: a record that
// cannot be used is skipped and counted, the rest still load. At most
// kElementFileMaxBytes of the buffer are read.
ElementSetLoad loadElementSetBuffer(SatelliteCatalog& catalog, const char* buffer, long length);

// The same, returning the number loaded.
int loadElementSets(SatelliteCatalog& catalog, const char* buffer, long length);

// Makes the catalogue hold `count` sets (kept, or default ones added) and at
// least max(400, count) selection flags (new ones 0).
void resizeCatalog(SatelliteCatalog& catalog, int count);

// Copies entry `index` into `record` (the element fields, numbers and name)
// and sets its period to 0; `meanMotionDDot` and `deepSpace` are not copied.
// An index outside the catalogue leaves the record unchanged.
void loadWorkingElementSet(const SatelliteCatalog& catalog, int index, ElementSet& record);

// The start-up state: "No satellite " with every number 0 in slot 0, shown.
void loadPlaceholderElementSet(SatelliteCatalog& catalog);

}  // namespace vantrek
