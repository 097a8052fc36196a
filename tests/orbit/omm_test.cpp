// Orbit mean-elements messages: the same element sets as the two-line files
// they were converted from (scripts/tle_to_omm.py), and hostile files.
#include <cmath>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"

#include "orbit/catalog_loading.hpp"
#include "orbit/catalogue_files.hpp"
#include "orbit/omm_epoch.hpp"
#include "platform/settings_store.hpp"
#include "platform/temporary_folder.hpp"
#include "ui/dialogs/satellite_dialog.hpp"

using namespace vantrek;
using vantrek::testing::RunCli;

namespace {

const std::string kOmmDir = std::string(VANTREK_TESTS_DIR) + "/orbit/omm/";
const char* const kOmmForms[] = {"csv", "json", "xml"};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<SatelliteCatalog> loaded(const std::string& text, ElementSetLoad* report = nullptr) {
    auto catalog = std::make_unique<SatelliteCatalog>();
    const ElementSetLoad load = loadElementSetBuffer(*catalog, text.data(), static_cast<long>(text.size()));
    if (report != nullptr) *report = load;
    return catalog;
}

std::string trimmed(const char* name) {
    std::string text(name);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// A decimal text read by strtod and the two-line parser's integer arithmetic
// may round apart in the last bits.
void expectSameSet(const ElementSet& omm, const ElementSet& tle, const std::string& where) {
    const double roundoff = 1e-15;
    EXPECT_EQ(omm.epoch, tle.epoch) << where;  // the ISO times are exact
    EXPECT_EQ(omm.catalogNumber, tle.catalogNumber) << where;
    EXPECT_EQ(omm.elementNumber, tle.elementNumber) << where;
    EXPECT_EQ(omm.revolutionNumber, tle.revolutionNumber) << where;
    EXPECT_EQ(trimmed(omm.name), trimmed(tle.name)) << where;
    EXPECT_EQ(omm.meanMotionDDot, 0.0) << where;
    const double omms[] = {omm.meanMotionDot, omm.bstar, omm.inclination, omm.raan,
                           omm.eccentricity, omm.argPerigee, omm.meanAnomaly, omm.meanMotion};
    const double tles[] = {tle.meanMotionDot, tle.bstar, tle.inclination, tle.raan,
                           tle.eccentricity, tle.argPerigee, tle.meanAnomaly, tle.meanMotion};
    for (int i = 0; i < 8; ++i) {
        EXPECT_NEAR(omms[i], tles[i], roundoff * std::fabs(tles[i])) << where << " field " << i;
    }
}

const std::string kCsvHeader =
    "NORAD_CAT_ID,OBJECT_NAME,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
    "ARG_OF_PERICENTER,MEAN_ANOMALY,BSTAR\n";

std::string csvRecord(const std::string& number, const std::string& motion = "15.5",
                      const std::string& eccentricity = "0.0005") {
    return number + ",SAT " + number + ",2026-12-06T12:00:00," + motion + "," + eccentricity +
           ",51.64,120,80,280,0.0001\n";
}

std::string jsonRecord(int number) {
    return "{\"NORAD_CAT_ID\":" + std::to_string(number) +
           ",\"EPOCH\":\"2026-12-06T12:00:00\",\"MEAN_MOTION\":\"15.5\",\"ECCENTRICITY\":0.0005,"
           "\"INCLINATION\":51.64,\"RA_OF_ASC_NODE\":120,\"ARG_OF_PERICENTER\":80,\"MEAN_ANOMALY\":280}";
}

std::string xmlRecord(int number) {
    return "<omm><body><segment><metadata><OBJECT_NAME>SAT</OBJECT_NAME></metadata><data><meanElements>"
           "<EPOCH>2026-12-06T12:00:00</EPOCH><MEAN_MOTION>15.5</MEAN_MOTION><ECCENTRICITY>0.0005</ECCENTRICITY>"
           "<INCLINATION>51.64</INCLINATION><RA_OF_ASC_NODE>120</RA_OF_ASC_NODE>"
           "<ARG_OF_PERICENTER>80</ARG_OF_PERICENTER><MEAN_ANOMALY>280</MEAN_ANOMALY></meanElements>"
           "<tleParameters><NORAD_CAT_ID>" +
           std::to_string(number) + "</NORAD_CAT_ID></tleParameters></data></segment></body></omm>";
}

}  // namespace

TEST(OmmForms, LoadTheSameSetsAsTheTwoLineFilesTheyWereConvertedFrom) {
    for (const char* stem : {"sample", "six_digit"}) {
        const auto tle = loaded(readText(kOmmDir + stem + ".tle"));
        ASSERT_GT(tle->count, 0) << stem;
        for (const char* form : kOmmForms) {
            const std::string where = std::string(stem) + "." + form;
            ElementSetLoad report;
            const auto omm = loaded(readText(kOmmDir + where), &report);
            ASSERT_EQ(omm->count, tle->count) << where;
            EXPECT_EQ(report.skipped, 0) << where;
            EXPECT_NE(report.form, ElementSetForm::TwoLine) << where;
            for (int i = 0; i < tle->count; ++i) {
                EXPECT_EQ(omm->selected[i], 1);
                expectSameSet(omm->entries[i], tle->entries[i], where + " set " + std::to_string(i));
            }
        }
    }
}

// The form is told by the content: a two-line file named .csv is two-line sets.
TEST(OmmForms, ToldByContentNotByName) {
    const std::string twoLine = readText(kOmmDir + "sample.tle");
    TemporaryFolder folder;
    RecordingMessageSink messages;
    SatelliteCatalog catalog;
    ASSERT_TRUE(openElementSetFile(folder.write("misnamed.csv", twoLine), catalog, messages));
    EXPECT_EQ(catalog.count, 8);
    ASSERT_TRUE(openElementSetFile(folder.write("misnamed.tle", readText(kOmmDir + "sample.json")), catalog,
                                   messages));
    EXPECT_EQ(catalog.count, 8);

    const std::pair<std::string, ElementSetForm> cases[] = {
        {"\xEF\xBB\xBF \r\n[", ElementSetForm::OmmJson},
        {"{}", ElementSetForm::OmmJson},
        {"\n\t<?xml", ElementSetForm::OmmXml},
        {"\"OBJECT_NAME\",\"NORAD_CAT_ID\"\r\n", ElementSetForm::OmmCsv},
        {"ISS (ZARYA)\nNORAD_CAT_ID\n", ElementSetForm::TwoLine},
        {"", ElementSetForm::TwoLine}};
    for (const auto& [text, form] : cases) {
        EXPECT_EQ(detectElementSetForm(text.data(), static_cast<long>(text.size())), form) << text;
    }
}

// 400 CSV records take more than the 74,001 bytes a two-line file may use:
// all of them load, and the 401st is left out without being counted.
TEST(OmmForms, EveryRecordOfALargeFileLoadsAndTheOpenReportSaysWhatWasLeftOut) {
    std::string csv = kCsvHeader;
    for (int i = 1; i <= 3000; ++i) csv += csvRecord(std::to_string(100000 + i) + std::string(200, ' '));
    TemporaryFolder folder;
    RecordingMessageSink messages;
    auto catalog = std::make_unique<SatelliteCatalog>();
    ASSERT_TRUE(openElementSetFile(folder.write("many.csv", csv), *catalog, messages));
    EXPECT_EQ(catalog->count, 3000);
    EXPECT_EQ(catalog->entries[2999].catalogNumber, 103000);
    ElementSetLoad report;
    loaded(csv, &report);
    EXPECT_EQ(report.skipped, 0);

    // Past the limit of 100,000 sets: read up to it, and the Open command says so.
    std::string many = kCsvHeader;
    const std::string record = csvRecord("7");
    for (int i = 0; i < kCatalogLimit + 2; ++i) many += record;
    Settings settings;
    MemorySettingsStore store;
    int32_t iridium = 0;
    const std::string path = folder.write("all.csv", many);
    ASSERT_TRUE(openElementSetCommand(path, *catalog, settings, store, ProgramFolder{folder.path()}, messages,
                                      iridium));
    EXPECT_EQ(catalog->count, kCatalogLimit);
    EXPECT_EQ(messages.messages.back().text,
              "Data of 100000 satellites successfully read from " + path +
                  "\n2 more satellites in the file were not read: the catalogue holds at most 100000.");
}

TEST(OmmEpoch, IsoTimesAsTwoLineEpochs) {
    double epoch = 0.0;
    ASSERT_TRUE(epochFromIsoTime("2026-12-06T04:31:12.345678", epoch));
    const double oneMicrosecondDays = 1e-6 / 86400.0;
    EXPECT_NEAR(epoch, 26340.0 + (4 * 3600 + 31 * 60 + 12.345678) / 86400.0, oneMicrosecondDays);
    // 1e-8 day is 864 us: the two-line parser's 08264 + 51782528 / 1e8, to the bit.
    ASSERT_TRUE(epochFromIsoTime("2008-09-20T12:25:40.104192Z", epoch));
    EXPECT_EQ(epoch, 8264.0 + 51782528.0 / 1e8);
    ASSERT_TRUE(epochFromIsoTime("2024-366 23:59:59.999999999123", epoch));
    EXPECT_NEAR(epoch, 24367.0, oneMicrosecondDays);
    ASSERT_TRUE(epochFromIsoTime("1957-01-01T00:00:00", epoch));
    EXPECT_EQ(epoch, 57001.0);
    ASSERT_TRUE(epochFromIsoTime("2024-02-29T00:00:00", epoch));
    EXPECT_EQ(epoch, 24060.0);
    for (const char* bad : {"2023-02-29T00:00:00", "2057-01-01T00:00:00", "1956-12-31T23:59:59",
                            "2026-12-06T24:00:00", "2026-12-06T12:00:60", "2026-13-01T00:00:00",
                            "2026-12-06T12:00:00.", "2026-12-06T12:00:00+01:00", "2026-12-06",
                            "2025-366T00:00:00", "26-12-06T12:00:00", ""}) {
        EXPECT_FALSE(epochFromIsoTime(bad, epoch)) << bad;
    }
}

// Every record that cannot be used is skipped and counted; the others load.
TEST(OmmHostile, CsvRecordsThatCannotBeUsedAreSkipped) {
    std::string csv = "\xEF\xBB\xBF" + kCsvHeader + csvRecord("1");
    for (const std::string& bad :
         {csvRecord("0"), csvRecord("2147483648"), csvRecord("25544.0"), csvRecord(""), csvRecord("x"),
          csvRecord("2", "-15.5"), csvRecord("3", "0"), csvRecord("4", "nan"), csvRecord("5", "1e999"),
          csvRecord("6", "15.5", "1"), csvRecord("7", "15.5", "-0.1"), csvRecord("8", "15.5", ""),
          csvRecord("9", std::string(70, '1')), std::string("10,SHORT,2026-12-06T12:00:00,15.5\n"),
          std::string("11,BAD EPOCH,2026-12-06T25:00:00,15.5,0.0005,51.64,120,80,280,0\n"),
          std::string("12,HIGH INCLINATION,2026-12-06T12:00:00,15.5,0.0005,181,120,80,280,0\n"),
          std::string("13,BAD BSTAR,2026-12-06T12:00:00,15.5,0.0005,51.64,120,80,280,1e-4x\n"),
          std::string(100000, 'z') + "\n"}) {
        csv += bad;
    }
    // Extra columns, blank lines, a quoted name with a comma and a quote, a
    // long name, CR LF, and an empty optional field (B* 0) all load.
    csv += "\r\n \n14,\"A, \"\"B\"\"\",2026-12-06T12:00:00,15.5,0.0005,51.64,120,80,280,,extra,\r\n";
    csv += "15," + std::string(40, 'N') + ",2026-12-06T12:00:00,15.5,0.0005,51.64,120,80,280,0\n";
    // Cut off before its last field, as a broken download ends.
    csv += "16,CUT,2026-12-06T12:00:00,15.5,0.0005,51.64,120,80,280";
    ElementSetLoad report;
    const auto catalog = loaded(csv, &report);
    EXPECT_EQ(report.form, ElementSetForm::OmmCsv);
    ASSERT_EQ(catalog->count, 3);
    EXPECT_EQ(report.skipped, 19);
    EXPECT_EQ(catalog->entries[1].catalogNumber, 14);
    EXPECT_STREQ(catalog->entries[1].name, "A, \"B\"");
    EXPECT_EQ(catalog->entries[1].bstar, 0.0);
    EXPECT_EQ(std::string(catalog->entries[2].name), std::string(24, 'N'));
}

TEST(OmmHostile, JsonNumbersAsStringsNestingAndTruncation) {
    // Numbers as strings, a nested object ignored, a record that is no object.
    const std::string second = jsonRecord(2);
    std::string json = "[" + jsonRecord(1) + "," + second.substr(0, second.size() - 1) +
                       ",\"NORAD_CAT_ID\":\"2\",\"x\":{\"NORAD_CAT_ID\":3,\"y\":[1,{\"EPOCH\":0}]}},5,[]," +
                       jsonRecord(3);
    ElementSetLoad report;
    auto catalog = loaded(json + "]", &report);
    ASSERT_EQ(catalog->count, 3);
    EXPECT_EQ(catalog->entries[1].catalogNumber, 2);
    EXPECT_EQ(report.skipped, 2);
    // Cut off inside the last record: the records before it stay.
    catalog = loaded(json.substr(0, json.size() - 20), &report);
    EXPECT_EQ(catalog->count, 2);
    EXPECT_EQ(report.skipped, 3);
    // One object alone; invalid UTF-8 in a string stops the parse there.
    EXPECT_EQ(loaded(jsonRecord(7))->entries[0].catalogNumber, 7);
    EXPECT_EQ(loaded("[" + jsonRecord(1) + ",{\"OBJECT_NAME\":\"\xC3\x28\"}]")->count, 1);
    // Deep nesting does not exhaust the stack.
    EXPECT_EQ(loaded(std::string(1000000, '['))->count, 0);
}

TEST(OmmHostile, XmlTruncationEntitiesAndEncodings) {
    const std::string xml = "<?xml version=\"1.0\"?><ndm>" + xmlRecord(1) + xmlRecord(12345) + "</ndm>";
    ElementSetLoad report;
    EXPECT_EQ(loaded(xml, &report)->count, 2);
    EXPECT_EQ(report.skipped, 0);
    // Cut inside the second record's number, 12345 read as 123: the first
    // record stays, the second is skipped.
    const std::string cut = xml.substr(0, xml.rfind("45</NORAD_CAT_ID>"));
    auto catalog = loaded(cut, &report);
    EXPECT_EQ(catalog->count, 1);
    EXPECT_EQ(report.skipped, 1);

    // Entities of a document type are never expanded.
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">";
    for (int i = 1; i < 10; ++i) {
        laughs += "<!ENTITY lol" + std::to_string(i) + " \"" + std::string("&lol") + (i > 1 ? std::to_string(i - 1) : "") +
                  ";&lol" + (i > 1 ? std::to_string(i - 1) : "") + ";\">";
    }
    laughs += "]><ndm>" + xmlRecord(1);
    laughs.insert(laughs.find("<OBJECT_NAME>") + 13, "&lol9;");
    catalog = loaded(laughs + "</ndm>");
    ASSERT_EQ(catalog->count, 1);
    EXPECT_LT(std::strlen(catalog->entries[0].name), 25u);

    // Namespace prefixes; a declared Latin-1 document becomes UTF-8.
    std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><n:ndm>" + xmlRecord(5) + "</n:ndm>";
    latin1.replace(latin1.find("<omm>"), 5, "<n:omm>");
    latin1.replace(latin1.find("</omm>"), 6, "</n:omm>");
    latin1.replace(latin1.find(">SAT<"), 5, ">S\xE9T<");
    catalog = loaded(latin1);
    ASSERT_EQ(catalog->count, 1);
    EXPECT_STREQ(catalog->entries[0].name, "S\xC3\xA9T");
}

// A satellite numbered past 99999: loaded from CSV, listed with its number,
// its frequencies found, found by the pass search.
TEST(OmmForms, SixDigitSatelliteFromCsv) {
    TemporaryFolder folder;
    folder.write("Frequencies.txt", "Cat Down Up\n10000 1.0 2.0\n100001 145.825 435.100\n");
    auto catalog = std::make_unique<SatelliteCatalog>();
    Settings settings;
    MemorySettingsStore store;
    store.keyPresent = true;
    RecordingMessageSink messages;
    int32_t iridium = 0;
    ASSERT_TRUE(openElementSetCommand(kOmmDir + "six_digit.csv", *catalog, settings, store,
                                      ProgramFolder{folder.path()}, messages, iridium));
    EXPECT_EQ(catalog->currentSet.catalogNumber, 100001);
    EXPECT_DOUBLE_EQ(settings.downlink, static_cast<double>(145.825f));

    SatelliteForm form;
    openSatelliteDialog(form, *catalog, catalog->entries[0].epoch);
    ASSERT_EQ(form.rows.size(), 1u);
    EXPECT_EQ(form.rows[0].catalogNumber, "100001");

    std::string out;
    ASSERT_EQ(RunCli("passes " + kOmmDir +
                         "six_digit.csv --lat 50 --lon 10 --alt 0.1 --start 2026-12-06T12:00:00 --hours 24 "
                         "--sun-elev 90 --min-mag 100",
                     out),
              0);
    EXPECT_NE(out.find("DEMO SIX-DIGIT"), std::string::npos) << out;
}
