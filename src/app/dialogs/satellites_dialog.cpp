#include "app/dialogs/satellites_dialog.hpp"

#include <vector>

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace vantrek::app {

namespace {

constexpr int kColumnWidths[] = {150, 50, 40, 220, 60};  // pixels
constexpr int kColumns = 5;

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

SatellitesDialog::SatellitesDialog(AppState& state, const ProgramFolder& folder, QWidget* parent)
    : QDialog(parent), state_(state), folder_(folder) {
    setWindowTitle("Satelites");
    openSatelliteDialog(form_, state_.catalog, state_.clock.currentDate);

    count_ = new QLineEdit(qs(form_.count), this);
    count_->setReadOnly(true);
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText("Name or Cat #");
    filter_->setClearButtonEnabled(true);
    rows_ = new SatelliteListModel(form_, this);
    shown_ = new SatelliteFilterModel(form_, this);
    shown_->setSourceModel(rows_);
    list_ = new QTreeView(this);
    list_->setModel(shown_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(true);
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);  // file order until a title is clicked
    for (int c = 0; c < kColumns; ++c) list_->setColumnWidth(c, kColumnWidths[c]);
    list_->setMinimumSize(560, 300);
    select_ = new QPushButton("Select", this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Number of satelites", this));
    top->addWidget(count_);
    top->addStretch();
    top->addWidget(new QLabel("Find", this));
    top->addWidget(filter_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(select_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_);
    layout->addLayout(bottom);

    connect(filter_, &QLineEdit::textChanged, this, &SatellitesDialog::applyFilter);
    connect(select_, &QPushButton::clicked, this, [this] {
        toggleSatelliteSelection(form_, state_.catalog);
        rows_->checksChanged();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SatellitesDialog::applyFilter() {
    form_.filter = filter_->text().trimmed().toStdString();
    shown_->filterChanged();
}

int SatellitesDialog::formRow(int viewRow) const {
    return shown_->mapToSource(shown_->index(viewRow, 0)).row();
}

void SatellitesDialog::accept() {
    // The rows from the top of the list down, as sorted; hidden ones after them.
    form_.listOrder.clear();
    if (shown_->sortColumn() >= 0) {
        std::vector<bool> listed(form_.rows.size(), false);
        for (int r = 0; r < shown_->rowCount(); ++r) {
            const int row = formRow(r);
            form_.listOrder.push_back(row);
            listed[static_cast<std::size_t>(row)] = true;
        }
        for (std::size_t r = 0; r < listed.size(); ++r)
            if (!listed[r]) form_.listOrder.push_back(static_cast<int>(r));
    }
    const QModelIndex highlighted = list_->currentIndex();
    form_.highlightedRow = highlighted.isValid() && list_->selectionModel()->isRowSelected(highlighted.row(), {})
                               ? shown_->mapToSource(highlighted).row()
                               : -1;
    acceptSatelliteDialog(form_, state_.catalog, folder_, state_.settings);
    QDialog::accept();
}

void RunSatellitesDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    SatellitesDialog dialog(state, services.folder, parent);
    dialog.exec();
}

}  // namespace vantrek::app
