#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/observer.hpp"
#include "data/settings.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

// The "Position" dialog. It edits the observer's position and keeps the
// settings' copy (Lat, Lon, Alt) equal to it.
struct PositionForm {
    std::vector<std::string> locations;  // "from GPS", then the places of Cities.loc
    int selectedRow = -1;                // -1 none
    std::string latitude;                // "Lat(N) [deg]"
    std::string longitude;               // "Lon(E) [deg]"
    std::string altitude;                // "Alt [m]"
    std::string eciX, eciY, eciZ, eciR;  // read-only results of Calculate, km
};

// Lists the places of Cities.loc, reloads the settings (the stored position
// becomes the observer's) and preselects the stored row ("Can't read registry
// entries!" and row 0 when the settings key cannot be opened), and shows the
// position in degrees and metres. Without the file the list stays empty.
void openPositionDialog(PositionForm& form, const ProgramFolder& folder, const SettingsStore& store,
                        Settings& settings, Observer& observer, MessageSink& messages);

// A row chosen: row 0 takes the GPS position when a port is set and the fix is
// 3-D (fixMode 3); any other row takes its line of Cities.loc, numbers as
// written. Otherwise nothing changes. The position itself is not changed.
void choosePositionRow(PositionForm& form, int row, const ProgramFolder& folder,
                       const Settings& settings, double gpsLatitudeDeg, double gpsLongitudeDeg,
                       double gpsAltitudeM, int32_t gpsFixMode);

// "Calculate": the edits become the position at once (an edit replaced by 0
// shows 0.000000), and the observer's inertial position at `julianDate` is
// shown: its length and x, y, z in km.
void calculatePosition(PositionForm& form, Settings& settings, Observer& observer, double julianDate);

// OK: the edits become the position (a latitude or longitude outside
// -360..360 degrees, an altitude outside -2000..20000 m, or text that is not a
// number counts as 0) and are stored with the selected row. Cancel is not
// calling this; a position set by Calculate stays.
void acceptPositionDialog(const PositionForm& form, Settings& settings, Observer& observer,
                          SettingsStore& store);

}  // namespace vantrek
