#pragma once

#include <cmath>
#include <string>

#include "orbit/element_set.hpp"
#include "ui/app_state.hpp"
#include "ui/display_list.hpp"

namespace vantrek::cli {

// Reads at most `maxBytes` of a file into `bytes`; false when it cannot be opened.
bool readFileBytes(const std::string& path, long maxBytes, std::string& bytes);

// Loads an element-set file in any form with the program's limits; false
// (after a message on standard error) when it cannot be read. Records that
// could not be used are counted on standard error.
bool loadElementFile(const std::string& path, SatelliteCatalog& catalog);

// The same, and false (after a message) when the file holds no set `index`.
bool loadElementFileWithSet(const std::string& path, int index, SatelliteCatalog& catalog);

// Which set and where the observer stands: --index, --lat, --lon and --alt.
struct SiteArguments {
    int index = -1;
    double latitudeDeg = NAN, longitudeDeg = NAN, heightKm = NAN;

    bool complete() const {
        return index >= 0 && std::isfinite(latitudeDeg) && std::isfinite(longitudeDeg) && std::isfinite(heightKm);
    }
    Observer observer() const;  // the coordinates in the program's units
};

// 1 when `arg` is one of the site options and `value` fits it, -1 when it
// does not fit, 0 when `arg` is another option.
int parseSiteOption(const char* arg, const char* value, SiteArguments& site);

// A finite number that is the whole of the text.
bool parseNumber(const char* text, double& value);

// YYYY-MM-DDTHH:MM:SS with an optional fraction of up to three digits, as a
// UTC Julian date; false for anything else or a date the calendar rejects.
bool parseUtcTime(const char* text, double& jd);

// The name of an element set without its trailing blanks.
std::string trimmedName(const ElementSet& set);

// Prints a display list, one command a line, as `vantrek-cli draw` does.
void printDisplayList(const DisplayList& list);

// Prints the display list of the pass chart of the first pass of set `index`
// the search finds in the 24 hours from `jd` (UTC), drawn into `client`
// with times in UTC; with `repeat` > 0 paints that many frames and prints
// only "frames N in S s". Returns the exit status: 2 when there is no pass.
int drawPassChart(AppState& state, int index, double jd, Rect client, long repeat);

}  // namespace vantrek::cli
