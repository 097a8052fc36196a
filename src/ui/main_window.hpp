#pragma once

#include <string>

#include "gps/gps_reader.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"
#include "platform/settings_store.hpp"
#include "station/link_worker.hpp"
#include "ui/app_state.hpp"
#include "ui/command_ids.hpp"

namespace vantrek {

// What the main window's operations need from outside the records. The
// store and the message sink must be given; a program without a GPS reader
// cannot switch GPS reading on.
struct MainWindowServices {
    ProgramFolder folder;            // Select.bol, Help.htm, Frequencies.txt, skins
    SettingsStore* store = nullptr;
    MessageSink* messages = nullptr;
    GpsReader* gpsReader = nullptr;
    StationLink* stationLink = nullptr;  // without one the radio and rotator stay off
};

// Which part of the window to draw again afterwards. The view area is the
// client area without the toolbar (top 31 pixels) and the status bar (bottom
// 26); "erase" clears the background first.
enum class Repaint : uint8_t {
    None,
    ViewArea,
    ViewAreaErase,
    Client,
    ClientErase,
};

// What the window itself has to do for a command: the core cannot show a
// dialog, a file chooser or a browser, restart a timer or close the window.
enum class ShellAction : uint8_t {
    None,
    AboutBox,
    ChooseElementFile,  // then OpenChosenElementFile with the path, unless cancelled
    OpenHelp,           // open CommandOutcome::helpPath with the desktop's browser
    RestartTimer,       // with AppState::timerPeriodMs
    DestroyWindow,
    GpsSettingsDialog,
    SettingsDialog,
    PredictDialog,
    PositionDialog,
    DownloadDialog,
    TimeDialog,
    SelectionDialog,
    StationDialog,      // "Radio and rotator"
};

struct CommandOutcome {
    bool handled = false;          // false: not a command of the table
    Repaint repaint = Repaint::None;
    ShellAction action = ShellAction::None;
    bool clearSignalMap = false;   // clear the top-left 500 x 500 of the signal map to black
    std::string helpPath;
};

// Runs one menu, toolbar or accelerator command.
CommandOutcome RunCommand(AppState& state, const MainWindowServices& services, int command);

// After the file chooser of CmdOpen: loads the file (with its messages, the
// Iridium rule, the frequencies and the last-file setting), names it in the
// status bar and resets the view. Repaint the client area with erase
// afterwards, whatever happened.
void OpenChosenElementFile(AppState& state, const MainWindowServices& services,
                           const std::string& path);

// Keys by their virtual-key codes.
enum KeyCode : int {
    KeyEnter = 13,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
};

Repaint KeyPressed(AppState& state, const MainWindowServices& services, int key);
Repaint KeyReleased(AppState& state, int key);

// Which buttons a mouse move reports: only the left, only the right (no other
// button and no Shift or Ctrl), or anything else.
enum class DragButtons : uint8_t { None, OnlyLeft, OnlyRight, Other };

Repaint LeftButtonDown(AppState& state, MousePoint point);
Repaint MouseMove(AppState& state, MousePoint point, DragButtons buttons);
Repaint LeftButtonUp(AppState& state);

// Local and UTC calendar hour of the system clock at one instant.
struct CalendarHour {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
};

// Local time minus UTC in days, a whole number of hours; 0 when either date
// cannot be converted.
double LocalTimeOffsetFrom(const CalendarHour& local, const CalendarHour& utc);

// Start-up, first part (before the drawing resources are made): the defaults
// and the placeholder element set in slot 0.
void StartUpDefaults(AppState& state);

// Start-up, second part (after the drawing resources): settings (the
// observer and the current index with them), the last file, the local time
// offset, the view matrices and the saved selection.
void StartUpLoad(AppState& state, const MainWindowServices& services, const CalendarHour& local,
                 const CalendarHour& utc);

// One timer tick: the GPS give-up check, the clock, the radio and the rotator,
// the auto compass, the space view's snapshot, the age of the element sets in
// view and the tick counter. Afterwards the status bar and
// the view area are drawn again.
void Tick(AppState& state, const MainWindowServices& services, double systemJulianDate);

// The auto compass: while GPS reading is on and the receiver moves faster than
// 1 km/h, the sky chart is turned so that the course points up.
void ApplyAutoCompass(ViewMatrix& view, const GpsFix& gps, int32_t gpsCompass, int32_t snToNs);

// Every paint: a GPS fix with a latitude and a longitude that are both
// non-zero replaces the observer's position (and a non-zero altitude its
// height), and the settings' copy with it.
void TakeObserverFromGps(AppState& state);

// Closing the window by any means: stops the GPS reader and waits for it, and
// stops the radio and rotator link (nothing is parked).
// Select.bol is not written here; only Exit writes it.
void CloseMainWindow(AppState& state, const MainWindowServices& services);

}  // namespace vantrek
