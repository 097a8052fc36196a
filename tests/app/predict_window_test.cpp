// The Predict window over the sample sets: its rows against the core's
// search, choosing, sorting and OK; its pass columns, the pass chart a double
// click opens and "Save passes..."; a long search that stays responsive.
#include <memory>
#include <string>

#include <QCheckBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QTableWidget>
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
    static QVariant cell(const PredictWindow& window, int row, int column, int role = Qt::DisplayRole) {
        return window.list()->model()->index(row, column).data(role);
    }
    static int rows(const PredictWindow& window) { return window.list()->model()->rowCount(); }
    static void choose(PredictWindow& window, int row) {
        QTreeView* list = window.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
    }
};

// One window's life: its rows against the core's search, the pass columns,
// choosing and sorting, the pass chart a double click opens, "Save passes...",
// a new search and what OK stores.
TEST_F(PredictWindowTest, FindsTheCoreSearchRowsSortsChoosesChartsSavesAndOkStoresTheLimits) {
    load(1);
    auto window = std::make_unique<PredictWindow>(*state, store, sink);
    window->resize(1500, 640);
    window->show();
    QTest::mouseClick(window->predictButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));

    // The same search straight from the core, from 00:00 UTC: the window opens on local time 01:00.
    auto catalog = std::make_unique<SatelliteCatalog>(state->catalog);
    auto model = std::make_unique<PropagatorState>();
    auto core = std::make_unique<PredictionResults>();
    ElementSet working;
    Observer observer = state->observer;
    PassSearchOptions options;
    options.start = kSeptember21;
    options.hours = 24.0;
    const int passes = RunPassSearch(*model, *catalog, working, observer, options, *core);
    const int count = core->count;
    ASSERT_GT(count, 5);
    ASSERT_EQ(rows(*window), count);
    for (int p = 0; p < count; ++p) {
        const PredictionRow& row = core->rows[count - 1 - p];  // newest on top
        EXPECT_EQ(cell(*window, p, 1).toString().toStdString(), PredictionTimeText(row.time, kOneHour)) << p;
        EXPECT_EQ(cell(*window, p, 5).toInt(), row.satelliteIndex) << p;
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Search result");
    EXPECT_EQ(sink.messages[0].text.rfind("Number of passes " + std::to_string(passes) + " calculated in ", 0), 0u);
    ASSERT_EQ(state->passDetails.size(), static_cast<size_t>(count));
    const PassDetails& newest = state->passDetails[static_cast<size_t>(count - 1)];  // the pass cells are the core's
    EXPECT_EQ(cell(*window, 0, 8).toString().toStdString(), PredictionTimeText(NearestSecond(newest.los), kOneHour));

    choose(*window, 2);
    const PredictionRow& chosen = core->rows[count - 3];
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_EQ(state->clock.pausedDate, chosen.time);
    EXPECT_EQ(state->catalog.current, chosen.satelliteIndex);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, state->catalog.entries[chosen.satelliteIndex].catalogNumber);

    // Sorted by time (a title click), oldest first: the times as numbers, not as texts.
    window->list()->sortByColumn(1, Qt::AscendingOrder);
    auto timeShownAt = [&](int viewRow) {
        return state->predictions.rows[count - 1 - window->listPosition(viewRow)].time;
    };
    for (int p = 1; p < count; ++p) EXPECT_LE(timeShownAt(p - 1), timeShownAt(p)) << p;
    choose(*window, 0);
    EXPECT_EQ(state->clock.pausedDate, timeShownAt(0));

    // Clicking "Max elev" twice: the highest pass on top.
    QHeaderView* header = window->list()->header();
    const QPoint maxElevationTitle(header->sectionViewportPosition(7) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, maxElevationTitle);
    for (int p = 1; p < count; ++p)
        EXPECT_GE(cell(*window, p - 1, 7, Qt::UserRole).toDouble(), cell(*window, p, 7, Qt::UserRole).toDouble());
    SaveScreenshot(window->grab().toImage(), "predict.png");

    // Double-clicking the highest of the passes that begin in the Earth's
    // shadow: its chart, the track in both colours, and its table.
    int shadowed = -1;
    for (int p = 0; p < count && shadowed < 0; ++p)
        if (cell(*window, p, 2).toString() == "Eclipsed") shadowed = p;
    ASSERT_GE(shadowed, 0);
    QTreeView* view = window->list();
    const QPoint centre = view->visualRect(view->model()->index(shadowed, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);  // the item view opens on a pressed row
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
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

    // A new search empties the list as it starts.
    QTest::mouseClick(window->predictButton(), Qt::LeftButton);
    EXPECT_EQ(rows(*window), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));
    EXPECT_EQ(rows(*window), count);
    window->reject();

    // Reopened: the rows again, 24 hours again; OK stores the limits with the
    // replacements for what does not read or lies out of range.
    window = std::make_unique<PredictWindow>(*state, store, sink);
    window->show();
    EXPECT_EQ(rows(*window), count);
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
