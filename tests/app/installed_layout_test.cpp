// The program as `cmake --install` lays it out: shared files under the prefix,
// the user's files under XDG_DATA_HOME, and nothing written into the prefix.
#include <map>
#include <string>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/main_window.hpp"
#include "app/qt_settings_store.hpp"
#include "data/settings.hpp"
#include "platform/program_folder.hpp"
#include "ui/command_tables.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

// Every file under `root` with its size and change time.
std::map<QString, QString> listing(const QString& root) {
    std::map<QString, QString> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files[info.filePath()] = QString::number(info.size()) + " " +
                                 info.lastModified().toString(Qt::ISODateWithMs);
    }
    return files;
}

}  // namespace

TEST(InstalledLayout, ReadsSharedFilesOpensTheSampleAndWritesOnlyUnderTheUsersDataFolder) {
    QTemporaryDir prefix, home;
    QProcess install;
    install.start("cmake", {"--install", VANTREK_BUILD_DIR, "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();  // the files: check_package.sh
    const std::map<QString, QString> installed = listing(prefix.path());

    // XDG_DATA_HOME wins over HOME; the shared folder is found from bin/ whatever the prefix.
    const std::string data = home.filePath("data").toStdString();
    const ProgramFolder folder =
        ChooseProgramFolder(prefix.filePath("bin").toStdString(), data, home.path().toStdString());
    EXPECT_EQ(ChooseProgramFolder(prefix.filePath("bin").toStdString(), "relative", "/home/u").userPath,
              "/home/u/.local/share/vantrek");

    RecordingMessageSink messages;
    const QString settingsFile = home.filePath("config/Vantrek.ini");
    const auto installedOptions = [&] {  // the defaults but for the settings and the message boxes
        MainWindowOptions options = DefaultMainWindowOptions(folder, nullptr);
        options.messages = &messages;
        options.store = std::make_unique<QtSettingsStore>(settingsFile);
        options.serialPort.reset();
        return options;
    };
    {
        MainWindow window(installedOptions());
        window.show();
        QApplication::processEvents();
        EXPECT_TRUE(messages.messages.empty()) << messages.messages.front().text;  // skins found, no box
        EXPECT_EQ(window.state().fileDisplayName, "sample.tle");
        EXPECT_GT(window.state().catalog.count, 0);
        window.menuAction(CmdExit)->trigger();
        QApplication::processEvents();
    }
    EXPECT_TRUE(QFileInfo::exists(home.filePath("data/vantrek/Select.bol")));
    EXPECT_EQ(listing(prefix.path()), installed);

    // The next start reopens the stored file; a stored file that has gone keeps
    // the catalogue empty instead of falling back to the sample.
    Settings gone;
    gone.Last_Open = "/gone/old.tle";
    StoreLastFile(*std::make_unique<QtSettingsStore>(settingsFile), gone, 0);
    MainWindow window(installedOptions());
    EXPECT_EQ(window.state().fileDisplayName, "old.tle");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "I can't open the file!");
}
