#include "orbit/catalogue_files.hpp"

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "orbit/catalog_loading.hpp"
#include "platform/temporary_folder.hpp"

using namespace vantrek;

namespace {

// The bundled sample: eight sets, ISS (25544) first.
std::string sampleSets() {
    std::ifstream in(std::string(VANTREK_RES_DIR) + "/TLE/sample.tle", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct OpenFixture {
    TemporaryFolder folder;
    std::unique_ptr<SatelliteCatalog> catalog = std::make_unique<SatelliteCatalog>();
    Settings settings;
    MemorySettingsStore store;
    RecordingMessageSink messages;
    int32_t iridium = 1;

    OpenFixture() {
        store.keyPresent = true;
        loadPlaceholderElementSet(*catalog);
    }
    bool open(const std::string& path) {
        return openElementSetCommand(path, *catalog, settings, store, ProgramFolder{folder.path()},
                                     messages, iridium);
    }
};

}  // namespace

TEST(OpenCommand, LoadsSelectsReportsAndRemembersTheFile) {
    OpenFixture f;
    f.folder.write("Frequencies.txt", "header\n25544 145.800 437.800\n");
    const std::string path = f.folder.write(std::string(200, 'v') + ".tle", sampleSets());
    f.catalog->current = 5;
    f.settings.flares = 1;

    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.catalog->count, 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(f.catalog->selected[i], 1);
    EXPECT_EQ(f.catalog->current, 0);
    EXPECT_EQ(f.catalog->currentSet.catalogNumber, 25544);
    EXPECT_EQ(f.iridium, 0);
    EXPECT_EQ(f.settings.flares, 0);  // not an Iridium file
    EXPECT_DOUBLE_EQ(f.settings.uplink, static_cast<double>(437.8f));
    ASSERT_EQ(f.messages.messages.size(), 1u);
    // A long path is reported whole, not cut to a fixed buffer.
    EXPECT_EQ(f.messages.messages[0].text, "Data of 8 satellites successfully read from " + path);
    EXPECT_EQ(f.messages.messages[0].caption, "Info");
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::None);

    Settings restarted;
    LoadSettings(f.store, restarted);
    EXPECT_EQ(restarted.Last_Open, path);
    EXPECT_EQ(restarted.Sat_Display, 0);
}

TEST(OpenCommand, UnopenableFileLeavesTheCatalogue) {
    OpenFixture f;
    EXPECT_FALSE(f.open(f.folder.file("missing.tle")));
    EXPECT_EQ(f.catalog->count, 1);  // the placeholder stays
    EXPECT_EQ(f.iridium, 0);
    ASSERT_EQ(f.messages.messages.size(), 1u);
    EXPECT_EQ(f.messages.messages[0].text, "I can't open the file!");
    EXPECT_EQ(f.messages.messages[0].caption, "");
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(f.store.writeLog.empty());
}

TEST(OpenCommand, ReadFailureOrNoSetsStillEndInTheReport) {
    OpenFixture f;
    const std::string folderPath = f.folder.path() + "/sets";  // opens, but cannot be read
    std::filesystem::create_directory(folderPath);
    ASSERT_TRUE(f.open(folderPath));
    ASSERT_EQ(f.messages.messages.size(), 2u);
    EXPECT_EQ(f.messages.messages[0].text, "Read failed!");
    EXPECT_EQ(f.messages.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(f.messages.messages[1].text, "Data of 0 satellites successfully read from " + folderPath);

    const std::string path = f.folder.write("empty.txt", "nothing here\n");
    ASSERT_TRUE(f.open(path));
    EXPECT_EQ(f.catalog->count, 0);
    EXPECT_EQ(f.messages.messages.at(2).text, "Data of 0 satellites successfully read from " + path);
    EXPECT_EQ(f.settings.uplink, 145.0);  // no Frequencies.txt
    EXPECT_EQ(f.settings.downlink, 145.0);
}

TEST(IridiumNames, LowerCaseOnlyAtStartEitherCaseOnOpen) {
    EXPECT_TRUE(isIridiumFileAtStart("/home/u/iridium.txt"));
    EXPECT_TRUE(isIridiumFileAtStart("C:\\TLE\\iridium-33-debris.txt"));
    EXPECT_FALSE(isIridiumFileAtStart("/home/u/Iridium.txt"));
    EXPECT_FALSE(isIridiumFileAtStart("iridium.txt"));  // no folder: no test at all
    EXPECT_FALSE(isIridiumFileAtStart("/iridium/visual.txt"));
    EXPECT_TRUE(isIridiumFileOnOpen("/home/u/iridium.txt"));
    EXPECT_TRUE(isIridiumFileOnOpen("/home/u/Iridium.txt"));
    EXPECT_FALSE(isIridiumFileOnOpen("/home/u/IRIDIUM.txt"));
    EXPECT_EQ(fileBaseName("/a/b\\c.tle"), "c.tle");
    EXPECT_EQ(fileBaseName("plain.tle"), "plain.tle");

    OpenFixture f;
    f.settings.flares = 1;
    ASSERT_TRUE(f.open(f.folder.write("Iridium.txt", sampleSets())));
    EXPECT_EQ(f.iridium, 1);
    EXPECT_EQ(f.settings.flares, 1);
}

TEST(IridiumNames, StartUpReopensTheLastFile) {
    TemporaryFolder folder;
    auto catalog = std::make_unique<SatelliteCatalog>();
    RecordingMessageSink messages;
    Settings settings;
    int32_t iridium = 0;

    settings.flares = 1;
    settings.Last_Open = folder.write("iridium.txt", sampleSets());
    EXPECT_TRUE(reopenLastFile(settings, *catalog, messages, iridium));
    EXPECT_EQ(iridium, 1);
    EXPECT_EQ(settings.flares, 1);
    EXPECT_EQ(catalog->count, 8);

    iridium = 0;
    settings.Last_Open = folder.write("Iridium.txt", sampleSets());
    EXPECT_TRUE(reopenLastFile(settings, *catalog, messages, iridium));
    EXPECT_EQ(iridium, 0);
    EXPECT_EQ(settings.flares, 0);
    EXPECT_TRUE(messages.messages.empty());

    settings.Last_Open = folder.file("gone.tle");
    EXPECT_FALSE(reopenLastFile(settings, *catalog, messages, iridium));
    EXPECT_EQ(messages.messages.at(0).text, "I can't open the file!");
    EXPECT_EQ(catalog->count, 8);

    settings.Last_Open.clear();  // first run: nothing to open, nothing to say
    EXPECT_FALSE(reopenLastFile(settings, *catalog, messages, iridium));
    EXPECT_EQ(messages.messages.size(), 1u);
}
