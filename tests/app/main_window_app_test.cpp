#include "app/main_window.hpp"

#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/qt_settings_store.hpp"
#include "data/settings.hpp"
#include "platform/fake_serial_port.hpp"
#include "ui/command_tables.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

// A program folder of its own with the shipped skins (or none), and message
// boxes, browser and file chooser that only record what they were asked.
struct AppFixture : ::testing::Test {
    QTemporaryDir folder;
    QTemporaryDir config;
    RecordingMessageSink sink;
    std::vector<ShownMessage>& messages = sink.messages;
    std::vector<std::string> opened;
    std::string chosenFile;

    void copySkins() {
        QDir().mkpath(folder.filePath("skins"));
        const QDir source(QString(VANTREK_RES_DIR) + "/skins");
        for (const QString& name : source.entryList({"*.bmp"}, QDir::Files))
            ASSERT_TRUE(QFile::copy(source.filePath(name), folder.filePath("skins/" + name)));
    }

    MainWindowOptions options() {
        MainWindowOptions o;
        o.programFolder = folder.path().toStdString();
        o.messages = &sink;
        o.store = std::make_unique<QtSettingsStore>(settingsFile());
        o.openInBrowser = [this](const std::string& path) { opened.push_back(path); };
        o.chooseElementFile = [this] { return chosenFile; };
        o.serialPort = std::make_unique<FakeSerialPort>();  // a receiver that stays silent
        return o;
    }

    QString settingsFile() const { return config.filePath("Vantrek/Vantrek.ini"); }

    static void settle() {
        QApplication::processEvents();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(AppFixture, StartsTicksSwitchesViewsAndClosesCleanly) {
    copySkins();
    MainWindow window(options());
    window.show();
    settle();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.windowTitle(), "Vantrek");
    EXPECT_EQ(window.timer().interval(), 500);
    EXPECT_TRUE(window.timer().isActive());

    window.tick();
    EXPECT_GT(window.state().clock.currentDate, 2451545.0);  // the real clock, after 2000
    EXPECT_EQ(window.state().tickCounter, 1);

    const struct {
        int command;
        ViewMode mode;
    } views[] = {{CmdPlotSky, ViewMode::Sky},        {CmdPlotSpace, ViewMode::Space},
                 {CmdGpsStatus, ViewMode::GpsStatus}, {CmdInfoPanel, ViewMode::InfoPanel}};
    for (const auto& v : views) {
        window.menuAction(v.command)->trigger();
        settle();
        EXPECT_EQ(window.state().viewMode, v.mode);
    }
    window.toolbarAction(CmdMapView)->trigger();
    EXPECT_EQ(window.state().viewMode, ViewMode::Map);
    QTest::keyClick(window.clientArea(), Qt::Key_Return);
    EXPECT_EQ(window.state().viewMode, ViewMode::InfoPanel);

    window.resize(700, 500);
    settle();
    window.resize(1300, 800);
    settle();
    window.tick();

    window.close();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.timer().isActive());
}

TEST_F(AppFixture, MenuAndToolbarMatchTheProgramTables) {
    copySkins();
    MainWindow window(options());
    QStringList titles;
    for (QAction* a : window.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "Sat select", "Predict", "Settings", "Window", "Help"}));
    QStringList fileItems;
    for (QAction* a : window.menuBar()->actions()[0]->menu()->actions()) fileItems << a->text();
    EXPECT_EQ(fileItems, (QStringList{"Open", "Get last TLE", "E&xit"}));

    const QList<QAction*> tools = window.toolBar()->actions();
    ASSERT_EQ(tools.size(), kToolbarEntryCount);
    for (int i = 0; i < kToolbarEntryCount; ++i) {
        EXPECT_EQ(tools[i]->isSeparator(), kToolbar[i].command == 0) << i;
        if (kToolbar[i].tooltip) {
            EXPECT_EQ(tools[i]->toolTip().toStdString(), kToolbar[i].tooltip);
        }
        if (kToolbar[i].command) {
            EXPECT_FALSE(tools[i]->icon().isNull()) << i;
        }
    }
}

TEST_F(AppFixture, CommandsWithoutDialogsRunFromMenuToolbarAndKeys) {
    copySkins();
    MainWindow window(options());
    window.show();
    settle();

    window.toolbarAction(CmdFaster)->trigger();
    EXPECT_EQ(window.state().clock.mode, ClockMode::SimX1);
    EXPECT_EQ(window.state().clock.multiplier, 2.0);
    window.toolbarAction(CmdSlower)->trigger();
    window.toolbarAction(CmdRealTime)->trigger();
    EXPECT_EQ(window.state().clock.mode, ClockMode::RealTime);
    window.toolbarAction(CmdNextShown)->trigger();
    window.toolbarAction(CmdPreviousShown)->trigger();
    window.toolbarAction(CmdGpsOnOff)->trigger();  // the reader thread starts
    EXPECT_TRUE(window.state().gps.trackingEnabled);
    window.tick();
    window.statusBarWidget()->repaint();
    window.menuAction(CmdSpaceView)->trigger();

    // Accelerators come before the File menu's Alt+F mnemonic.
    QTest::keyClick(window.clientArea(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(window.timer().interval(), 50);
    QTest::keyClick(window.clientArea(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(window.timer().interval(), 1000);
    QTest::keyClick(window.clientArea(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(window.state().settings.showAllPaths, 1);

    window.menuAction(CmdHelp)->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], folder.filePath("Help.htm").toStdString());

    // Dialog commands that have no dialog yet only repaint.
    for (int command : {CmdGpsSettings, CmdSettings, CmdSetPosition, CmdTimeDialog, CmdGetLastTle,
                        CmdPredict, CmdSatSelect})
        window.runCommand(command);

    chosenFile.clear();  // Open, then Cancel in the chooser
    window.menuAction(CmdOpen)->trigger();
    EXPECT_EQ(window.state().catalog.count, 1);

    // The About box opens modally; close it from inside its loop.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    window.menuAction(CmdAbout)->trigger();

    window.state().viewMode = ViewMode::Space;
    QTest::mousePress(window.clientArea(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseRelease(window.clientArea(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::keyClick(window.clientArea(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(window.state().viewMatrix.m[3][3], 1.1);

    window.menuAction(CmdExit)->trigger();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().gps.exitRequested);  // the reader was stopped on the way out
    EXPECT_TRUE(messages.empty());
}

TEST_F(AppFixture, WithoutSkinsStartUpReportsNineMessagesAndStillRuns) {
    MainWindow window(options());
    std::vector<std::string> expected;  // one message per skin, in loading order
    for (const SkinFile& skin : kSkinFiles) expected.push_back(skin.failureMessage);
    ASSERT_EQ(messages.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(messages[i].text, expected[i]);
        EXPECT_EQ(messages[i].caption, "");
        EXPECT_EQ(messages[i].icon, MessageIcon::Error);
    }
    window.show();
    window.tick();
    window.runCommand(CmdPlotSky);
    settle();
    EXPECT_FALSE(window.grab().isNull());
    window.close();
}

TEST_F(AppFixture, ScreenshotOfTheWindow) {
    copySkins();
    MainWindow window(options());
    window.resize(1000, 640);
    window.show();
    window.tick();
    settle();
    const QPixmap shot = window.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString(VANTREK_BUILD_DIR) + "/vantrek-main-window.png"));
    // The view area below the toolbar is the back buffer: black until the views draw.
    const QImage image = shot.toImage();
    const QPoint inView = window.clientArea()->mapTo(&window, QPoint(500, 300));
    EXPECT_EQ(image.pixelColor(inView), QColor(Qt::black));
    window.close();
}

TEST_F(AppFixture, OpenThenCloseBoxKeepsNoSelectionAndExitSavesIt) {
    copySkins();
    QFile::copy(QString(VANTREK_RES_DIR) + "/TLE/sample.tle", folder.filePath("visual.tle"));
    const QString selection = folder.filePath("Select.bol");
    {
        MainWindow window(options());
        window.show();
        chosenFile = folder.filePath("visual.tle").toStdString();
        window.menuAction(CmdOpen)->trigger();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Info");
        EXPECT_EQ(window.state().catalog.count, 8);
        EXPECT_EQ(window.state().fileDisplayName, "visual.tle");
        window.close();  // the close box
    }
    EXPECT_FALSE(QFile::exists(selection));
    EXPECT_TRUE(QFile::exists(settingsFile()));

    MainWindow next(options());  // reopens the last file at start
    EXPECT_EQ(next.state().catalog.count, 8);
    EXPECT_EQ(next.state().fileDisplayName, "visual.tle");
    next.show();
    next.menuAction(CmdExit)->trigger();
    EXPECT_TRUE(QFile::exists(selection));
    EXPECT_EQ(QFileInfo(selection).size(), 1600);
    EXPECT_EQ(messages.size(), 1u);
}

TEST(QtSettingsStore, KeepsTheSettingsValuesInAnIniFile) {
    QTemporaryDir config;
    QtSettingsStore store(config.filePath("Vantrek/Vantrek.ini"));
    EXPECT_FALSE(store.keyExists());
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(store.readValue("Lat", bytes));

    Settings settings;
    EXPECT_EQ(LoadSettings(store, settings), -1);  // first run: no key yet
    EnsureSettingsKey(store);
    EXPECT_TRUE(store.keyExists());
    EXPECT_EQ(LoadSettings(store, settings), 0);  // key, no City

    settings.uplink = 435.25;
    settings.Stars_Mag = 3;
    settings.Last_Open = "/home/observer/" + std::string(180, 'x') + "/Ürsel.tle";
    StoreOptions(store, settings, 7);
    StoreLastFile(store, settings, 7);
    StoreLocation(store, settings, 12);

    QtSettingsStore again(config.filePath("Vantrek/Vantrek.ini"));
    Settings loaded;
    EXPECT_EQ(LoadSettings(again, loaded), 12);
    EXPECT_EQ(loaded.uplink, 435.25);
    EXPECT_EQ(loaded.Stars_Mag, 3);
    EXPECT_EQ(loaded.Sat_Display, 7);
    EXPECT_EQ(loaded.Last_Open, settings.Last_Open);
    ASSERT_TRUE(again.readValue("Lat", bytes));
    EXPECT_EQ(bytes.size(), 8u);
}
