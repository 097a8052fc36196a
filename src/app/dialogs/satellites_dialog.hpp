#pragma once

#include <QDialog>

#include "platform/program_folder.hpp"
#include "ui/app_state.hpp"
#include "app/dialogs/satellite_list_model.hpp"
#include "ui/dialogs/satellite_dialog.hpp"
#include "ui/main_window.hpp"

class QLineEdit;
class QPushButton;
class QTreeView;

namespace vantrek::app {

// "Satelites": the loaded sets with a check box each, last in the file first,
// in a model/view list that sorts by any column. The filter hides rows as the
// user types; OK applies every row, shown or hidden; "Select" acts on the
// rows shown.
class SatellitesDialog : public QDialog {
    Q_OBJECT

public:
    SatellitesDialog(AppState& state, const ProgramFolder& folder, QWidget* parent = nullptr);

    QLineEdit* countField() const { return count_; }
    QLineEdit* filterEdit() const { return filter_; }
    QTreeView* list() const { return list_; }
    // The form row a row of the view shows.
    int formRow(int viewRow) const;
    const SatelliteForm& form() const { return form_; }
    QPushButton* selectButton() const { return select_; }

    void accept() override;

private:
    void applyFilter();

    AppState& state_;
    ProgramFolder folder_;
    SatelliteForm form_;
    QLineEdit* count_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTreeView* list_ = nullptr;
    SatelliteListModel* rows_ = nullptr;
    SatelliteFilterModel* shown_ = nullptr;
    QPushButton* select_ = nullptr;
};

// The main window's "Sat select", modal.
void RunSatellitesDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
