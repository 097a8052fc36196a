#include "ui/dialogs/satellite_dialog.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "astro/julian_date.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

std::string epochText(double epoch, double now) {
    const double jd = JulianDateFromEpoch(epoch);
    const CalendarInstant c = CalendarInstantFromJulian(jd);
    char text[204];
    std::snprintf(text, sizeof text, "%d-%2d-%2d %2d:%2.2d:%2.2d (%3.1f days old)", c.year, c.month,
                  c.day, c.hour, c.minute, c.second, now - jd);
    return text;
}

void setEveryFlag(SatelliteForm& form, SatelliteCatalog& catalog, bool on) {
    for (SatelliteRow& row : form.rows) row.checked = on;
    const int count = loadedSatelliteCount(catalog);
    for (std::size_t i = 0; i < catalog.selected.size(); ++i)
        catalog.selected[i] = on && i < static_cast<std::size_t>(count) ? 1 : 0;
}

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

}  // namespace

void openSatelliteDialog(SatelliteForm& form, const SatelliteCatalog& catalog, double now) {
    const int count = loadedSatelliteCount(catalog);
    form = SatelliteForm();
    form.count = std::to_string(catalog.count);
    for (int i = count - 1; i >= 0; --i) {
        const ElementSet& set = catalog.entries[i];
        SatelliteRow row;
        row.name.assign(set.name, std::find(set.name, set.name + sizeof set.name, '\0'));
        row.catalogNumber = std::to_string(set.catalogNumber);
        row.elementNumber = std::to_string(set.elementNumber);
        row.epoch = epochText(set.epoch, now);
        char slot[16];
        std::snprintf(slot, sizeof slot, "%4d", i);
        row.slotText = slot;
        row.slot = i;
        row.checked = catalog.selected[i] == 1;
        form.rows.push_back(row);
    }
}

void toggleSatelliteSelection(SatelliteForm& form, SatelliteCatalog& catalog) {
    setEveryFlag(form, catalog, !form.selectClearsNext);
    form.selectClearsNext = !form.selectClearsNext;
    catalog.current = 0;
}

void acceptSatelliteDialog(const SatelliteForm& form, SatelliteCatalog& catalog,
                           const ProgramFolder& folder, Settings& settings) {
    std::fill(catalog.selected.begin(), catalog.selected.end(), 0);
    const int count = loadedSatelliteCount(catalog);
    for (const SatelliteRow& row : form.rows) {
        if (!row.checked || row.slot < 0 || row.slot >= count) continue;
        catalog.selected[row.slot] = 1;
        catalog.current = row.slot;
    }
    if (form.highlightedRow >= 0 && form.highlightedRow < static_cast<int>(form.rows.size())) {
        const SatelliteRow& row = form.rows[form.highlightedRow];
        if (row.checked && row.slot >= 0 && row.slot < count) catalog.current = row.slot;
    }
    loadCurrentSatellite(catalog, folder, settings);
}

bool satelliteRowShown(const SatelliteRow& row, const std::string& filter) {
    return containsIgnoringCase(row.name, filter) || containsIgnoringCase(row.catalogNumber, filter);
}

}  // namespace vantrek
