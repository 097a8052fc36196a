// The program with a whole "active" download: 12,000 shown sets in the real
// window, the Satelites dialog and the Predict window (screenshots for the record).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include "app/client_area.hpp"
#include "app/dialogs/predict_window.hpp"
#include "app/dialogs/satellites_dialog.hpp"
#include "app/main_window.hpp"
#include "app_test_support.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"

#include "../support/synthetic_catalog.hpp"

using namespace vantrek;
using namespace vantrek::app;

TEST(WholeCatalogueApp, TwelveThousandSetsInEveryViewAndDialog) {
    QTemporaryDir folder, config;
    RecordingMessageSink sink;
    MainWindow window(SampleWindowOptions(folder, config, sink));
    window.resize(1280, 860);
    window.show();
    AppState& state = window.state();
    state.catalog = *vantrek::testing::ActiveLikeCatalog(12000);
    state.catalog.current = 7;
    loadWorkingElementSet(state.catalog, 7, state.catalog.currentSet);
    state.fileDisplayName = "active.csv";
    state.clock.mode = ClockMode::Stopped;
    state.clock.pausedDate = JulianDateFromEpoch(vantrek::testing::kSyntheticEpoch) + 0.9;

    for (const auto& [command, name] : {std::pair{CmdPlotSky, "sky_12000.png"}, {CmdMapView, "map_12000.png"}}) {
        window.runCommand(command);
        window.tick();
        QApplication::processEvents();
        window.clientArea()->repaint();
        SaveScreenshot(window.grab().toImage(), name);
    }

    SatellitesDialog satellites(state, ProgramFolder{folder.path().toStdString()});
    satellites.resize(700, 420);
    satellites.show();
    EXPECT_EQ(satellites.list()->model()->rowCount(), 12000);
    QTest::keyClicks(satellites.filterEdit(), "synth 11");
    EXPECT_EQ(satellites.list()->model()->rowCount(), 1111);  // 11, 110.., 1100.., 11000..11999
    SaveScreenshot(satellites.grab().toImage(), "satellites_12000.png");
    satellites.reject();

    MemorySettingsStore store;
    PredictWindow predict(state, store, sink);
    predict.resize(900, 560);
    predict.show();
    QTest::mouseClick(predict.predictButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!predict.busy(), 60000);
    EXPECT_GT(predict.list()->model()->rowCount(), 30000);
    SaveScreenshot(predict.grab().toImage(), "predict_12000.png");
    predict.reject();
    window.close();
}
