#include "ui/dialogs/download_dialog.hpp"

#include "data/download_categories.hpp"
#include "data/downloaded_sets.hpp"
#include "orbit/catalogue_files.hpp"
#include "orbit/current_satellite.hpp"

namespace vantrek {

void openDownloadDialog(DownloadForm& form, const Settings& settings) {
    form.categories.clear();
    for (const DownloadCategoryRow& category : kDownloadCategories) form.categories.push_back(category.caption);
    form.selectedRow = kDefaultCategoryRow;
    form.server = serverHomePage(settings.TLE_Url);
    if (form.server.empty()) form.server = settings.TLE_Url;
    form.log.clear();
}

void applyDownloadedCategory(AppState& state, SettingsStore& store, const DownloadedCategory& category) {
    readDownloadedSets(state.catalog, category.answer);
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
