#pragma once

#include <QDialog>
#include <QTimer>

#include "platform/settings_store.hpp"
#include "station/station_probe.hpp"
#include "ui/app_state.hpp"
#include "ui/dialogs/station_dialog.hpp"
#include "ui/main_window.hpp"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrek::app {

// "Radio and rotator": where rigctld and rotctld listen, the rotator's
// limits, park position and steps. "Test" asks both daemons on a thread of its
// own and shows what they said; OK applies and stores, Cancel changes nothing.
class StationDialog : public QDialog {
    Q_OBJECT

public:
    StationDialog(AppState& state, SettingsStore& store, QWidget* parent = nullptr);

    enum Edit { RadioHost, RadioPort, RotatorHost, RotatorPort, AzimuthMin, AzimuthMax, TrackElevation,
                ParkAzimuth, ParkElevation, DopplerStep, AngleStep, EditCount };
    QLineEdit* edit(Edit which) const { return edits_[which]; }
    QCheckBox* radioBox() const { return radio_; }
    QCheckBox* rotatorBox() const { return rotator_; }
    QCheckBox* parkBox() const { return park_; }
    QComboBox* elevationMax() const { return elevationMax_; }
    QPushButton* testButton() const { return test_; }
    QLabel* testReport() const { return report_; }

    void accept() override;

private:
    StationForm takeForm() const;
    void startTest();
    void checkTest();

    AppState& state_;
    SettingsStore& store_;
    QLineEdit* edits_[EditCount] = {};
    QCheckBox* radio_ = nullptr;
    QCheckBox* rotator_ = nullptr;
    QCheckBox* park_ = nullptr;
    QComboBox* elevationMax_ = nullptr;
    QPushButton* test_ = nullptr;
    QLabel* report_ = nullptr;
    QTimer poll_;
    StationProbe probe_;  // last member: a running probe ends before the widgets go
};

void RunStationDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
