#pragma once

#include "orbit/element_set.hpp"
#include "orbit/element_set_forms.hpp"

namespace vantrek {

// The most bytes of a two-line element-set file that are read; 400 sets of
// three lines.
constexpr long kElementFileMaxBytes = 74001;

// What one load did: the sets stored, the records skipped (only the orbit
// mean-elements forms skip; a two-line buffer ends at its first bad set) and
// the form the buffer was read as.
struct ElementSetLoad {
    int loaded = 0;
    int skipped = 0;
    ElementSetForm form = ElementSetForm::TwoLine;
};

// Replaces the catalogue with the element sets of a buffer in any form (see
// detectElementSetForm): every `selected` flag is cleared, at most 400 sets
// are stored and every loaded set is selected; `current` is left as it is.
// Two-line buffers: sets are read until a line is missing or a catalogue
// number is 0 (the sets before it are kept), and a buffer of more than
// 400 x 185 bytes is cut to its first 74,000. Orbit mean-elements buffers:
// read up to kOmmFileMaxBytes; a record that cannot be used is skipped and
// counted, the rest still load.
ElementSetLoad loadElementSetBuffer(SatelliteCatalog& catalog, const char* buffer, long length);

// The same, returning the number loaded.
int loadElementSets(SatelliteCatalog& catalog, const char* buffer, long length);

// Copies entry `index` into `record` (the element fields, numbers and name)
// and sets its period to 0; `meanMotionDDot` and `deepSpace` are not copied.
// An index outside the catalogue leaves the record unchanged.
void loadWorkingElementSet(const SatelliteCatalog& catalog, int index, ElementSet& record);

// The start-up state: "No satellite " with every number 0 in slot 0, shown.
void loadPlaceholderElementSet(SatelliteCatalog& catalog);

}  // namespace vantrek
