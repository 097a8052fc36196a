#include "ui/pending_integration.hpp"

namespace vantrek::pending {

void LoadSettings(AppState&, const MainWindowServices&) {}
void ReopenLastFile(AppState&, const MainWindowServices&) {}
bool OpenElementFile(AppState&, const MainWindowServices&, const std::string&) { return false; }
void ReadSelection(AppState&, const MainWindowServices&) {}
void WriteSelection(const AppState&, const MainWindowServices&) {}
void StoreLastFileIfAny(AppState&, const MainWindowServices&) {}
void ToggleSettingFlag(AppState&, int) {}
void LookUpFrequencies(AppState&) {}
void ToggleGpsReading(AppState&) {}
void GpsGiveUpCheck(AppState&, const MainWindowServices&) {}
void AutoCompass(AppState&) {}
void TakeSpaceViewSnapshot(AppState&) {}
void StopGpsReader(AppState&) {}

}  // namespace vantrek::pending
