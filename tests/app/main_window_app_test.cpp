#include "app/main_window.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/help_window.hpp"
#include "app/qt_settings_store.hpp"
#include "app_test_support.hpp"
#include "astro/julian_date.hpp"
#include "ui/main_window_paint.hpp"
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
    bool browserAnswers = true;
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
        o.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
        o.openOutsidePage = [this](const std::string& address) {
            opened.push_back(address);
            return browserAnswers;
        };
        o.chooseElementFile = [this] { return chosenFile; };
        o.serialPort = std::make_unique<FakeSerialPort>();  // a receiver that stays silent
        return o;
    }

    static void settle() {
        QApplication::processEvents();
        QApplication::processEvents();
    }
};

}  // namespace

TEST_F(AppFixture, StartsTicksSwitchesViewsResizesAndClosesCleanly) {
    copySkins();
    MainWindow window(options());
    window.resize(1000, 640);
    window.show();
    settle();
    EXPECT_TRUE(messages.empty());  // every skin was read, and has the size the views draw
    const std::pair<const char*, int> skins[] = {{"night", 898}, {"day", 898}, {"iss", 15},
                                                 {"sun", 31},    {"moon", 31}, {"moondark", 31},
                                                 {"hst", 31},    {"sat", 15},  {"notsell", 15}};
    for (const auto& [name, width] : skins) {
        const QImage skin(folder.filePath(QString("skins/%1.bmp").arg(name)), "BMP");
        EXPECT_EQ(skin.size(), QSize(width, width == 898 ? 450 : width)) << name;
    }
    EXPECT_TRUE(window.timer().isActive());
    const QList<QAction*> tools = window.toolBar()->actions();
    ASSERT_EQ(tools.size(), kToolbarEntryCount);
    for (int i = 0; i < kToolbarEntryCount; ++i)  // separators, and every button has its image
        EXPECT_TRUE(kToolbar[i].command ? !tools[i]->icon().isNull() : tools[i]->isSeparator());

    window.tick();
    EXPECT_GT(window.state().clock.currentDate, 2451545.0);  // the real clock, after 2000
    settle();
    const QPixmap shot = window.grab();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString(VANTREK_BUILD_DIR) + "/vantrek-main-window.png"));
    // The view area below the toolbar is the back buffer: black until the views draw.
    const QPoint inView = window.clientArea()->mapTo(&window, QPoint(500, 300));
    EXPECT_EQ(shot.toImage().pixelColor(inView), QColor(Qt::black));

    const std::pair<int, ViewMode> views[] = {{CmdPlotSky, ViewMode::Sky},
                                              {CmdPlotSpace, ViewMode::Space},
                                              {CmdGpsStatus, ViewMode::GpsStatus}};
    for (const auto& [command, mode] : views) {
        window.menuAction(command)->trigger();
        settle();
        EXPECT_EQ(window.state().viewMode, mode);
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

TEST_F(AppFixture, CommandsWithoutDialogsRunFromMenuToolbarAndKeys) {
    copySkins();
    MainWindow window(options());
    window.show();
    settle();

    for (int command :
         {CmdFaster, CmdFaster, CmdSlower, CmdNextShown, CmdPreviousShown, CmdGpsOnOff})
        window.toolbarAction(command)->trigger();
    EXPECT_EQ(window.state().clock.multiplier, 2.0);
    EXPECT_TRUE(window.state().gps.trackingEnabled);  // the reader thread started
    window.tick();
    window.statusBarWidget()->repaint();

    // Accelerators come before the File menu's Alt+F mnemonic.
    QTest::keyClick(window.clientArea(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(window.timer().interval(), 50);
    QTest::keyClick(window.clientArea(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(window.timer().interval(), 1000);
    QTest::keyClick(window.clientArea(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(window.state().settings.showAllPaths, 1);

    // Help in the program's own window; outside links go to the browser, or
    // the user is told the address when none answers.
    QFile::copy(QString(VANTREK_RES_DIR) + "/Help.htm", folder.filePath("Help.htm"));
    window.menuAction(CmdHelp)->trigger();
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->isVisible());
    EXPECT_EQ(window.helpWindow()->browser()->documentTitle(), "Vantrek help");
    // (The silent receiver's give-up may be reported meanwhile: only the page messages count.)
    auto pageMessages = [&] {
        return std::count_if(messages.begin(), messages.end(),
                             [](const ShownMessage& m) { return m.text.rfind("No web browser", 0) == 0; });
    };
    window.helpWindow()->followLink(QUrl("https://celestrak.org/"));
    EXPECT_EQ(opened, std::vector<std::string>{"https://celestrak.org/"});
    EXPECT_EQ(pageMessages(), 0);
    browserAnswers = false;
    window.helpWindow()->followLink(QUrl("https://hamlib.github.io/"));
    ASSERT_EQ(pageMessages(), 1);
    EXPECT_NE(std::find_if(messages.begin(), messages.end(),
                           [](const ShownMessage& m) { return m.text == CantOpenPageText("https://hamlib.github.io/"); }),
              messages.end());
    messages.erase(std::remove_if(messages.begin(), messages.end(),
                                  [](const ShownMessage& m) { return m.text.rfind("No web browser", 0) == 0; }),
                   messages.end());
    window.helpWindow()->close();

    chosenFile.clear();  // Open, then Cancel in the chooser
    window.menuAction(CmdOpen)->trigger();
    EXPECT_EQ(window.state().catalog.count, 1);

    // The About box opens modally; close it from inside its loop.
    QTimer::singleShot(0, [] {
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    window.menuAction(CmdAbout)->trigger();

    window.state().viewMode = ViewMode::Space;
    QTest::mouseClick(window.clientArea(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::keyClick(window.clientArea(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(window.state().viewMatrix.m[3][3], 1.1);

    window.menuAction(CmdExit)->trigger();
    settle();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.state().gps.exitRequested);  // the reader was stopped on the way out
    // The reader has no port here ("NONE"), so on a slow machine it may give up
    // before Exit; that message is the only one allowed.
    for (const ShownMessage& m : messages) EXPECT_EQ(m.text, "I can't conect to the COM port!");
}

TEST_F(AppFixture, WithoutSkinsStartUpReportsNineMessagesAndStillRuns) {
    MainWindow window(options());
    ASSERT_EQ(messages.size(), static_cast<std::size_t>(kSkinCount));
    for (int i = 0; i < kSkinCount; ++i) {  // one message per skin, in loading order
        EXPECT_EQ(messages[i].text, kSkinFiles[i].failureMessage);
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

TEST_F(AppFixture, CloseBoxKeepsNoSelectionExitSavesItAndTheNextStartReopensTheFile) {
    copySkins();
    // A long name with a non-ASCII letter, kept whole in the settings file.
    const QString name = "Ürsel-" + QString(150, 'x') + ".tle";
    QFile::copy(QString(VANTREK_TESTS_DIR) + "/data/sample.tle", folder.filePath(name));
    const QString selection = folder.filePath("Select.bol");
    {
        QtSettingsStore fresh(config.filePath("Vantrek/Vantrek.ini"));
        EXPECT_FALSE(fresh.keyExists());  // until the first start
        MainWindow window(options());
        window.show();
        chosenFile = folder.filePath(name).toStdString();
        window.menuAction(CmdOpen)->trigger();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Info");
        window.close();  // the close box
    }
    EXPECT_FALSE(QFile::exists(selection));

    MainWindow next(options());
    EXPECT_EQ(next.state().catalog.count, 8);
    EXPECT_EQ(next.state().fileDisplayName, name.toStdString());
    next.show();
    next.menuAction(CmdExit)->trigger();
    EXPECT_EQ(QFileInfo(selection).size(), 1600);
    EXPECT_EQ(messages.size(), 1u);
}

// Sets far from the clock are no base for predictions: a bar under the
// toolbar says so while the current one, or most shown ones, are old.
TEST_F(AppFixture, OldElementSetsRaiseTheWarningBarAndRecentOnesDoNot) {
    copySkins();
    MainWindow window(options());
    window.resize(1280, 800);
    window.show();
    AppState& state = window.state();
    state.clock.mode = ClockMode::Stopped;
    state.clock.pausedDate = JulianDateFromCalendar(2026, 12, 7, 20, 0, 0, 0);
    chosenFile = std::string(VANTREK_TESTS_DIR) + "/data/sample.tle";  // the 2008 ISS first
    window.runCommand(CmdOpen);
    window.runCommand(CmdPlotSky);
    window.tick();
    settle();
    ASSERT_TRUE(window.staleElementsBar()->isVisible());
    const QLabel* text = window.staleElementsBar()->findChild<QLabel*>();
    EXPECT_EQ(text->text(), "Element sets are 6652 days old; predictions are unreliable.");
    EXPECT_GE(window.staleElementsBar()->y(), kToolbarHeight);
    SaveScreenshot(window.grab().toImage(), "stale_elements.png");

    chosenFile = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";  // the shipped one: a recent set first
    window.runCommand(CmdOpen);
    window.tick();
    EXPECT_FALSE(window.staleElementsBar()->isVisible());
    window.close();
}
