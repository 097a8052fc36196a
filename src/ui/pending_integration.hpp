#pragma once

// Steps of the main window whose code belongs to parts of the program that
// are still being built. Each is a no-op that names what plugs in there; the
// main window already calls every one of them at the right moment.

#include <string>

#include "ui/main_window.hpp"

namespace vantrek::pending {

// Settings store: make sure the key exists, then load every value.
void LoadSettings(AppState& state, const MainWindowServices& services);
// Catalogue files: reopen Last_Open with openElementSetFile and apply the
// start-up Iridium rule (lower-case "iridium" only; otherwise clear `flares`).
void ReopenLastFile(AppState& state, const MainWindowServices& services);
// Catalogue files: the Open command after the file chooser (load, counts and
// messages, Iridium rule with either case, currentSet, frequencies, Last_Open).
bool OpenElementFile(AppState& state, const MainWindowServices& services, const std::string& path);
// Catalogue files: readSelection / writeSelection of Select.bol.
void ReadSelection(AppState& state, const MainWindowServices& services);
void WriteSelection(const AppState& state, const MainWindowServices& services);
// Settings store: StoreLastFile when Last_Open is not empty.
void StoreLastFileIfAny(AppState& state, const MainWindowServices& services);
// Settings: toggle flag_refraction (Alt+r), SNtoNS (Alt+s) or s4_s8 (Alt+x).
void ToggleSettingFlag(AppState& state, int command);
// Frequencies: look up the up- and downlink of currentSet's catalogue number.
void LookUpFrequencies(AppState& state);
// Settings: GPSCompass, GPSPort and GPSSpeed (until then their defaults 1, 0, 0).
int32_t GpsCompassSetting(const AppState& state);
uint32_t GpsPortSetting(const AppState& state);
uint32_t GpsSpeedSetting(const AppState& state);
// Settings: Flag_planets and s4_s8 (until then 0, 0).
int32_t PlanetsSetting(const AppState& state);
int32_t EngineSetting(const AppState& state);

}  // namespace vantrek::pending
