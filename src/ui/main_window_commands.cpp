#include "ui/main_window.hpp"

#include "orbit/catalog_loading.hpp"
#include "ui/pending_integration.hpp"
#include "ui/satellite_stepping.hpp"

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

CommandOutcome exitProgram(AppState& state, const MainWindowServices& services) {
    pending::WriteSelection(state, services);
    pending::StoreLastFileIfAny(state, services);
    return outcome(Repaint::None, ShellAction::DestroyWindow);
}

CommandOutcome openHelp(const MainWindowServices& services) {
    CommandOutcome result = outcome(Repaint::ClientErase, ShellAction::OpenHelp);
    std::string folder = services.programFolder;
    if (folder.empty()) {
        result.action = ShellAction::None;
        result.errorMessage = "Incorrect Vantrek pragram path!";
        return result;
    }
    if (!folder.empty() && folder.back() != '/') folder += '/';
    result.helpPath = folder + "Help.htm";
    return result;
}

CommandOutcome restartTimer(AppState& state, int periodMs) {
    state.timerPeriodMs = periodMs;
    return outcome(Repaint::None, ShellAction::RestartTimer);
}

CommandOutcome stepShown(AppState& state, bool next) {
    const bool found = next ? StepToNextShown(state.catalog) : StepToPreviousShown(state.catalog);
    if (found) state.pickLatch = 0;
    return outcome(Repaint::None);
}

// Switching on starts (or wakes) the reader with the port and speed settings;
// without a reader nothing can be read, so nothing is switched on.
void toggleGpsReading(AppState& state, const MainWindowServices& services) {
    if (state.gps.trackingEnabled) {
        SwitchTrackingOff(state.gps);
    } else if (services.gpsReader) {
        SwitchTrackingOn(state.gps, *services.gpsReader, pending::GpsPortSetting(state),
                         pending::GpsSpeedSetting(state));
    }
}

}  // namespace

CommandOutcome RunCommand(AppState& state, const MainWindowServices& services, int command) {
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
            // Cleared before the chooser opens; they stay cleared on Cancel.
            state.pickLatch = 0;
            state.catalog.current = 0;
            state.iridiumCatalogue = 0;
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
        case CmdSatSelect: return outcome(Repaint::ClientErase, ShellAction::SelectionDialog);
        case CmdSpaceView: return outcome(Repaint::None);
        case CmdHelp: return openHelp(services);
        case CmdToggleRefraction:
        case CmdToggleSwapNorthSouth:
        case CmdToggleEngine:
            pending::ToggleSettingFlag(state, command);
            return outcome(Repaint::None);
        case CmdToggleShowAllPaths:
            state.showAllPaths = state.showAllPaths == 1 ? 0 : 1;
            return outcome(Repaint::None);
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
    if (!pending::OpenElementFile(state, services, path)) return;
    const std::size_t slash = path.find_last_of('/');
    state.fileDisplayName = slash == std::string::npos ? path : path.substr(slash + 1);
    ResetViewMatrix(state.viewMatrix);
}

}  // namespace vantrek
