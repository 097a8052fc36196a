// The libcurl client and vantrek-cli download against a server on 127.0.0.1
// that each test starts itself; nothing leaves the machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "../support/loopback_http_server.hpp"
#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "data/element_set_download.hpp"
#include "download_test_support.hpp"
#include "platform/curl_http_client.hpp"
#include "platform/temporary_folder.hpp"

namespace vantrek {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::LoopbackAnswer;
using testing::LoopbackHttpServer;
using testing::FileText;
using testing::RecordingProgress;
using testing::SampleSets;

// The query form of today's server.
std::string groupTarget(const char* group) {
    return std::string("/NORAD/elements/gp.php?GROUP=") + group + "&FORMAT=tle";
}

struct LoopbackDownloadTest : ::testing::Test {
    LoopbackHttpServer server;
    TemporaryFolder folder;
    CurlHttpClient http;
    DownloadContext context;
    RecordingProgress progress;

    LoopbackDownloadTest() {
        context.http = &http;
        context.urlTemplate = server.base() + "/NORAD/elements/gp.php?GROUP=%s&FORMAT=tle";
        context.saveFolder = folder.file("TLE");
    }
};

TEST_F(LoopbackDownloadTest, ALongGroupIsFetchedWholeThroughARedirectChain) {
    // Plain HTTP and the old paths answer with redirects to the query form.
    std::string sets;
    for (int k = 0; k < 400; ++k) sets += SampleSets();  // 3,200 sets, 547 kB
    server.answer("/NORAD/elements/stations.txt", LoopbackAnswer::redirect("/moved/stations"));
    server.answer("/moved/stations", LoopbackAnswer::redirect(server.base() + groupTarget("stations")));
    server.answer(groupTarget("stations"), LoopbackAnswer::whole(200, sets));
    context.urlTemplate = server.base() + "/NORAD/elements/%s.txt";

    ASSERT_TRUE(DownloadCategory(context, 1, progress));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2].userAgent, "Mozilla/4.0 (compatible; MSIE 4.01; Windows NT Windows CE)");
    EXPECT_EQ(progress.loaded[0].count, 3200);
    EXPECT_EQ(FileText(folder.file("TLE/stations.txt")), sets);

    // A loop of redirects ends after five.
    server.answer("/loop", LoopbackAnswer::redirect("/loop"));
    HttpRequest request;
    request.url = server.base() + "/loop";
    const HttpReply reply = http.get(request);
    EXPECT_EQ(reply.failure, HttpFailure::Connect);
    EXPECT_EQ(server.requests().size(), 3u + 6u);
}

TEST_F(LoopbackDownloadTest, UpdateAllGoesPastRetiredGroupsAndStopsAtARefusalOrWhenTheServerGoes) {
    for (const char* group : {"last-30-days", "stations", "visual", "weather"})
        server.answer(groupTarget(group), LoopbackAnswer::whole(200, SampleSets()));
    server.answer(groupTarget("goes"), LoopbackAnswer::special(LoopbackAnswer::Kind::CutBody, SampleSets()));
    server.answer(groupTarget("sarsat"), LoopbackAnswer::whole(403, "Forbidden"));
    server.answer(groupTarget("noaa"), LoopbackAnswer::whole(410, "Gone"));  // resources is not served: 404

    EXPECT_EQ(DownloadAll(context, progress), 4);
    EXPECT_EQ(server.requests().size(), 8u);
    EXPECT_THAT(progress.log, HasSubstr("'noaa': the server answered 410 \r\n"));
    EXPECT_THAT(progress.log, HasSubstr("'resources': the server answered 404 \r\n"));
    EXPECT_THAT(progress.log, HasSubstr("'sarsat': the server answered 403 \r\n"));
    EXPECT_THAT(progress.texts(), ElementsAre("Error reading data! | " + server.base() + groupTarget("goes"),
                                              "Can't connect to url! | " + server.base() + groupTarget("sarsat")));
    EXPECT_GE(progress.logChanges, 8);  // the log grows file by file

    // Again: the four saved within the server's update period are read from
    // their copies; the server goes at the next, and the rest is not asked for.
    server.answer(groupTarget("noaa"), LoopbackAnswer::special(LoopbackAnswer::Kind::CloseServer));
    progress = RecordingProgress();
    EXPECT_EQ(DownloadAll(context, progress), 4);
    EXPECT_EQ(server.requests().size(), 9u);
    EXPECT_THAT(progress.texts(), ElementsAre("Can't connect to url! | " + server.base() + groupTarget("noaa")));
}

TEST_F(LoopbackDownloadTest, ASilentServerIsEndedByTheTimeOutOrACancel) {
    server.answer(groupTarget("stations"), LoopbackAnswer::special(LoopbackAnswer::Kind::Hang));
    context.totalTimeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DownloadCategory(context, 1, progress));
    EXPECT_EQ(progress.messages.at(0).text, "Can't connect to url!");

    std::atomic<bool> cancel{false};
    context.totalTimeoutMs = 60000;
    context.cancel = &cancel;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    progress = RecordingProgress();
    EXPECT_FALSE(DownloadCategory(context, 1, progress));
    stopper.join();
    EXPECT_TRUE(progress.messages.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(LoopbackDownloadTest, TheCommandLinePrintsTheLogAndExitsTwoOnAFailure) {
    server.answer(groupTarget("stations"), LoopbackAnswer::whole(200, SampleSets()));
    const std::string options = " --url '" + context.urlTemplate + "' --folder " + context.saveFolder;
    std::string output;
    EXPECT_EQ(testing::RunCli("download stations" + options, output), 0);
    EXPECT_EQ(output, "Data of 8 satellites read sucessfully from stations TLE \n");
    EXPECT_EQ(FileText(folder.file("TLE/stations.txt")), SampleSets());

    EXPECT_EQ(testing::RunCli("download molniya" + options, output), 2);
    EXPECT_THAT(output, HasSubstr("molniya: the server answered 404 \n"));
    EXPECT_THAT(output, HasSubstr("vantrek-cli: Can't connect to url! (" + server.base()));
    EXPECT_EQ(testing::RunCli("download nosuchgroup", output), 2);
}

}  // namespace
}  // namespace vantrek
