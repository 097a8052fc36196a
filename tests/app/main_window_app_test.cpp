// The real main window's life: start-up, commands from the menu, the toolbar
// and the keys, the help window, every dialog, the old sets' warning bar and
// what the close box and Exit keep.
#include <string>
#include <vector>

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "app/help_window.hpp"
#include "app_test_support.hpp"
#include "astro/julian_date.hpp"
#include "ui/command_tables.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

void settle() {
    QApplication::processEvents();
    QApplication::processEvents();
}

}  // namespace

TEST_F(WindowTest, StartsRunsCommandsFromMenuToolbarAndKeysOpensEveryDialogAndExits) {
    MainWindow& w = start(1000, 640, false);
    settle();
    EXPECT_TRUE(messages.empty());  // every skin was read
    EXPECT_TRUE(w.timer().isActive());

    w.tick();
    EXPECT_GT(state().clock.currentDate, 2451545.0);  // the real clock, after 2000

    // Help in the program's own window; outside links go to the browser, or
    // the user is told the address when none answers.
    QFile::copy(QString(VANTREK_RES_DIR) + "/Help.htm", folder.filePath("Help.htm"));
    w.menuAction(CmdHelp)->trigger();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_EQ(w.helpWindow()->browser()->documentTitle(), "Vantrek help");
    w.helpWindow()->followLink(QUrl("https://celestrak.org/"));
    EXPECT_EQ(opened, std::vector<std::string>{"https://celestrak.org/"});
    browserAnswers = false;
    w.helpWindow()->followLink(QUrl("https://hamlib.github.io/"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, CantOpenPageText("https://hamlib.github.io/"));
    messages.clear();
    w.helpWindow()->close();

    for (int command : {CmdFaster, CmdFaster, CmdSlower, CmdNextShown, CmdPreviousShown, CmdGpsOnOff})
        w.toolbarAction(command)->trigger();
    EXPECT_EQ(state().clock.multiplier, 2.0);
    EXPECT_TRUE(state().gps.trackingEnabled);  // the reader thread started
    w.toolbarAction(CmdGpsOnOff)->trigger();  // switched off, the thread stays until Exit joins it
    EXPECT_FALSE(state().gps.trackingEnabled);
    w.menuAction(CmdPlotSpace)->trigger();  // drawn before its first snapshot, in simulated time
    settle();
    EXPECT_EQ(state().viewMode, ViewMode::Space);
    QTest::keyClick(w.clientArea(), Qt::Key_Return);
    EXPECT_EQ(state().viewMode, ViewMode::InfoPanel);
    w.tick();
    w.statusBarWidget()->repaint();
    // Accelerators come before the File menu's Alt+F mnemonic.
    QTest::keyClick(w.clientArea(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(w.timer().interval(), 50);

    chosenFile.clear();  // Open, then Cancel in the chooser
    w.menuAction(CmdOpen)->trigger();
    EXPECT_EQ(state().catalog.count, 1);

    // The About box and every dialog open modally from the menu or the
    // toolbar; each is closed from inside its loop, and the clock goes on
    // ticking behind the Predict window.
    std::vector<std::string> titles;
    double before = 0.0, after = 0.0;
    const auto closeWhenOpen = [&](bool waitForATick) {
        QTimer::singleShot(0, [&, waitForATick] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            titles.push_back(dialog->windowTitle().toStdString());
            if (waitForATick) {
                before = state().clock.currentDate;
                QTest::qWait(state().timerPeriodMs + 300);
                after = state().clock.currentDate;
            }
            dialog->close();
        });
    };
    for (int command : {CmdAbout, CmdSettings, CmdSetPosition, CmdGpsSettings, CmdTimeDialog, CmdStationSettings}) {
        closeWhenOpen(false);
        w.menuAction(command)->trigger();
    }
    closeWhenOpen(false);
    w.toolbarAction(CmdSatSelect)->trigger();
    closeWhenOpen(true);
    w.toolbarAction(CmdPredict)->trigger();
    EXPECT_EQ(titles, (std::vector<std::string>{"About", "Settings", "Position", "GPS settings",
                                                "Time dialog", "Radio and rotator", "Satelites", "Predict window"}));
    EXPECT_GT(after, before);

    w.menuAction(CmdExit)->trigger();
    settle();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.timer().isActive());
    EXPECT_TRUE(state().gps.exitRequested);  // the reader was stopped on the way out
    // The reader has no port here ("NONE"), so on a slow machine it may give up
    // before Exit; that message is the only one allowed.
    for (const ShownMessage& m : messages) EXPECT_EQ(m.text, "I can't conect to the COM port!");
}

// Started without skins: one message per skin, in loading order, and the
// program still runs. The close box keeps no selection; Exit saves it and the
// next start reopens the file, whose long name with a non-ASCII letter the
// settings file keeps whole.
TEST_F(WindowTest, WithoutSkinsStartUpSaysSoAndRunsCloseBoxKeepsNoSelectionExitSavesIt) {
    const QString name = "Ürsel-" + QString(150, 'x') + ".tle";
    QFile::copy(QString::fromStdString(chosenFile), folder.filePath(name));
    chosenFile = folder.filePath(name).toStdString();
    const QString selection = folder.filePath("Select.bol");
    EXPECT_FALSE(QtSettingsStore(config.filePath("Vantrek/Vantrek.ini")).keyExists());  // until the first start
    MainWindow& w = start(options(false), 640, 480, false);
    ASSERT_EQ(messages.size(), static_cast<std::size_t>(kSkinCount));
    for (int i = 0; i < kSkinCount; ++i) EXPECT_EQ(messages[i].text, kSkinFiles[i].failureMessage);
    w.runCommand(CmdOpen);
    ASSERT_EQ(messages.size(), kSkinCount + 1u);
    EXPECT_EQ(messages.back().caption, "Info");
    w.runCommand(CmdPlotSky);
    w.tick();
    w.grab();  // the views draw without their bitmaps
    w.close();  // the close box
    window.reset();
    EXPECT_FALSE(QFile::exists(selection));

    MainWindow& next = start(640, 480, false);
    EXPECT_EQ(state().catalog.count, 8);
    EXPECT_EQ(state().fileDisplayName, name.toStdString());
    next.menuAction(CmdExit)->trigger();
    EXPECT_EQ(QFileInfo(selection).size(), 1600);
    EXPECT_EQ(messages.size(), kSkinCount + 1u);
}

// Sets far from the clock are no base for predictions: a bar under the
// toolbar says so while the current one, or most shown ones, are old.
TEST_F(WindowTest, OldElementSetsRaiseTheWarningBarAndRecentOnesDoNot) {
    MainWindow& w = start(1280, 800, false);
    state().clock.mode = ClockMode::Stopped;
    state().clock.pausedDate = JulianDateFromCalendar(2026, 12, 7, 20, 0, 0, 0);
    w.runCommand(CmdOpen);  // the 2008 ISS first
    w.runCommand(CmdPlotSky);
    w.tick();
    settle();
    ASSERT_TRUE(w.staleElementsBar()->isVisible());
    EXPECT_EQ(w.staleElementsBar()->findChild<QLabel*>()->text(),
              "Element sets are 6652 days old; predictions are unreliable.");
    SaveScreenshot(w.grab().toImage(), "stale_elements.png");

    chosenFile = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";  // the shipped one: a recent set first
    w.runCommand(CmdOpen);
    w.tick();
    EXPECT_FALSE(w.staleElementsBar()->isVisible());
}
