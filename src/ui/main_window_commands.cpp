#include "ui/main_window.hpp"

#include "orbit/catalogue_files.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/selection_file.hpp"

namespace vantrek {

namespace {

CommandOutcome outcome(Repaint repaint, ShellAction action = ShellAction::None) {
    CommandOutcome result;
    result.handled = true;
    result.repaint = repaint;
    result.action = action;
    return result;
}

CommandOutcome showView(AppState& state, ViewMode mode, Repaint repaint) {
    state.viewMode = mode;
    return outcome(repaint);
}

// 1 becomes 0, anything else becomes 1.
void toggle(int32_t& flag) { flag = flag == 1 ? 0 : 1; }

// Exit saves the selection and, when a file was opened, the last file; closing
// the window any other way saves neither.
CommandOutcome exitProgram(AppState& state, const MainWindowServices& services) {
    writeSelection(services.folder, state.catalog, *services.messages);
    if (!state.settings.Last_Open.empty())
        StoreLastFile(*services.store, state.settings, state.catalog.current);
    return outcome(Repaint::None, ShellAction::DestroyWindow);
}

CommandOutcome openHelp(const MainWindowServices& services) {
    CommandOutcome result = outcome(Repaint::ClientErase, ShellAction::OpenHelp);
    if (!programFilePath(services.folder, "Help.htm", result.helpPath)) {
        services.messages->showMessage("Incorrect Vantrek pragram path!", "", MessageIcon::Error);
        result.action = ShellAction::None;
    }
    return result;
}

CommandOutcome restartTimer(AppState& state, int periodMs) {
    state.timerPeriodMs = periodMs;
    return outcome(Repaint::None, ShellAction::RestartTimer);
}

// The toolbar's next and previous: the index only, no working set, no frequencies.
CommandOutcome stepShown(AppState& state, bool next) {
    const int found = next ? findNextSelected(state.catalog) : findPreviousSelected(state.catalog);
    if (found >= 0) {
        state.catalog.current = found;
        state.pickLatch = 0;
    }
    return outcome(Repaint::None);
}

// Switching on starts (or wakes) the reader with the port and speed settings;
// without a reader nothing can be read, so nothing is switched on.
void toggleGpsReading(AppState& state, const MainWindowServices& services) {
    if (state.gps.trackingEnabled) {
        SwitchTrackingOff(state.gps);
    } else if (services.gpsReader) {
        SwitchTrackingOn(state.gps, *services.gpsReader, static_cast<uint32_t>(state.settings.GPSPort),
                         static_cast<uint32_t>(state.settings.GPSSpeed));
    }
}

}  // namespace

CommandOutcome RunCommand(AppState& state, const MainWindowServices& services, int command) {
    Settings& settings = state.settings;
    switch (command) {
        case CmdAbout: return outcome(Repaint::None, ShellAction::AboutBox);
        case CmdExit: return exitProgram(state, services);
        case CmdMapView: return showView(state, ViewMode::Map, Repaint::ClientErase);
        case CmdFaster: ClockFaster(state.clock); return outcome(Repaint::Client);
        case CmdSlower: ClockSlower(state.clock); return outcome(Repaint::Client);
        case CmdRealTime: ClockRealTime(state.clock); return outcome(Repaint::Client);
        case CmdGpsSettings: return outcome(Repaint::ClientErase, ShellAction::GpsSettingsDialog);
        case CmdInfoPanel: return showView(state, ViewMode::InfoPanel, Repaint::ClientErase);
        case CmdOpen:
            // The current satellite and the Iridium flag change only when a
            // chosen file yields sets: Cancel, or a file without sets, keeps them.
            state.pickLatch = 0;
            return outcome(Repaint::ClientErase, ShellAction::ChooseElementFile);
        case CmdGpsStatus: return showView(state, ViewMode::GpsStatus, Repaint::Client);
        case CmdSettings: return outcome(Repaint::ClientErase, ShellAction::SettingsDialog);
        case CmdPredict: return outcome(Repaint::ClientErase, ShellAction::PredictDialog);
        case CmdSetPosition: return outcome(Repaint::ClientErase, ShellAction::PositionDialog);
        case CmdGetLastTle: return outcome(Repaint::ClientErase, ShellAction::DownloadDialog);
        case CmdPlotSky: {
            CommandOutcome result = showView(state, ViewMode::Sky, Repaint::ClientErase);
            result.clearSignalMap = state.signalMap != 0;
            ResetViewMatrix(state.viewMatrix);
            return result;
        }
        case CmdPlotSpace:
            ResetViewMatrix(state.viewMatrix);
            return showView(state, ViewMode::Space, Repaint::ClientErase);
        case CmdTimeDialog: return outcome(Repaint::ClientErase, ShellAction::TimeDialog);
        case CmdStationSettings: return outcome(Repaint::ClientErase, ShellAction::StationDialog);
        case CmdSatSelect: return outcome(Repaint::ClientErase, ShellAction::SelectionDialog);
        case CmdSpaceView: return outcome(Repaint::None);
        case CmdHelp: return openHelp(services);
        case CmdToggleRefraction: toggle(settings.flag_refraction); return outcome(Repaint::None);
        case CmdToggleSwapNorthSouth: toggle(settings.SNtoNS); return outcome(Repaint::None);
        case CmdToggleEngine: toggle(settings.s4_s8); return outcome(Repaint::None);
        case CmdToggleShowAllPaths: toggle(settings.showAllPaths); return outcome(Repaint::None);
        case CmdFastTimer: return restartTimer(state, 50);
        case CmdSlowTimer: return restartTimer(state, 1000);
        case CmdNextShown: return stepShown(state, true);
        case CmdPreviousShown: return stepShown(state, false);
        case CmdGpsOnOff: toggleGpsReading(state, services); return outcome(Repaint::None);
        default: return CommandOutcome{};
    }
}

void OpenChosenElementFile(AppState& state, const MainWindowServices& services,
                           const std::string& path) {
    if (!openElementSetCommand(path, state.catalog, state.settings, *services.store, services.folder,
                               *services.messages, state.iridiumCatalogue))
        return;
    state.fileDisplayName = fileBaseName(path);
    ResetViewMatrix(state.viewMatrix);
}

}  // namespace vantrek
