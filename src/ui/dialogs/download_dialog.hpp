#pragma once

#include <string>
#include <vector>

#include "data/element_set_download.hpp"
#include "platform/program_folder.hpp"
#include "platform/settings_store.hpp"
#include "ui/app_state.hpp"

namespace vantrek {

// The "Get last TLE" dialog.
struct DownloadForm {
    std::vector<std::string> categories;  // the captions, in table order
    int selectedRow = -1;
    std::string server;                   // the label naming the server: its home page
    std::string url;                      // the URL template, editable
    std::string log;                      // the read-only log
};

// The captions with "International Space Station" selected, and the
// server of the TLE_Url template.
void openDownloadDialog(DownloadForm& form, const Settings& settings);

// Before a download: an edited template becomes TLE_Url and is stored (an
// empty one brings back the default), and the label names its server.
void takeElementSetUrl(DownloadForm& form, Settings& settings, SettingsStore& store);

// On the interface thread, for each category a download hands over: the sets
// replace the catalogue (slot 0 becomes current when the current slot is
// past the new count), the view orientation is reset, the status bar names
// the file, and a copy saved whole becomes the last file. After "Download"
// the Iridium row marks the catalogue as Iridium sets; any other row clears
// the mark and switches flare prediction off.
void applyDownloadedCategory(AppState& state, SettingsStore& store, const DownloadedCategory& category);

// "ok" or the close box: the current satellite is loaded with its frequencies.
void closeDownloadDialog(AppState& state, const ProgramFolder& folder);

}  // namespace vantrek
