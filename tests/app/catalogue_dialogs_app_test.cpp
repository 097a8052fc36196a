// The dialogs that choose the catalogue, each walked through its life:
// "Satelites" over the sample sets, and "Get last TLE" against a loopback
// server that answers or stays silent.
#include <chrono>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeView>

#include "app/dialogs/download_dialog.hpp"
#include "app/dialogs/satellites_dialog.hpp"
#include "app_test_support.hpp"
#include "platform/curl_http_client.hpp"
#include "platform/temporary_folder.hpp"

#include "../support/loopback_http_server.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;
using namespace vantrek::app;
using vantrek::testing::LoopbackAnswer;

namespace {

// The view's rows, as the list shows them.
QString cell(SatellitesDialog& dialog, int row, int column) {
    return dialog.list()->model()->index(row, column).data().toString();
}
bool checked(SatellitesDialog& dialog, int row) {
    return dialog.list()->model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}
void check(SatellitesDialog& dialog, int row, bool on) {
    dialog.list()->model()->setData(dialog.list()->model()->index(row, 0), on ? Qt::Checked : Qt::Unchecked,
                                    Qt::CheckStateRole);
}
int rows(SatellitesDialog& dialog) { return dialog.list()->model()->rowCount(); }

}  // namespace

// The eight sample sets, all shown, two days after the ISS epoch; each block
// is one opening of the dialog.
TEST(SatellitesDialog, FiltersSelectsAndOkMakesOnlyACheckedRowTheListShowsCurrent) {
    TemporaryFolder program;
    const ProgramFolder folder{program.path()};
    auto state = std::make_unique<AppState>();
    const std::string sets = vantrek::testing::SampleSets();
    loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
    SatelliteCatalog& catalog = state->catalog;
    std::fill(catalog.selected.begin(), catalog.selected.begin() + 8, 1);
    state->clock.currentDate = 2454732.02;  // 2008-09-22 12:29 UTC
    {
        SatellitesDialog dialog(*state, folder);
        dialog.resize(640, 360);
        dialog.show();
        EXPECT_EQ(dialog.countField()->text(), "8");
        ASSERT_EQ(rows(dialog), 8);
        EXPECT_EQ(cell(dialog, 0, 4), "   7");  // last in the file first
        EXPECT_EQ(cell(dialog, 7, 0), "ISS (ZARYA)");
        EXPECT_EQ(cell(dialog, 7, 3).toStdString(), "2008- 9-20 12:25:40 (2.0 days old)");
        EXPECT_EQ(catalog.currentSet.catalogNumber, 0);  // filling the list loads nothing

        QTest::keyClicks(dialog.filterEdit(), "demo");
        EXPECT_EQ(rows(dialog), 5);
        SaveScreenshot(dialog.grab().toImage(), "satellites.png");
        check(dialog, 2, false);  // slot 5, DEMO POLAR
        dialog.filterEdit()->clear();
        QTest::keyClicks(dialog.filterEdit(), "90002");  // a catalogue number
        EXPECT_EQ(rows(dialog), 1);
        EXPECT_EQ(cell(dialog, 0, 0), "DEMO SUN-SYNCHRONOUS");
        Press(dialog, QDialogButtonBox::Ok);
    }
    // Hidden rows keep their boxes; nothing highlighted, and the last checked
    // row (slot 0) hidden: the last checked row the list shows becomes current.
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(catalog.selected[slot], slot == 5 ? 0 : 1) << slot;
    EXPECT_EQ(catalog.current, 4);
    {
        // Select clears all, checks all, clears all; Cancel keeps what it did.
        catalog.current = 4;
        SatellitesDialog dialog(*state, folder);
        QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
        EXPECT_EQ(catalog.selected[3], 0);
        EXPECT_EQ(catalog.current, 0);
        QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
        EXPECT_TRUE(checked(dialog, 3));
        QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
        Press(dialog, QDialogButtonBox::Cancel);
    }
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(catalog.selected[slot], 0);
    {
        // Nothing checked: no satellite shown, the current one kept.
        catalog.current = 2;
        SatellitesDialog dialog(*state, folder);
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(catalog.current, 2);
    }
    {
        // A checked row the list shows and highlights becomes current.
        SatellitesDialog dialog(*state, folder);
        check(dialog, 6, true);  // slot 1
        check(dialog, 2, true);  // slot 5
        dialog.list()->setCurrentIndex(dialog.list()->model()->index(6, 0));
        Press(dialog, QDialogButtonBox::Ok);
        EXPECT_EQ(catalog.current, 1);
        EXPECT_EQ(catalog.currentSet.catalogNumber, 88888);
    }
    // "demo" + Select: the rows found become the selection (pressed again:
    // cleared); OK makes a row the filter shows current, also after a sort.
    SatellitesDialog dialog(*state, folder);
    dialog.list()->sortByColumn(0, Qt::DescendingOrder);
    QTest::keyClicks(dialog.filterEdit(), "demo");
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    for (int r = 0; r < rows(dialog); ++r) EXPECT_FALSE(checked(dialog, r));
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Ok);
    for (int slot = 0; slot < 8; ++slot) EXPECT_EQ(catalog.selected[slot], slot >= 3 ? 1 : 0) << slot;  // the demo sets
    // The last row the sorted list shows: the demo name first in the alphabet.
    EXPECT_EQ(catalog.current, 7);  // DEMO GEOSTATIONARY
}

// A server that never answers: the dialog says at once whom it waits for,
// Cancel ends the wait within a second and the dialog stays, and closing
// during another wait cancels it too. Then the server answers: one group into
// the catalogue with its log.
TEST(DownloadDialog, CancelOrClosingStopsTheWaitForASilentServerAndAnAnswerFillsTheCatalogue) {
    vantrek::testing::LoopbackHttpServer server;
    TemporaryFolder program;
    auto state = std::make_unique<AppState>();
    MemorySettingsStore store;
    store.keyPresent = true;
    RecordingMessageSink sink;
    CurlHttpClient http;
    std::vector<std::string> opened;
    state->settings.TLE_Url = server.base() + "/NORAD/elements/gp.php?GROUP=%s&FORMAT=tle";
    DownloadDialogServices services{state.get(), &store, &sink, ProgramFolder{program.path()}, &http,
                                    [&](const std::string& url) {
                                        opened.push_back(url);
                                        return true;
                                    }};
    const std::string stations = "/NORAD/elements/gp.php?GROUP=stations&FORMAT=tle";
    server.answer(stations, LoopbackAnswer::special(LoopbackAnswer::Kind::Hang));
    {
        DownloadDialog dialog(services);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Get last TLE");
        EXPECT_EQ(dialog.categories()->currentText(), "International Space Station");
        QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.transferLine()->text() == "Connecting to 127.0.0.1..."; }, 1000))
            << dialog.transferLine()->text().toStdString();
        EXPECT_TRUE(dialog.busy());
        EXPECT_FALSE(dialog.updateAllButton()->isEnabled());
        ASSERT_TRUE(dialog.cancelButton()->isEnabled());

        auto start = std::chrono::steady_clock::now();
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.busy(); }, 2000));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
        EXPECT_TRUE(dialog.isVisible());
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

    server.answer(stations, LoopbackAnswer::whole(200, vantrek::testing::SampleSets()));
    DownloadDialog dialog(services);
    dialog.show();
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.busy());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.busy(); }, 10000));
    EXPECT_EQ(dialog.logView()->toPlainText().toStdString(), "Data of 8 satellites read sucessfully from stations TLE \n");
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
