#include "app/dialogs/download_dialog.hpp"

#include <chrono>
#include <cstdlib>
#include <memory>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include "app_test_support.hpp"

#include "../support/loopback_http_server.hpp"
#include "../support/sample_sets.hpp"
#include "platform/curl_http_client.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;
using namespace vantrek::app;
using vantrek::testing::LoopbackAnswer;
using vantrek::testing::LoopbackHttpServer;

namespace {

struct DownloadDialogFixture : ::testing::Test {
    LoopbackHttpServer server;
    TemporaryFolder program;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    MemorySettingsStore store;
    RecordingMessageSink sink;
    CurlHttpClient http;
    std::vector<std::string> opened;

    DownloadDialogFixture() {
        ::setenv("no_proxy", "127.0.0.1", 1);
        ::setenv("NO_PROXY", "127.0.0.1", 1);
        store.keyPresent = true;
        state->settings.TLE_Url = server.base() + "/NORAD/elements/gp.php?GROUP=%s&FORMAT=tle";
    }

    DownloadDialogServices services() {
        DownloadDialogServices s;
        s.state = state.get();
        s.store = &store;
        s.messages = &sink;
        s.folder.path = program.path();
        s.http = &http;
        s.openWebPage = [this](const std::string& url) {
            opened.push_back(url);
            return true;
        };
        return s;
    }
};

TEST_F(DownloadDialogFixture, DownloadsOneGroupIntoTheCatalogueWithItsLog) {
    server.answer("/NORAD/elements/gp.php?GROUP=stations&FORMAT=tle",
                  LoopbackAnswer::whole(200, vantrek::testing::SampleSets()));
    DownloadDialog dialog(services());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Get last TLE");
    EXPECT_EQ(dialog.categories()->currentText(), "International Space Station");

    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.busy());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), 10000);
    EXPECT_EQ(dialog.logView()->toPlainText().toStdString(),
              "Data of 8 satellites read sucessfully from stations TLE \n");
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_EQ(state->settings.Last_Open, program.file("TLE/stations.txt"));
    EXPECT_TRUE(sink.messages.empty());

    QTest::mouseClick(dialog.webSiteButton(), Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{server.base() + "/"});

    SaveScreenshot(dialog.grab().toImage(), "download.png");
    dialog.reject();
    // Closing loads the current satellite into the working set.
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, state->catalog.entries[0].catalogNumber);
}

// A server that never answers: the dialog says at once whom it waits for,
// Cancel ends the wait within a second and the dialog stays; closing during
// another wait cancels it too.
TEST_F(DownloadDialogFixture, ASilentServerIsNamedAndCancelOrClosingStopsTheWait) {
    server.answer("/NORAD/elements/gp.php?GROUP=stations&FORMAT=tle",
                  LoopbackAnswer::special(LoopbackAnswer::Kind::Hang));
    DownloadDialog dialog(services());
    dialog.show();
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog.transferLine()->text(), QString("Connecting to 127.0.0.1..."), 1000);
    EXPECT_TRUE(dialog.busy());
    EXPECT_FALSE(dialog.updateAllButton()->isEnabled());
    ASSERT_TRUE(dialog.cancelButton()->isEnabled());
    SaveScreenshot(dialog.grab().toImage(), "download_waiting.png");

    auto start = std::chrono::steady_clock::now();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.busy(), 2000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.downloadButton()->isEnabled());
    EXPECT_TRUE(dialog.transferLine()->text().isEmpty());

    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    QTest::qWait(300);  // the interface goes on meanwhile
    EXPECT_TRUE(dialog.busy());
    start = std::chrono::steady_clock::now();
    dialog.reject();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_FALSE(dialog.busy());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(state->catalog.count, 0);
}

}  // namespace
