#include "ui/command_tables.hpp"

namespace vantrek {

namespace {

const MenuItem kFileItems[] = {
    {"Open", CmdOpen},
    {"Get last TLE", CmdGetLastTle},
    {"E&xit", CmdExit},
};

const MenuItem kSettingsItems[] = {
    {"GPS settings", CmdGpsSettings},
    {"Settings", CmdSettings},
    {"Set position", CmdSetPosition},
    {"Time dialog", CmdTimeDialog},
    {"Radio and rotator", CmdStationSettings},
};

const MenuItem kWindowItems[] = {
    {"GPS status", CmdGpsStatus}, {"test", CmdInfoPanel},       {"Plot sky", CmdPlotSky},
    {"Plot space", CmdPlotSpace}, {"Space view", CmdSpaceView},
};

const MenuItem kHelpItems[] = {
    {"Help", CmdHelp},
    {"&About ...", CmdAbout},
};

}  // namespace

const MenuEntry kMainMenu[kMenuEntryCount] = {
    {"&File", 0, kFileItems, 3},
    {"Sat select", CmdSatSelect, nullptr, 0},
    {"Predict", CmdPredict, nullptr, 0},
    {"Settings", 0, kSettingsItems, 5},
    {"Window", 0, kWindowItems, 5},
    {"Help", 0, kHelpItems, 2},
};

const ToolbarEntry kToolbar[kToolbarEntryCount] = {
    {CmdOpen, 0, "Open file with TLE data"},
    {CmdGetLastTle, 1, "Update TLE data from internet"},
    {0, 0, nullptr},
    {CmdPlotSky, 2, "Show sky mode"},
    {CmdPlotSpace, 3, "Show space mode"},
    {CmdMapView, 4, "Show map mode"},
    {CmdGpsStatus, 5, "Shwo GPS mode"},
    {CmdInfoPanel, 6, "Alternative view of sky"},
    {0, 0, nullptr},
    {CmdPredict, 7, "Prediction window"},
    {CmdSatSelect, 8, "Select satellite from list"},
    {CmdSlower, 9, "empty"},
    {CmdRealTime, 10, "empty"},
    {CmdFaster, 11, nullptr},
    {0, 0, nullptr},
    {CmdNextShown, 12, nullptr},
    {CmdPreviousShown, 13, nullptr},
    {0, 0, nullptr},
    {CmdGpsOnOff, 14, nullptr},
    {0, 0, nullptr},
};

const Accelerator kAccelerators[kAcceleratorCount] = {
    {'r', CmdToggleRefraction}, {'p', CmdToggleShowAllPaths}, {'s', CmdToggleSwapNorthSouth},
    {'x', CmdToggleEngine},     {'f', CmdFastTimer},          {'g', CmdSlowTimer},
    {'/', CmdAbout},            {'?', CmdAbout},
};

int AcceleratorCommand(char character) {
    for (const Accelerator& a : kAccelerators)
        if (a.character == character) return a.command;
    return 0;
}

}  // namespace vantrek
