#pragma once

#include <QDialog>

#include "platform/settings_store.hpp"
#include "ui/app_state.hpp"
#include "ui/dialogs/settings_dialog.hpp"
#include "ui/main_window.hpp"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vantrek::app {

// "Settings": the display and prediction options. OK applies the form with
// its range rules and stores the options; Cancel changes nothing.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(AppState& state, SettingsStore& store, QWidget* parent = nullptr);

    QLineEdit* uplinkEdit() const { return uplink_; }
    QLineEdit* downlinkEdit() const { return downlink_; }
    QLineEdit* magnitudeEdit() const { return magnitude_; }
    QComboBox* starMagnitudes() const { return stars_; }
    // In the order of the form: refraction, swap N/S, flares, magnitude
    // filter, engine, planets, "8/4 test", "Show all pathes".
    QCheckBox* box(int index) const { return boxes_[index]; }

    void accept() override;

private:
    AppState& state_;
    SettingsStore& store_;
    SettingsForm form_;
    QLineEdit* uplink_ = nullptr;
    QLineEdit* downlink_ = nullptr;
    QLineEdit* magnitude_ = nullptr;
    QComboBox* stars_ = nullptr;
    QCheckBox* boxes_[8] = {};
};

// The main window's "Settings", modal.
void RunSettingsDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
