// The Predict window over the sample sets: its rows against the core's
// search, choosing, sorting and OK; its pass columns, the pass chart a double
// click opens and "Save passes..."; a long search that stays responsive.
#include <memory>
#include <string>

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeView>

#include "app/dialogs/pass_chart_window.hpp"
#include "app/dialogs/predict_window.hpp"
#include "app_test_support.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_detail_cells.hpp"
#include "observe/pass_search.hpp"
#include "observe/prediction_cells.hpp"

#include "../support/sample_sets.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr double kOneHour = 1.0 / 24.0;     // days
constexpr double kSeptember21 = 2454730.5;  // 2008-09-21 00:00 UTC, a day after the ISS epoch

struct PredictWindowTest : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    MemorySettingsStore store;
    RecordingMessageSink sink;

    // `copies` of the eight sample sets, all selected, the clock and the
    // search starting on 2008-09-21, local time an hour ahead.
    void load(int copies) {
        std::string sets;
        for (int c = 0; c < copies; ++c) sets += vantrek::testing::SampleSets();
        loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
        store.keyPresent = true;
        state->localTimeOffset = kOneHour;
        state->clock.currentDate = kSeptember21;
    }
    // A window of `size` over the sample whose first search has ended.
    std::unique_ptr<PredictWindow> searched(QSize size) {
        load(1);
        auto window = std::make_unique<PredictWindow>(*state, store, sink);
        window->resize(size);
        window->show();
        QTest::mouseClick(window->predictButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));
        return window;
    }
    static QVariant cell(const PredictWindow& window, int row, int column, int role = Qt::DisplayRole) {
        return window.list()->model()->index(row, column).data(role);
    }
    static int rows(const PredictWindow& window) { return window.list()->model()->rowCount(); }
    static void choose(PredictWindow& window, int row) {
        QTreeView* list = window.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    }
};

TEST_F(PredictWindowTest, FindsTheCoreSearchRowsChoosingOneStopsTheClockThereAndOkStoresTheLimits) {
    load(1);
    auto window = std::make_unique<PredictWindow>(*state, store, sink);
    window->show();
    EXPECT_EQ(window->dateEdit()->date(), QDate(2008, 9, 21));  // local time
    EXPECT_EQ(window->timeEdit()->time(), QTime(1, 0, 0));
    EXPECT_EQ(window->hoursEdit()->text(), "24");
    QTest::mouseClick(window->predictButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));

    // The same search straight from the core.
    auto catalog = std::make_unique<SatelliteCatalog>(state->catalog);
    auto model = std::make_unique<PropagatorState>();
    auto core = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = state->observer;
    PassSearchOptions options;
    options.start = kSeptember21;
    options.hours = 24.0;
    const int passes = RunPassSearch(*model, *catalog, working, observer, options, *core);
    ASSERT_GT(core->count, 5);
    ASSERT_EQ(rows(*window), core->count);
    for (int p = 0; p < core->count; ++p) {
        const PredictionRow& row = core->rows[core->count - 1 - p];  // newest on top
        EXPECT_EQ(cell(*window, p, 1).toString().toStdString(), PredictionTimeText(row.time, kOneHour)) << p;
        EXPECT_EQ(cell(*window, p, 5).toInt(), row.satelliteIndex) << p;
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Search result");
    EXPECT_EQ(sink.messages[0].text.rfind("Number of passes " + std::to_string(passes) + " calculated in ", 0), 0u);

    choose(*window, 2);
    const PredictionRow& chosen = core->rows[core->count - 3];
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_EQ(state->clock.pausedDate, chosen.time);
    EXPECT_EQ(state->catalog.current, chosen.satelliteIndex);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, state->catalog.entries[chosen.satelliteIndex].catalogNumber);
    SaveScreenshot(window->grab().toImage(), "predict.png");

    // Sorted by time (a title click), oldest first: the times as numbers, not as texts.
    window->list()->sortByColumn(1, Qt::AscendingOrder);
    auto timeShownAt = [&](int viewRow) {
        return state->predictions.rows[core->count - 1 - window->listPosition(viewRow)].time;
    };
    for (int p = 1; p < core->count; ++p) EXPECT_LE(timeShownAt(p - 1), timeShownAt(p)) << p;
    choose(*window, 0);
    EXPECT_EQ(state->clock.pausedDate, timeShownAt(0));

    // A new search empties the list as it starts.
    QTest::mouseClick(window->predictButton(), Qt::LeftButton);
    EXPECT_EQ(rows(*window), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));
    EXPECT_EQ(rows(*window), core->count);
    window->reject();

    // Reopened: the rows again, 24 hours again; OK stores the limits with the
    // replacements for what does not read or lies out of range.
    window = std::make_unique<PredictWindow>(*state, store, sink);
    window->show();
    EXPECT_EQ(rows(*window), core->count);
    Retype(window->hoursEdit(), "abc");
    Retype(window->satelliteElevationEdit(), "95");
    Retype(window->magnitudeEdit(), "x");
    Press(*window, QDialogButtonBox::Ok);
    const Settings saved = StoredSettings(store);
    EXPECT_EQ(saved.Sat_ele, 0.0);
    EXPECT_EQ(saved.SatPredictMag, 20);

    // OK takes the magnitude without the range "Predict" applies.
    window = std::make_unique<PredictWindow>(*state, store, sink);
    Retype(window->magnitudeEdit(), "25");
    window->accept();
    window = std::make_unique<PredictWindow>(*state, store, sink);
    EXPECT_EQ(window->magnitudeEdit()->text(), "25");
}

TEST_F(PredictWindowTest, PassColumnsSortADoubleClickShowsThePassChartAndSavePassesWritesBothForms) {
    std::unique_ptr<PredictWindow> window = searched({1500, 640});
    const char* const titles[] = {"Sat", "Time", "Status", "Magnitude", "Flare angle", "Nr in file",
                                  "AOS", "Max elev", "LOS", "Duration", "AOS az", "LOS az"};
    const QAbstractItemModel* model = window->list()->model();
    ASSERT_EQ(model->columnCount(), 12);
    for (int c = 0; c < 12; ++c) EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString().toStdString(), titles[c]);
    const int count = state->predictions.count;
    ASSERT_GT(count, 5);
    ASSERT_EQ(state->passDetails.size(), static_cast<size_t>(count));
    // Newest row on top until a title is clicked; its pass cells are the core's.
    const PassDetails& newest = state->passDetails[static_cast<size_t>(count - 1)];
    EXPECT_EQ(cell(*window, 0, 8).toString().toStdString(), PredictionTimeText(NearestSecond(newest.los), kOneHour));

    // Clicking "Max elev" twice: the highest pass on top.
    QHeaderView* header = window->list()->header();
    const QPoint maxElevationTitle(header->sectionViewportPosition(7) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    for (int p = 1; p < count; ++p)
        EXPECT_GE(cell(*window, p - 1, 7, Qt::UserRole).toDouble(), cell(*window, p, 7, Qt::UserRole).toDouble());
    SaveScreenshot(window->grab().toImage(), "predict_passes.png");

    // Double-clicking the highest of the passes that begin in the Earth's
    // shadow: its chart, the track in both colours, and its table.
    int shadowed = -1;
    for (int p = 0; p < count && shadowed < 0; ++p)
        if (cell(*window, p, 2).toString() == "Eclipsed") shadowed = p;
    ASSERT_GE(shadowed, 0);
    QTreeView* list = window->list();
    const QPoint centre = list->visualRect(model->index(shadowed, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);  // the item view opens on a pressed row
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    PassChartWindow* chart = window->findChild<PassChartWindow*>();
    ASSERT_NE(chart, nullptr);
    const PassDetails& pass = chart->form().chart.pass;
    EXPECT_EQ(pass.maxElevation, cell(*window, shadowed, 7, Qt::UserRole).toDouble());
    EXPECT_EQ(state->catalog.current, pass.satelliteIndex);  // a double click chooses the row too
    int sunlit = 0;
    for (const PassTrackPoint& p : chart->form().chart.track) sunlit += p.sunlit;
    EXPECT_GT(sunlit, 0);
    EXPECT_LT(sunlit, static_cast<int>(chart->form().chart.track.size()));
    const QTableWidget* table = chart->table();
    ASSERT_GE(table->rowCount(), 2);
    const CalendarInstant rise = CalendarInstantFromJulian(NearestSecond(pass.aos) + kOneHour);
    EXPECT_EQ(table->item(0, 0)->text(), QString::asprintf("%02d:%02d:%02d", rise.hour, rise.minute, rise.second));
    ASSERT_TRUE(QTest::qWaitFor([&] { return chart->isVisible(); }));
    SaveScreenshot(chart->grab().toImage(), "pass_chart.png");
    chart->close();

    // "Save passes...": a calendar and a table of the listed passes.
    QTemporaryDir folder;
    for (const char* name : {"passes.ics", "passes.csv"}) {
        const QString path = folder.filePath(name);
        window->choosePassesFile = [&](QWidget*) { return path; };
        QTest::mouseClick(window->saveButton(), Qt::LeftButton);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(file.read(64).startsWith(std::string(name) == "passes.ics" ? "BEGIN:VCALENDAR\r\n" : "satellite,"))
            << name;
    }
    EXPECT_EQ(sink.messages.size(), 1u);  // the search's result only
}

TEST_F(PredictWindowTest, StaysResponsiveDuringALongSearchAndStopKeepsTheRows) {
    load(50);  // 400 sets
    PredictWindow window(*state, store, sink);
    window.show();
    Retype(window.hoursEdit(), "100");
    QTest::mouseClick(window.magnitudeFilterBox(), Qt::LeftButton, {}, QPoint(4, window.magnitudeFilterBox()->height() / 2));
    Retype(window.magnitudeEdit(), "0");  // few rows, so every satellite is walked through

    int ticksWhileBusy = 0;
    bool stopped = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!window.busy()) return;
        ++ticksWhileBusy;
        if (!stopped && window.satellitesBar()->value() >= 1) {
            stopped = true;
            EXPECT_EQ(window.predictButton()->text(), "Stop");
            QTest::mouseClick(window.predictButton(), Qt::LeftButton);
        }
    });
    timer.start(0);
    QTest::mouseClick(window.predictButton(), Qt::LeftButton);
    ASSERT_TRUE(window.busy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.busy(); }, 20000));
    EXPECT_GT(ticksWhileBusy, 1);
    EXPECT_LT(window.satellitesBar()->value(), 400);  // ended early
    EXPECT_GT(state->predictions.count, 0);            // with the rows found so far
    EXPECT_EQ(rows(window), state->predictions.count);
    EXPECT_EQ(window.predictButton()->text(), "Predict");
    EXPECT_EQ(sink.messages.size(), 1u);  // a stopped search reports too

    // Closing during a search stops it first, without a report.
    timer.stop();
    QTest::mouseClick(window.predictButton(), Qt::LeftButton);
    ASSERT_TRUE(window.busy());
    window.reject();
    EXPECT_FALSE(window.busy());
    EXPECT_EQ(sink.messages.size(), 1u);
}

}  // namespace
