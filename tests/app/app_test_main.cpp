// Runs the Qt tests on the offscreen platform with a configuration folder of
// their own, so that nothing touches the user's settings or screen.
#include <cstdlib>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QApplication::setApplicationName("Vantrek");
    QApplication::setOrganizationName("Vantrek");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
