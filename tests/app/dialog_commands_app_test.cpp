#include "app/main_window.hpp"

#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "app/qt_settings_store.hpp"
#include "ui/command_ids.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

// Sat select, Settings, Predict and the Settings menu's Position, GPS settings
// Time dialog and Radio and rotator open their dialogs from the menu and the toolbar, and the main window's clock goes on ticking behind them.
TEST(DialogCommands, OpenTheirDialogsWhileTheClockTicksBehind) {
    QTemporaryDir folder;
    QTemporaryDir config;
    RecordingMessageSink sink;
    MainWindowOptions options;
    options.programFolder = folder.path().toStdString();
    options.messages = &sink;
    options.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
    MainWindow window(std::move(options));
    window.show();
    window.tick();

    std::vector<std::string> titles;
    double before = 0.0, after = 0.0;
    const auto closeWhenOpen = [&](bool waitForATick) {
        QTimer::singleShot(0, [&, waitForATick] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            titles.push_back(dialog->windowTitle().toStdString());
            if (waitForATick) {
                before = window.state().clock.currentDate;
                QTest::qWait(window.state().timerPeriodMs + 300);
                after = window.state().clock.currentDate;
            }
            dialog->close();
        });
    };
    closeWhenOpen(false);
    window.menuAction(CmdSettings)->trigger();
    closeWhenOpen(false);
    window.toolbarAction(CmdSatSelect)->trigger();
    closeWhenOpen(true);
    window.toolbarAction(CmdPredict)->trigger();
    for (int command : {CmdSetPosition, CmdGpsSettings, CmdTimeDialog, CmdStationSettings}) {
        closeWhenOpen(false);
        window.menuAction(command)->trigger();
    }

    EXPECT_EQ(titles, (std::vector<std::string>{"Settings", "Satelites", "Predict window", "Position",
                                                "GPS settings", "Time dialog", "Radio and rotator"}));
    EXPECT_GT(after, before);
}

}  // namespace
