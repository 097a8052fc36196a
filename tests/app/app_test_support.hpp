#pragma once

// Shared by the Qt tests: a program folder with the shipped skins, the main
// window over temporary folders, typing into dialogs, and screenshots under
// build/screenshots.
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "data/settings.hpp"
#include "orbit/catalog_loading.hpp"
#include "platform/fake_serial_port.hpp"
#include "ui/command_ids.hpp"

namespace vantrek::app {

inline void SaveScreenshot(const QImage& image, const QString& name) {
    const QString folder = QString(VANTREK_BUILD_DIR) + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(folder + "/" + name)) << name.toStdString();
}

// Replaces an edit's text the way a person types it.
inline void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

inline void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

inline Settings StoredSettings(SettingsStore& store) {
    Settings settings;
    LoadSettings(store, settings);
    return settings;
}

// The main window with its program folder and settings file in temporary
// folders, message boxes and the browser recorded, a receiver that stays
// silent, and Open choosing `chosenFile` (the tests' sample until changed).
struct WindowTest : ::testing::Test {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    std::vector<ShownMessage>& messages = sink.messages;
    std::vector<std::string> opened;  // outside pages asked for
    bool browserAnswers = true;
    std::string chosenFile = std::string(VANTREK_TESTS_DIR) + "/data/sample.tle";
    std::unique_ptr<MainWindow> window;

    // With `skins`, the shipped skins are copied into the program folder first.
    MainWindowOptions options(bool skins = true) {
        if (skins) {  // a skin already there is kept
            const QDir shipped(QString(VANTREK_RES_DIR) + "/skins");
            QDir().mkpath(folder.filePath("skins"));
            for (const QString& name : shipped.entryList({"*.bmp"}, QDir::Files))
                QFile::copy(shipped.filePath(name), folder.filePath("skins/" + name));
        }
        MainWindowOptions o;
        o.programFolder = folder.path().toStdString();
        o.messages = &sink;
        o.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
        o.openOutsidePage = [this](const std::string& address) {
            opened.push_back(address);
            return browserAnswers;
        };
        o.chooseElementFile = [this] { return chosenFile; };
        o.serialPort = std::make_unique<FakeSerialPort>();
        return o;
    }
    // The window shown at `width` x `height`, and with `openSample` the chosen file opened.
    MainWindow& start(MainWindowOptions o, int width, int height, bool openSample = true) {
        window = std::make_unique<MainWindow>(std::move(o));
        window->resize(width, height);
        window->show();
        if (openSample) window->runCommand(CmdOpen);
        return *window;
    }
    MainWindow& start(int width, int height, bool openSample = true) {
        return start(options(), width, height, openSample);
    }
    AppState& state() { return window->state(); }
    // Sample set `current` shown in `view`, the clock stopped at `jd` and local time UTC.
    void showAt(int current, double jd, int view) {
        state().catalog.current = current;
        loadWorkingElementSet(state().catalog, current, state().catalog.currentSet);
        state().localTimeOffset = 0.0;
        state().clock.mode = ClockMode::Stopped;
        state().clock.pausedDate = jd;
        window->runCommand(view);
        window->tick();
    }
    // The view area after a paint, saved under `screenshot` when one is named.
    QImage painted(const char* screenshot = nullptr) {
        QApplication::processEvents();
        window->clientArea()->repaint();
        const QImage image = window->clientArea()->grab().toImage();
        if (screenshot) SaveScreenshot(image, screenshot);
        return image;
    }
};

}  // namespace vantrek::app
