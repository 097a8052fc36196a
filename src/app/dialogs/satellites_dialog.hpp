#pragma once

#include <QDialog>

#include "platform/program_folder.hpp"
#include "ui/app_state.hpp"
#include "ui/dialogs/satellite_dialog.hpp"
#include "ui/main_window.hpp"

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vantrek::app {

// "Satelites": the loaded sets with a check box each, last in the file first.
// The filter only hides rows; OK applies every row, shown or hidden.
class SatellitesDialog : public QDialog {
    Q_OBJECT

public:
    SatellitesDialog(AppState& state, const ProgramFolder& folder, QWidget* parent = nullptr);

    QLineEdit* countField() const { return count_; }
    QLineEdit* filterEdit() const { return filter_; }
    QTreeWidget* list() const { return list_; }
    QPushButton* selectButton() const { return select_; }

    void accept() override;

private:
    void showChecks();
    void applyFilter();

    AppState& state_;
    ProgramFolder folder_;
    SatelliteForm form_;
    QLineEdit* count_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* select_ = nullptr;
};

// The main window's "Sat select", modal.
void RunSatellitesDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
