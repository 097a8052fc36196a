#include "app/dialogs/predict_window.hpp"

#include <memory>
#include <string>

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app_test_support.hpp"

#include "../support/sample_sets.hpp"
#include "observe/pass_search.hpp"
#include "observe/prediction_cells.hpp"
#include "orbit/catalog_loading.hpp"

using namespace vantrek;
using namespace vantrek::app;

namespace {

constexpr double kOneHour = 1.0 / 24.0;        // days
constexpr double kSeptember21 = 2454730.5;     // 2008-09-21 00:00 UTC, a day after the ISS epoch

struct PredictWindowFixture : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    MemorySettingsStore store;
    RecordingMessageSink sink;

    // `copies` of the eight sample sets, all selected.
    void load(int copies) {
        std::string sets;
        for (int c = 0; c < copies; ++c) sets += vantrek::testing::SampleSets();
        loadElementSets(state->catalog, sets.data(), static_cast<long>(sets.size()));
        store.keyPresent = true;
    }

    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    static void choose(PredictWindow& window, int row) {
        QTreeView* list = window.list();
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    static int rows(const PredictWindow& window) { return window.list()->model()->rowCount(); }

    static std::string cell(const PredictWindow& window, int row, int column) {
        return window.list()->model()->index(row, column).data().toString().toStdString();
    }
};

TEST_F(PredictWindowFixture, FindsTheCoreSearchRowsAndChoosingOneStopsTheClockThere) {
    load(1);
    state->localTimeOffset = kOneHour;
    state->clock.currentDate = kSeptember21;
    auto window = std::make_unique<PredictWindow>(*state, store, sink);
    window->show();
    EXPECT_EQ(window->windowTitle(), "Predict window");
    EXPECT_EQ(window->dateEdit()->date(), QDate(2008, 9, 21));  // local time
    EXPECT_EQ(window->timeEdit()->time(), QTime(1, 0, 0));
    EXPECT_EQ(window->hoursEdit()->text(), "24");
    EXPECT_EQ(window->satelliteElevationEdit()->text(), "2.000000");

    QTest::mouseClick(window->predictButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), 10000);

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
        EXPECT_EQ(cell(*window, p, 1), PredictionTimeText(row.time, kOneHour)) << p;
        EXPECT_EQ(std::stoi(cell(*window, p, 5)), row.satelliteIndex) << p;
        EXPECT_EQ(state->predictions.rows[core->count - 1 - p].time, row.time) << p;
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].caption, "Search result");
    EXPECT_EQ(sink.messages[0].text.rfind("Number of passes " + std::to_string(passes) + " calculated in ", 0),
              0u);

    choose(*window, 2);
    const PredictionRow& chosen = core->rows[core->count - 3];
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_EQ(state->clock.pausedDate, chosen.time);
    EXPECT_EQ(state->catalog.current, chosen.satelliteIndex);
    EXPECT_EQ(state->catalog.currentSet.catalogNumber,
              state->catalog.entries[chosen.satelliteIndex].catalogNumber);
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
    QTRY_VERIFY_WITH_TIMEOUT(!window->busy(), 10000);
    EXPECT_EQ(rows(*window), core->count);
    window->reject();

    // Reopened: the rows again, 24 hours again; OK stores the limits with the
    // replacements for what does not read or lies out of range.
    window = std::make_unique<PredictWindow>(*state, store, sink);
    window->show();
    EXPECT_EQ(rows(*window), core->count);
    retype(window->hoursEdit(), "abc");
    retype(window->satelliteElevationEdit(), "95");
    retype(window->magnitudeEdit(), "x");
    QTest::mouseClick(window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    Settings saved;
    LoadSettings(store, saved);
    EXPECT_EQ(saved.Sat_ele, 0.0);
    EXPECT_EQ(saved.SatPredictMag, 20);
    EXPECT_EQ(state->settings.Sat_ele, 0.0);

    // OK takes the magnitude without the range "Predict" applies.
    window = std::make_unique<PredictWindow>(*state, store, sink);
    retype(window->magnitudeEdit(), "25");
    window->accept();
    window = std::make_unique<PredictWindow>(*state, store, sink);
    EXPECT_EQ(window->magnitudeEdit()->text(), "25");
}

TEST_F(PredictWindowFixture, StaysResponsiveDuringALongSearchAndStopKeepsTheRows) {
    load(50);  // 400 sets
    ASSERT_EQ(state->catalog.count, 400);
    state->clock.currentDate = kSeptember21;
    PredictWindow window(*state, store, sink);
    window.show();
    retype(window.hoursEdit(), "100");
    QTest::mouseClick(window.magnitudeFilterBox(), Qt::LeftButton, {},
                      QPoint(4, window.magnitudeFilterBox()->height() / 2));
    retype(window.magnitudeEdit(), "0");  // few rows, so every satellite is walked through

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
    QTRY_VERIFY_WITH_TIMEOUT(!window.busy(), 20000);

    EXPECT_TRUE(stopped);
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
