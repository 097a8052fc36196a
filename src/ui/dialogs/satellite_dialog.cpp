#include "ui/dialogs/satellite_dialog.hpp"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "astro/julian_date.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

std::string epochText(double jd, double now) {
    const CalendarInstant c = CalendarInstantFromJulian(jd);
    char text[204];
    std::snprintf(text, sizeof text, "%d-%2d-%2d %2d:%2.2d:%2.2d (%3.1f days old)", c.year, c.month,
                  c.day, c.hour, c.minute, c.second, now - jd);
    return text;
}

// Sets one row's box and its slot's flag.
void setRow(SatelliteRow& row, SatelliteCatalog& catalog, bool on) {
    row.checked = on;
    if (row.slot >= 0 && row.slot < loadedSatelliteCount(catalog)) catalog.selected[row.slot] = on ? 1 : 0;
}

void setEveryFlag(SatelliteForm& form, SatelliteCatalog& catalog, bool on) {
    for (SatelliteRow& row : form.rows) row.checked = on;
    const int count = loadedSatelliteCount(catalog);
    for (std::size_t i = 0; i < catalog.selected.size(); ++i)
        catalog.selected[i] = on && i < static_cast<std::size_t>(count) ? 1 : 0;
}

// The rows from the top of the list down, as indices into form.rows.
std::vector<int> listedRows(const SatelliteForm& form) {
    if (form.listOrder.size() == form.rows.size()) return form.listOrder;
    std::vector<int> order(form.rows.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    return order;
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
    form.rows.reserve(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i) {
        const ElementSet& set = catalog.entries[i];
        SatelliteRow& row = form.rows.emplace_back();
        row.name.assign(set.name, std::find(set.name, set.name + sizeof set.name, '\0'));
        row.catalogNumber = std::to_string(set.catalogNumber);
        row.elementNumber = std::to_string(set.elementNumber);
        row.epochJulianDate = JulianDateFromEpoch(set.epoch);
        row.epoch = epochText(row.epochJulianDate, now);
        char slot[16];
        std::snprintf(slot, sizeof slot, "%4d", i);
        row.slotText = slot;
        row.slot = i;
        row.checked = catalog.selected[i] == 1;
    }
}

void toggleSatelliteSelection(SatelliteForm& form, SatelliteCatalog& catalog) {
    catalog.current = 0;
    if (form.filter.empty()) {
        setEveryFlag(form, catalog, !form.selectClearsNext);
        form.selectClearsNext = !form.selectClearsNext;
        return;
    }
    bool alreadyTheSelection = true;
    for (const SatelliteRow& row : form.rows)
        alreadyTheSelection = alreadyTheSelection && row.checked == satelliteRowShown(row, form.filter);
    for (SatelliteRow& row : form.rows)
        setRow(row, catalog, !alreadyTheSelection && satelliteRowShown(row, form.filter));
}

void acceptSatelliteDialog(const SatelliteForm& form, SatelliteCatalog& catalog,
                           const ProgramFolder& folder, Settings& settings) {
    std::fill(catalog.selected.begin(), catalog.selected.end(), 0);
    const int count = loadedSatelliteCount(catalog);
    for (const SatelliteRow& row : form.rows) {
        if (row.checked && row.slot >= 0 && row.slot < count) catalog.selected[row.slot] = 1;
    }
    // Only a row the user can see becomes current.
    auto eligible = [&](int index) {
        if (index < 0 || index >= static_cast<int>(form.rows.size())) return false;
        const SatelliteRow& row = form.rows[static_cast<std::size_t>(index)];
        return row.checked && row.slot >= 0 && row.slot < count && satelliteRowShown(row, form.filter);
    };
    for (const int index : listedRows(form)) {
        if (eligible(index)) catalog.current = form.rows[static_cast<std::size_t>(index)].slot;
    }
    if (eligible(form.highlightedRow)) catalog.current = form.rows[static_cast<std::size_t>(form.highlightedRow)].slot;
    loadCurrentSatellite(catalog, folder, settings);
}

bool satelliteRowShown(const SatelliteRow& row, const std::string& filter) {
    return containsIgnoringCase(row.name, filter) || containsIgnoringCase(row.catalogNumber, filter);
}

}  // namespace vantrek
