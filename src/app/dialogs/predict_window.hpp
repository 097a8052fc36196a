#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

#include "platform/message_sink.hpp"
#include "platform/settings_store.hpp"
#include "app/dialogs/prediction_list_model.hpp"
#include "ui/app_state.hpp"
#include "ui/pass_search_worker.hpp"
#include "ui/dialogs/predict_dialog.hpp"
#include "ui/main_window.hpp"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimeEdit;
class QSortFilterProxyModel;
class QTreeView;

namespace vantrek::app {

// "Predict window". The search runs on a worker thread over its own copies,
// so the window and the views behind it go on; the bars follow it, "Predict"
// becomes "Stop" meanwhile, and closing the window stops it first. Choosing
// rows stops the clock at a row's time and makes its satellite current.
class PredictWindow : public QDialog {
    Q_OBJECT

public:
    PredictWindow(AppState& state, SettingsStore& store, MessageSink& messages,
                  QWidget* parent = nullptr);
    ~PredictWindow() override;

    bool busy() const { return PassSearchRunning(worker_); }
    QDateEdit* dateEdit() const { return date_; }
    QTimeEdit* timeEdit() const { return time_; }
    QLineEdit* hoursEdit() const { return hours_; }
    QLineEdit* satelliteElevationEdit() const { return satelliteElevation_; }
    QLineEdit* sunElevationEdit() const { return sunElevation_; }
    QCheckBox* flaresBox() const { return flares_; }
    QCheckBox* magnitudeFilterBox() const { return filter_; }
    QLineEdit* magnitudeEdit() const { return magnitude_; }
    QPushButton* predictButton() const { return predict_; }
    QTreeView* list() const { return list_; }
    // The list position (newest row first, as stored) a row of the view shows.
    int listPosition(int viewRow) const;
    QProgressBar* satellitesBar() const { return satellitesBar_; }
    QProgressBar* periodBar() const { return periodBar_; }
    QPushButton* saveButton() const { return save_; }

    // Where "Save passes..." writes: asks with a file chooser unless replaced.
    std::function<QString(QWidget*)> choosePassesFile;
    // Frequencies.txt for the pass chart's Doppler column; none by default.
    void setProgramFolder(const ProgramFolder& folder) { folder_ = folder; hasFolder_ = true; }
    // The chart of the row at form position `position` (double-click on a row).
    void openPassChart(int position);

    void accept() override;
    void done(int result) override;

private:
    void readForm();
    void predictOrStop();
    void showProgress();
    void finishSearch(bool report);
    void stopSearch();
    void showRows();
    std::vector<int> chosenPositions() const;

    AppState& state_;
    SettingsStore& store_;
    MessageSink& messages_;
    PredictForm form_;
    PassSearchWorker worker_;
    QTimer poll_;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QLineEdit* hours_ = nullptr;
    QLineEdit* satelliteElevation_ = nullptr;
    QLineEdit* sunElevation_ = nullptr;
    QCheckBox* flares_ = nullptr;
    QCheckBox* filter_ = nullptr;
    QLineEdit* magnitude_ = nullptr;
    QPushButton* predict_ = nullptr;
    QTreeView* list_ = nullptr;
    PredictionListModel* rows_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QProgressBar* satellitesBar_ = nullptr;
    QProgressBar* periodBar_ = nullptr;
    QPushButton* save_ = nullptr;
    ProgramFolder folder_;
    bool hasFolder_ = false;
};

// The main window's "Predict", modal.
void RunPredictWindow(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
