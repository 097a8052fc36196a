// Element sets downloaded: the download logic against a scripted client, then
// the libcurl client and vantrek-cli against a server on 127.0.0.1 that each
// test starts itself; nothing leaves the machine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <tuple>
#include <vector>

#include "../support/loopback_http_server.hpp"
#include "../support/orbit_fixtures.hpp"
#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "data/download_categories.hpp"
#include "data/element_set_download.hpp"
#include "platform/curl_http_client.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/dialogs/download_dialog.hpp"

namespace vantrek {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::LoopbackAnswer;
using testing::LoopbackHttpServer;
using testing::readText;
using testing::SampleSets;

// Keeps what a download reports.
class RecordingProgress : public DownloadProgress {
public:
    std::string log;
    std::vector<ShownMessage> messages;
    std::vector<DownloadedCategory> loaded;

    void logChanged(const std::string& text) override { log = text; }
    void categoryLoaded(const DownloadedCategory& category) override { loaded.push_back(category); }
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const ShownMessage& m : messages) all.push_back(m.text + " | " + m.caption);
        return all;
    }
};

constexpr int64_t kHour = 3600;

HttpReply answer(int status, std::string body = {}) { return {HttpFailure::None, status, std::move(body), {}}; }
HttpReply failure(HttpFailure kind, const char* why, int status = 0) { return {kind, status, {}, why}; }

struct DownloadTest : ::testing::Test {
    TemporaryFolder program;
    ScriptedHttpClient http;
    DownloadHistory history;
    int64_t now = static_cast<int64_t>(std::time(nullptr));
    DownloadContext context;
    RecordingProgress progress;

    DownloadTest() {
        context.http = &http;
        context.urlTemplate = "http://mirror.test/NORAD/elements/%s.txt";
        context.saveFolder = elementFileFolder({program.path()});
        context.history = &history;
        context.now = [this] { return now; };
    }
    std::string copyOf(const char* stem) const { return program.file(std::string("TLE/") + stem + ".txt"); }
};

TEST_F(DownloadTest, OneCategoryIsSavedWholeAndNoGroupIsAskedForTwiceWithinTwoHours) {
    http.replies = {answer(200, SampleSets())};
    ASSERT_TRUE(DownloadCategory(context, 1, progress));
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].url, "http://mirror.test/NORAD/elements/stations.txt");
    EXPECT_TRUE(progress.messages.empty());
    // The copy saved whole in a folder made for it, and its log line: the command
    // line's test; loading it into the catalogue: the download dialog's.
    EXPECT_EQ(progress.loaded.at(0).savedPath, copyOf("stations"));

    now += kHour;
    ASSERT_TRUE(DownloadCategory(context, 1, progress));
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_THAT(progress.log, HasSubstr("Data of 8 satellites of stations read from the copy saved at "));
    EXPECT_EQ(progress.loaded.back().count, 8);

    // A refused group has no copy: the history holds it back.
    http.replies = {answer(404, "<html>gone</html>")};
    progress = RecordingProgress();
    EXPECT_FALSE(DownloadCategory(context, 14, progress));  // its texts: the command line's test
    EXPECT_EQ(progress.messages.at(0).icon, MessageIcon::Error);
    EXPECT_TRUE(progress.loaded.empty());
    DownloadCategory(context, 14, progress);
    EXPECT_EQ(http.requests.size(), 2u);
    EXPECT_THAT(progress.log, HasSubstr("molniya: asked at "));

    now += 2 * kHour;
    http.replies = {answer(200, SampleSets())};
    DownloadCategory(context, 1, progress);
    EXPECT_EQ(http.requests.size(), 3u);

    // The default template asks for the renamed group by its new name.
    context.urlTemplate = kDefaultElementSetUrl;
    DownloadCategory(context, 0, progress);
    EXPECT_EQ(http.requests[3].url, "https://celestrak.org/NORAD/elements/gp.php?GROUP=last-30-days&FORMAT=csv");
    EXPECT_EQ(progress.loaded.back().savedPath, program.file("TLE/tle-new.csv"));  // saved in the form asked for
    EXPECT_EQ(elementSetUrl("http://h/%s/%d%%", "geo"), "http://h/geo/%d%%");
}

// Only a single download of the Iridium row marks the catalogue; "Update all"
// leaves the mark alone and another single row clears it with the flares.
TEST_F(DownloadTest, OnlyTheSingleIridiumDownloadMarksTheCatalogue) {
    auto state = std::make_unique<AppState>();
    MemorySettingsStore store;
    DownloadedCategory category;
    category.answer = SampleSets();
    state->settings.flares = 1;
    const std::tuple<int, bool, int32_t, int32_t> steps[] = {
        {kIridiumCategoryRow, true, 1, 1}, {3, false, 1, 1}, {3, true, 0, 0}};
    for (const auto& [row, single, marked, flares] : steps) {
        category.row = row;
        category.single = single;
        applyDownloadedCategory(*state, store, category);
        EXPECT_EQ(state->iridiumCatalogue, marked) << row << single;
        EXPECT_EQ(state->settings.flares, flares) << row << single;
    }

    // A smaller file than the one before: the current slot is gone, slot 0 takes its place.
    state->catalog.current = 7;
    const std::string sample = SampleSets();
    category.answer = sample.substr(0, sample.find("DEMO STATION"));  // ISS, SGP4 and SDP4 tests
    applyDownloadedCategory(*state, store, category);
    closeDownloadDialog(*state, ProgramFolder{program.path()});
    EXPECT_EQ(state->catalog.count, 3);
    EXPECT_EQ(state->catalog.current, 0);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 25544);
}

TEST_F(DownloadTest, WithoutTheHttpLibraryOrARowNothingIsAskedFor) {
    http.replies = {failure(HttpFailure::Unavailable, "no library")};
    EXPECT_EQ(DownloadAll(context, progress), 0);
    EXPECT_THAT(progress.texts(), ElementsAre("Can't connect to Internet! | "));
    EXPECT_FALSE(DownloadCategory(context, kDownloadCategoryCount, progress));
}

TEST_F(DownloadTest, ABadAnswerLeavesTheSavedCopyAndTheCatalogue) {
    http.replies = {answer(200, SampleSets())};
    DownloadCategory(context, 1, progress);
    now += 3 * kHour;  // past the server's update period

    const HttpReply bad[] = {answer(200, "<html><body>Service busy</body></html>"), answer(200, ""),
                             answer(200, std::string(5000, '\xff')),
                             failure(HttpFailure::TooLarge, "too much", 200),
                             failure(HttpFailure::Read, "cut", 200)};
    for (const HttpReply& reply : bad) {
        history.askedAt.clear();
        http.replies = {reply};
        http.requests.clear();
        progress = RecordingProgress();
        EXPECT_FALSE(DownloadCategory(context, 1, progress));
        EXPECT_TRUE(progress.loaded.empty());
        EXPECT_EQ(readText(copyOf("stations")), SampleSets());
    }
    EXPECT_EQ(progress.log, "stations: cut \r\n");
    EXPECT_THAT(progress.texts(),
                ElementsAre("Error reading data! | http://mirror.test/NORAD/elements/stations.txt"));
}

TEST_F(DownloadTest, AFailedSaveKeepsTheSetsButNotTheLastFile) {
    http.replies = {answer(200, SampleSets())};
    context.saveFolder.clear();
    DownloadAll(context, progress);
    EXPECT_THAT(progress.texts(), ElementsAre("Incorrect Quorle pragram path! | ",
                                              "Error saving data to My Documents! | Save error"));
    EXPECT_EQ(http.requests.size(), 1u);  // "Update all" stops
    ASSERT_EQ(progress.loaded.size(), 1u);
    EXPECT_TRUE(progress.loaded[0].savedPath.empty());

    progress = RecordingProgress();
    context.saveFolder = program.write("not-a-folder", "x") + "/TLE";
    DownloadCategory(context, 2, progress);
    EXPECT_THAT(progress.texts(),
                ElementsAre("I can't open the file: " + context.saveFolder + "/visual.txt | ",
                            "Error saving data to My Documents! | Save error"));

    auto state = std::make_unique<AppState>();
    MemorySettingsStore store;
    store.keyPresent = true;
    applyDownloadedCategory(*state, store, progress.loaded[0]);
    EXPECT_EQ(state->catalog.count, 8);
    EXPECT_TRUE(state->settings.Last_Open.empty());
    EXPECT_TRUE(store.writeLog.empty());
}

TEST(DownloadDialogForm, KeepsAnEditedUrl) {
    DownloadForm form;  // its first row and server: the download dialog's test
    EXPECT_EQ(serverHomePage("no scheme %s"), "");

    MemorySettingsStore store;
    store.keyPresent = true;
    Settings settings;
    form.url = "http://mirror.test/NORAD/elements/%s.txt";
    takeElementSetUrl(form, settings, store);
    EXPECT_EQ(settings.TLE_Url, form.url);
    EXPECT_EQ(form.server, "http://mirror.test/");
    EXPECT_EQ(store.writeLog, std::vector<std::string>{"TLE_Url"});
    Settings restarted;  // stored as UTF-16, like Last_Open
    LoadSettings(store, restarted);
    EXPECT_EQ(restarted.TLE_Url, form.url);
    form.url.clear();  // an emptied edit brings back the default
    takeElementSetUrl(form, settings, store);
    EXPECT_EQ(settings.TLE_Url, kDefaultElementSetUrl);
}

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
    EXPECT_EQ(readText(folder.file("TLE/stations.txt")), sets);

    // A loop of redirects ends after five.
    server.answer("/loop", LoopbackAnswer::redirect("/loop"));
    HttpRequest loop;
    loop.url = server.base() + "/loop";
    EXPECT_EQ(http.get(loop).failure, HttpFailure::Connect);
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
    EXPECT_THAT(progress.log, HasSubstr("'noaa': the server answered 410 \r\n"));  // and resources, 404
    EXPECT_THAT(progress.texts(), ElementsAre("Error reading data! | " + server.base() + groupTarget("goes"),
                                              "Can't connect to url! | " + server.base() + groupTarget("sarsat")));

    // Again: the four saved within the server's update period are read from
    // their copies; the server goes at the next, and the rest is not asked for.
    server.answer(groupTarget("noaa"), LoopbackAnswer::special(LoopbackAnswer::Kind::CloseServer));
    progress = RecordingProgress();
    EXPECT_EQ(DownloadAll(context, progress), 4);
    EXPECT_EQ(server.requests().size(), 9u);
    EXPECT_THAT(progress.texts(), ElementsAre("Can't connect to url! | " + server.base() + groupTarget("noaa")));
}

// A silent server is given up at the time-out (a cancel: the download dialog's test).
TEST_F(LoopbackDownloadTest, ASilentServerIsEndedByTheTimeOut) {
    server.answer(groupTarget("stations"), LoopbackAnswer::special(LoopbackAnswer::Kind::Hang));
    context.totalTimeoutMs = 300;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DownloadCategory(context, 1, progress));
    EXPECT_EQ(progress.messages.at(0).text, "Can't connect to url!");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(LoopbackDownloadTest, TheCommandLinePrintsTheLogAndExitsTwoOnAFailure) {
    server.answer(groupTarget("stations"), LoopbackAnswer::whole(200, SampleSets()));
    const std::string options = " --url '" + context.urlTemplate + "' --folder " + context.saveFolder;
    std::string output;
    EXPECT_EQ(testing::RunCli("download stations" + options, output), 0);
    EXPECT_EQ(output, "Data of 8 satellites read sucessfully from stations TLE \n");
    EXPECT_EQ(readText(folder.file("TLE/stations.txt")), SampleSets());

    EXPECT_EQ(testing::RunCli("download molniya" + options, output), 2);
    EXPECT_THAT(output, HasSubstr("molniya: the server answered 404 \n"));
    EXPECT_THAT(output, HasSubstr("vantrek-cli: Can't connect to url! (" + server.base()));
    EXPECT_EQ(testing::RunCli("download nosuchgroup", output), 2);
}

}  // namespace
}  // namespace vantrek
