#pragma once

// Shared by the Qt tests: a program folder with the shipped skins, a window's
// options over temporary folders, and screenshots under build/screenshots.
#include <memory>
#include <string>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"

namespace vantrek::app {

inline void CopyShippedSkins(const QTemporaryDir& folder) {
    QDir().mkpath(folder.filePath("skins"));
    const QDir skins(QString(VANTREK_RES_DIR) + "/skins");
    for (const QString& name : skins.entryList({"*.bmp"}, QDir::Files))
        ASSERT_TRUE(QFile::copy(skins.filePath(name), folder.filePath("skins/" + name)));
}

// A window whose program folder is `folder` (with the skins), whose settings
// file lies in `config` and whose Open chooses the shipped sample file.
inline MainWindowOptions SampleWindowOptions(const QTemporaryDir& folder, const QTemporaryDir& config,
                                             RecordingMessageSink& sink) {
    CopyShippedSkins(folder);
    MainWindowOptions options;
    options.programFolder = folder.path().toStdString();
    options.messages = &sink;
    options.store = std::make_unique<QtSettingsStore>(config.filePath("Vantrek/Vantrek.ini"));
    options.chooseElementFile = [] { return std::string(VANTREK_TESTS_DIR) + "/data/sample.tle"; };
    return options;
}

inline void SaveScreenshot(const QImage& image, const QString& name) {
    const QString folder = QString(VANTREK_BUILD_DIR) + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(image.save(folder + "/" + name)) << name.toStdString();
}

}  // namespace vantrek::app
