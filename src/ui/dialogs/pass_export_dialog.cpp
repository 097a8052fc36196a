#include "ui/dialogs/pass_export_dialog.hpp"

#include <cstdio>

#include "observe/pass_export.hpp"

namespace vantrek {

std::vector<PassDetails> PassesOfStoredRows(const AppState& state) {
    std::vector<PassDetails> passes;
    for (int stored = 0; stored < state.predictions.count; ++stored) {
        const PassDetails* pass = PassDetailsOfRow(state.passDetails, state.predictions, stored);
        if (pass != nullptr && pass->valid) passes.push_back(*pass);
    }
    return passes;
}

bool savePredictedPasses(const AppState& state, const std::string& path, double stamp, MessageSink& messages) {
    const std::vector<PassDetails> passes = PassesOfStoredRows(state);
    if (passes.empty()) {
        messages.showMessage(kNoPassesToSaveText, kSavePassesCaption, MessageIcon::Information);
        return false;
    }
    if (SavePassesFile(path, passes, stamp)) return true;
    char text[1024];
    std::snprintf(text, sizeof text, kCantSavePassesText, path.c_str());
    messages.showMessage(text, "", MessageIcon::Error);
    return false;
}

}  // namespace vantrek
