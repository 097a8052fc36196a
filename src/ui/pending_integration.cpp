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
int32_t GpsCompassSetting(const AppState&) { return 1; }
uint32_t GpsPortSetting(const AppState&) { return 0; }
uint32_t GpsSpeedSetting(const AppState&) { return 0; }
int32_t PlanetsSetting(const AppState&) { return 0; }
int32_t EngineSetting(const AppState&) { return 0; }

}  // namespace vantrek::pending
