#pragma once

#include <QDialog>

#include "ui/app_state.hpp"
#include "ui/dialogs/position_dialog.hpp"
#include "ui/main_window.hpp"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vantrek::app {

// "Position": a place from Cities.loc, the GPS fix or typed numbers become
// the observer. "Calculate" makes the position current at once and shows it
// as an inertial vector; OK also stores it; Cancel keeps what Calculate did.
class PositionDialog : public QDialog {
    Q_OBJECT

public:
    PositionDialog(AppState& state, const MainWindowServices& services, QWidget* parent = nullptr);

    QComboBox* locations() const { return locations_; }
    QLineEdit* edit(int index) const { return edits_[index]; }  // latitude, longitude, altitude
    QLineEdit* eci(int index) const { return eci_[index]; }     // x, y, z, r
    QPushButton* calculateButton() const { return calculate_; }

    void accept() override;

private:
    void takeEdits();
    void showForm();

    AppState& state_;
    MainWindowServices services_;
    PositionForm form_;
    QComboBox* locations_ = nullptr;
    QLineEdit* edits_[3] = {};
    QLineEdit* eci_[4] = {};
    QPushButton* calculate_ = nullptr;
};

void RunPositionDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
