#include "ui/dialogs/position_dialog.hpp"

#include "astro/constants.hpp"
#include "data/locations_file.hpp"
#include "ui/dialog_numbers.hpp"

namespace vantrek {

namespace {

constexpr double kMaxAngleDeg = 360.0;
constexpr double kLowestAltitudeM = -2000.0;
constexpr double kHighestAltitudeM = 20000.0;
constexpr int32_t kFixMode3D = 3;

bool locationsPath(const ProgramFolder& folder, std::string& path, MessageSink* messages) {
    if (programFilePath(folder, "Cities.loc", path)) return true;
    if (messages != nullptr) messages->showMessage("Incorrect Quorle pragram path!", "", MessageIcon::Error);
    return false;
}

// The number in an edit, or 0 when it is not one or lies outside low..high;
// `text` then shows 0.000000 if `writeBack` is set.
double readRangedEdit(std::string& text, double low, double high, bool writeBack) {
    const double value = readDialogNumber(text);
    if (value >= low && value <= high) return value;
    if (writeBack) text = writeDialogNumber(0.0);
    return 0.0;
}

void showPosition(PositionForm& form, const Observer& observer) {
    form.latitude = writeDialogNumber(observer.latitude / kDegree);
    form.longitude = writeDialogNumber(observer.longitude / kDegree);
    form.altitude = writeDialogNumber(observer.height * 1000.0);
}

// The three edits become the position of the observer and of the settings.
void readPositionEdits(PositionForm& form, Settings& settings, Observer& observer, bool writeBack) {
    const double latitude = readRangedEdit(form.latitude, -kMaxAngleDeg, kMaxAngleDeg, writeBack);
    const double longitude = readRangedEdit(form.longitude, -kMaxAngleDeg, kMaxAngleDeg, writeBack);
    const double altitude = readRangedEdit(form.altitude, kLowestAltitudeM, kHighestAltitudeM, writeBack);
    observer.latitude = settings.Lat = latitude * kDegree;
    observer.longitude = settings.Lon = longitude * kDegree;
    observer.height = settings.Alt = altitude / 1000.0;
}

}  // namespace

void openPositionDialog(PositionForm& form, const ProgramFolder& folder, const SettingsStore& store,
                        Settings& settings, Observer& observer, MessageSink& messages) {
    form = PositionForm();
    std::string path;
    std::vector<std::string> names;
    if (!locationsPath(folder, path, &messages) || !readLocationNames(path, names)) {
        // Without the file there is nothing to choose, but the edits still show
        // the position, so OK keeps it instead of storing 0, 0, 0.
        showPosition(form, observer);
        return;
    }
    form.locations.push_back("from GPS");
    form.locations.insert(form.locations.end(), names.begin(), names.end());

    int32_t row = LoadSettings(store, settings);
    if (row == -1) {
        messages.showMessage("Can't read registry entries!", "", MessageIcon::Error);
        row = 0;
    } else {
        observer.latitude = settings.Lat;
        observer.longitude = settings.Lon;
        observer.height = settings.Alt;
    }
    form.selectedRow = row < static_cast<int32_t>(form.locations.size()) ? row : 0;
    showPosition(form, observer);
}

void choosePositionRow(PositionForm& form, int row, const ProgramFolder& folder,
                       const Settings& settings, double gpsLatitudeDeg, double gpsLongitudeDeg,
                       double gpsAltitudeM, int32_t gpsFixMode) {
    form.selectedRow = row;
    if (row == 0) {
        if (settings.GPSPort >= 1 && settings.GPSPort <= 11 && gpsFixMode == kFixMode3D) {
            form.latitude = writeDialogNumber(gpsLatitudeDeg);
            form.longitude = writeDialogNumber(gpsLongitudeDeg);
            form.altitude = writeDialogNumber(gpsAltitudeM);
        }
        return;
    }
    std::string path;
    LocationLine line;
    if (!locationsPath(folder, path, nullptr) || !readLocationLine(path, row, line)) return;
    form.latitude = line.latitude;
    form.longitude = line.longitude;
    form.altitude = line.altitude;
}

void calculatePosition(PositionForm& form, Settings& settings, Observer& observer, double julianDate) {
    readPositionEdits(form, settings, observer, true);
    Vector4 position;
    Vector4 velocity;
    ObserverEci(julianDate, observer, position, velocity);
    form.eciX = writeDialogNumber(position.x);
    form.eciY = writeDialogNumber(position.y);
    form.eciZ = writeDialogNumber(position.z);
    form.eciR = writeDialogNumber(position.w);
}

void acceptPositionDialog(const PositionForm& form, Settings& settings, Observer& observer,
                          SettingsStore& store) {
    PositionForm edits = form;  // OK leaves the edits as typed
    readPositionEdits(edits, settings, observer, false);
    StoreLocation(store, settings, form.selectedRow >= 0 ? form.selectedRow : 0);
}

}  // namespace vantrek
