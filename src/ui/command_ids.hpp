#pragma once

namespace vantrek {

// The command ids of the menu, the toolbar and the Alt accelerators.
enum CommandId : int {
    CmdAbout = 104,
    CmdExit = 105,
    CmdMapView = 2005,
    CmdFaster = 3008,
    CmdSlower = 3009,
    CmdRealTime = 3010,
    CmdGpsSettings = 32772,
    CmdInfoPanel = 32773,        // menu item "test"
    CmdOpen = 32774,
    CmdGpsStatus = 32776,
    CmdSettings = 32777,
    CmdPredict = 32778,
    CmdSetPosition = 32779,
    CmdGetLastTle = 32780,
    CmdPlotSky = 32781,
    CmdPlotSpace = 32782,
    CmdTimeDialog = 32783,
    CmdSatSelect = 32784,
    CmdSpaceView = 32786,        // menu item with no action
    CmdHelp = 32787,
    CmdToggleRefraction = 32788, // Alt+r
    CmdToggleSwapNorthSouth = 32790,  // Alt+s
    CmdToggleShowAllPaths = 32791,    // Alt+p
    CmdFastTimer = 32793,        // Alt+f: 50 ms ticks
    CmdSlowTimer = 32795,        // Alt+g: 1000 ms ticks
    CmdToggleEngine = 32796,     // Alt+x: SGP8/SDP8 instead of SGP4/SDP4
    CmdNextShown = 32800,
    CmdPreviousShown = 32801,
    CmdGpsOnOff = 32802,
    CmdStationSettings = 32803,  // "Radio and rotator"
};

}  // namespace vantrek
