#pragma once

#include <string>
#include <vector>

#include "data/settings.hpp"
#include "orbit/element_set.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// One row of the "Satelites" list: the columns "Satellite", "Cat #",
// "Element #", "Epoch", "In file #", and its check box.
struct SatelliteRow {
    std::string name;
    std::string catalogNumber;
    std::string elementNumber;
    std::string epoch;      // "2008- 9-20 12:25:40 (2.0 days old)"
    std::string slotText;   // "   2"
    int slot = 0;           // catalogue slot the row shows
    double epochJulianDate = 0.0;
    bool checked = false;
};

struct SatelliteForm {
    std::string count;                 // "Number of satelites"
    std::vector<SatelliteRow> rows;    // last loaded set first
    std::string filter;                // "Find": the rows it matches are shown
    // The rows as the list shows them from the top (indices into `rows`),
    // after a sort; empty while the list is in the order of `rows`.
    std::vector<int> listOrder;
    int highlightedRow = -1;           // index into `rows`, -1 none
    bool selectClearsNext = true;      // what the next "Select" press does without a filter
};

// Fills the list in reverse slot order; a row is checked when its slot is
// selected. `now` is the simulation clock's Julian date, for the age.
void openSatelliteDialog(SatelliteForm& form, const SatelliteCatalog& catalog, double now);

// The filter above the list: a row is shown when its name or catalogue number
// contains the text, letters in either case; an empty filter shows every row.
bool satelliteRowShown(const SatelliteRow& row, const std::string& filter);

// "Select". Without a filter it clears every box and every flag, the next
// press sets them all again, and so on. With a filter it acts on the rows
// shown: it makes them the whole selection (their boxes set, every other
// cleared), or, when they already are, clears them. Each press makes slot 0
// current.
void toggleSatelliteSelection(SatelliteForm& form, SatelliteCatalog& catalog);

// OK: the checked rows, shown or hidden, become the selection, and the last
// checked row the list shows becomes current (the highlighted row instead, if
// it is shown and checked; with no shown row checked `current` stays). Then
// the current satellite is loaded with its frequencies. Cancel is not calling
// this.
void acceptSatelliteDialog(const SatelliteForm& form, SatelliteCatalog& catalog,
                           const ProgramFolder& folder, Settings& settings);

}  // namespace vantrek
