#include "ui/dialogs/download_dialog.hpp"

#include "data/download_categories.hpp"
#include "data/downloaded_sets.hpp"
#include "orbit/catalogue_files.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

namespace {

void nameServer(DownloadForm& form, const std::string& url) {
    form.url = url;
    form.server = serverHomePage(url);
    if (form.server.empty()) form.server = url;
}

}  // namespace

void openDownloadDialog(DownloadForm& form, const Settings& settings) {
    form.categories.clear();
    for (const DownloadCategoryRow& category : kDownloadCategories) form.categories.push_back(category.caption);
    form.selectedRow = kDefaultCategoryRow;
    nameServer(form, settings.TLE_Url);
    form.log.clear();
}

void takeElementSetUrl(DownloadForm& form, Settings& settings, SettingsStore& store) {
    const std::string url = form.url.empty() ? std::string(kDefaultElementSetUrl) : form.url;
    nameServer(form, url);
    if (url == settings.TLE_Url) return;
    settings.TLE_Url = url;
    StoreElementSetUrl(store, settings);
}

void applyDownloadedCategory(AppState& state, SettingsStore& store, const DownloadedCategory& category) {
    if (category.sets) {
        const SatelliteCatalog& sets = *category.sets;  // read on the worker thread
        state.catalog.entries = sets.entries;
        state.catalog.count = sets.count;
        state.catalog.selected = sets.selected;
    } else {
        readDownloadedSets(state.catalog, category.answer);
    }
    // A smaller catalogue than before: the current slot may be gone.
    if (state.catalog.current < 0 || state.catalog.current >= loadedSatelliteCount(state.catalog))
        state.catalog.current = 0;
    ResetViewMatrix(state.viewMatrix);
    if (category.single) {
        if (category.row == kIridiumCategoryRow) {
            state.iridiumCatalogue = 1;
        } else {
            state.iridiumCatalogue = 0;
            state.settings.flares = 0;
        }
    }
    if (category.savedPath.empty()) return;
    state.fileDisplayName = fileBaseName(category.savedPath);
    state.settings.Last_Open = category.savedPath;
    StoreLastFile(store, state.settings, state.catalog.current);
}

void closeDownloadDialog(AppState& state, const ProgramFolder& folder) {
    loadCurrentSatellite(state.catalog, folder, state.settings);
}

}  // namespace vantrek
