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
    bool checked = false;
};

struct SatelliteForm {
    std::string count;                 // "Number of satelites"
    std::vector<SatelliteRow> rows;    // last loaded set first
    int highlightedRow = -1;           // -1 none
    bool selectClearsNext = true;      // what the next "Select" press does
};

// Fills the list in reverse slot order; a row is checked when its slot is
// selected. `now` is the simulation clock's Julian date, for the age.
void openSatelliteDialog(SatelliteForm& form, const SatelliteCatalog& catalog, double now);

// "Select": clears every box and every flag, the next press sets them all
// again, and so on; each press makes slot 0 current.
void toggleSatelliteSelection(SatelliteForm& form, SatelliteCatalog& catalog);

// OK: the checked rows become the selection and the last checked row in list
// order becomes current (the highlighted row instead, if it is checked; with
// nothing checked `current` stays). Then the current satellite is loaded with
// its frequencies. Cancel is not calling this.
void acceptSatelliteDialog(const SatelliteForm& form, SatelliteCatalog& catalog,
                           const ProgramFolder& folder, Settings& settings);

// The filter above the list: a row is shown when its name or catalogue number
// contains the text, letters in either case; an empty filter shows every row.
bool satelliteRowShown(const SatelliteRow& row, const std::string& filter);

}  // namespace vantrek
