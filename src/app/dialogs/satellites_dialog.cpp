#include "app/dialogs/satellites_dialog.hpp"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vantrek::app {

namespace {

const char* const kColumnTitles[] = {"Satellite", "Cat #", "Element #", "Epoch", "In file #"};
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
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setColumnCount(kColumns);
    QStringList titles;
    for (const char* title : kColumnTitles) titles << title;
    list_->setHeaderLabels(titles);
    for (int c = 0; c < kColumns; ++c) list_->setColumnWidth(c, kColumnWidths[c]);
    for (const SatelliteRow& row : form_.rows) {
        auto* item = new QTreeWidgetItem(list_, {qs(row.name).trimmed(), qs(row.catalogNumber), qs(row.elementNumber),
                                                 qs(row.epoch), qs(row.slotText)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    showChecks();
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
        showChecks();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SatellitesDialog::showChecks() {
    for (int r = 0; r < list_->topLevelItemCount(); ++r)
        list_->topLevelItem(r)->setCheckState(0, form_.rows[r].checked ? Qt::Checked : Qt::Unchecked);
}

void SatellitesDialog::applyFilter() {
    const std::string filter = filter_->text().trimmed().toStdString();
    for (int r = 0; r < list_->topLevelItemCount(); ++r)
        list_->topLevelItem(r)->setHidden(!satelliteRowShown(form_.rows[r], filter));
}

void SatellitesDialog::accept() {
    for (int r = 0; r < list_->topLevelItemCount(); ++r)
        form_.rows[r].checked = list_->topLevelItem(r)->checkState(0) == Qt::Checked;
    QTreeWidgetItem* highlighted = list_->currentItem();
    form_.highlightedRow = highlighted && highlighted->isSelected() && !highlighted->isHidden()
                               ? list_->indexOfTopLevelItem(highlighted)
                               : -1;
    acceptSatelliteDialog(form_, state_.catalog, folder_, state_.settings);
    QDialog::accept();
}

void RunSatellitesDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    SatellitesDialog dialog(state, services.folder, parent);
    dialog.exec();
}

}  // namespace vantrek::app
