// The Predict window's pass columns, its pass chart and "Save passes...".
#include <memory>
#include <string>

#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/dialogs/pass_chart_window.hpp"
#include "app/dialogs/predict_window.hpp"
#include "app_test_support.hpp"

#include "../support/sample_sets.hpp"
#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_detail_cells.hpp"
#include "observe/prediction_cells.hpp"
#include "orbit/catalog_loading.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr double kOneHour = 1.0 / 24.0;     // days
constexpr double kSeptember21 = 2454730.5;  // 2008-09-21 00:00 UTC, a day after the ISS epoch

}  // namespace

TEST(PassChartWindow, PassColumnsSortAndADoubleClickShowsThePass) {
    auto state = std::make_unique<AppState>();
    const std::string sets = vantrek::testing::SampleSets();
    loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
    state->localTimeOffset = kOneHour;
    state->clock.currentDate = kSeptember21;
    MemorySettingsStore store;
    store.keyPresent = true;
    RecordingMessageSink sink;
    PredictWindow window(*state, store, sink);
    window.resize(1500, 640);
    window.show();
    QTest::mouseClick(window.predictButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.busy(), 10000);

    QTreeView* list = window.list();
    const QAbstractItemModel* model = list->model();
    auto cell = [&](int row, int column, int role = Qt::DisplayRole) { return model->index(row, column).data(role); };
    const char* const titles[] = {"Sat", "Time", "Status", "Magnitude", "Flare angle", "Nr in file",
                                  "AOS", "Max elev", "LOS", "Duration", "AOS az", "LOS az"};
    ASSERT_EQ(model->columnCount(), 12);
    for (int c = 0; c < 12; ++c) EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString().toStdString(), titles[c]);
    const int rows = state->predictions.count;
    ASSERT_GT(rows, 5);
    ASSERT_EQ(state->passDetails.size(), static_cast<size_t>(rows));
    // Newest row on top until a title is clicked; its pass cells are the core's.
    const PassDetails& newest = state->passDetails[static_cast<size_t>(rows - 1)];
    EXPECT_EQ(cell(0, 8).toString().toStdString(), PredictionTimeText(NearestSecond(newest.los), kOneHour));

    // Clicking "Max elev" twice: the highest pass on top.
    QHeaderView* header = list->header();
    const QPoint maxElevationTitle(header->sectionViewportPosition(7) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    double highest = 0.0;
    for (const PassDetails& pass : state->passDetails) highest = std::max(highest, pass.maxElevation);
    const int stored = rows - 1 - window.listPosition(0);
    EXPECT_EQ(state->passDetails[static_cast<size_t>(stored)].maxElevation, highest);
    for (int p = 1; p < rows; ++p)
        EXPECT_GE(cell(p - 1, 7, Qt::UserRole).toDouble(), cell(p, 7, Qt::UserRole).toDouble());
    SaveScreenshot(window.grab().toImage(), "predict_passes.png");

    // Double-clicking the highest of the passes that begin in the Earth's
    // shadow: its chart, the track in both colours, and its table.
    int shadowed = -1;
    for (int p = 0; p < rows && shadowed < 0; ++p)
        if (cell(p, 2).toString() == "Eclipsed") shadowed = p;
    ASSERT_GE(shadowed, 0);
    const double shadowedTop = cell(shadowed, 7, Qt::UserRole).toDouble();
    const QPoint centre = list->visualRect(model->index(shadowed, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);  // the item view opens on a pressed row
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    PassChartWindow* chart = window.findChild<PassChartWindow*>();
    ASSERT_NE(chart, nullptr);
    const PassDetails& pass = chart->form().chart.pass;
    EXPECT_EQ(pass.maxElevation, shadowedTop);
    EXPECT_EQ(state->catalog.current, pass.satelliteIndex);  // a double click chooses the row too
    int sunlit = 0;
    for (const PassTrackPoint& p : chart->form().chart.track) sunlit += p.sunlit;
    EXPECT_GT(sunlit, 0);
    EXPECT_LT(sunlit, static_cast<int>(chart->form().chart.track.size()));
    const QTableWidget* table = chart->table();
    ASSERT_GE(table->rowCount(), 2);
    EXPECT_EQ(table->columnCount(), 5);
    const CalendarInstant rise = CalendarInstantFromJulian(NearestSecond(pass.aos) + kOneHour);
    EXPECT_EQ(table->item(0, 0)->text(), QString::asprintf("%02d:%02d:%02d", rise.hour, rise.minute, rise.second));
    EXPECT_EQ(table->rowCount(), static_cast<int>(PassDurationSeconds(pass) / 30.0) + 2);
    QTRY_VERIFY(chart->isVisible());
    SaveScreenshot(chart->grab().toImage(), "pass_chart.png");
    chart->close();

    // "Save passes...": a calendar and a table of the listed passes.
    QTemporaryDir folder;
    for (const char* name : {"passes.ics", "passes.csv"}) {
        const QString path = folder.filePath(name);
        window.choosePassesFile = [&](QWidget*) { return path; };
        QTest::mouseClick(window.saveButton(), Qt::LeftButton);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray head = file.read(64);
        EXPECT_TRUE(head.startsWith(std::string(name) == "passes.ics" ? "BEGIN:VCALENDAR\r\n" : "satellite,")) << name;
    }
    EXPECT_EQ(sink.messages.size(), 1u);  // the search's result only
}
