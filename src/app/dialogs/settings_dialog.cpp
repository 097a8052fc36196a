#include "app/dialogs/settings_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace vantrek::app {

namespace {

// The boxes in the order of SettingsDialog::box, with their form fields.
bool SettingsForm::*const kBoxFields[] = {
    &SettingsForm::refraction,     &SettingsForm::swapNorthSouth, &SettingsForm::iridiumFlares,
    &SettingsForm::magnitudeFilter, &SettingsForm::sgp8Engine,    &SettingsForm::showPlanets,
    &SettingsForm::sgp8Comparison, &SettingsForm::showAllPaths};

const char* const kBoxTexts[] = {"Atm. refraction",      "Swap N/S",
                                 "Predict Iridium flares", "Minimal magnitude to predict",
                                 "SDP SGP 4/8 ingine",   "Show planets",
                                 "8/4 test",             "Show all pathes"};

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

SettingsDialog::SettingsDialog(AppState& state, SettingsStore& store, QWidget* parent)
    : QDialog(parent), state_(state), store_(store) {
    setWindowTitle("Settings");
    openSettingsDialog(form_, state_.settings);

    uplink_ = new QLineEdit(qs(form_.uplink), this);
    downlink_ = new QLineEdit(qs(form_.downlink), this);
    magnitude_ = new QLineEdit(qs(form_.magnitudeLimit), this);
    magnitude_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), magnitude_));
    stars_ = new QComboBox(this);
    for (const std::string& row : form_.starMagnitudeRows) stars_->addItem(qs(row));
    stars_->setCurrentIndex(form_.starMagnitudeRow);
    for (int i = 0; i < 8; ++i) {
        boxes_[i] = new QCheckBox(kBoxTexts[i], this);
        boxes_[i]->setChecked(form_.*kBoxFields[i]);
    }

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Uplik", this), 0, 0);
    grid->addWidget(new QLabel("Downlink", this), 0, 1);
    grid->addWidget(uplink_, 1, 0);
    grid->addWidget(downlink_, 1, 1);
    grid->addWidget(boxes_[0], 2, 0);
    grid->addWidget(boxes_[1], 2, 1);
    grid->addWidget(new QLabel("Stars magnitude until", this), 3, 0);
    grid->addWidget(stars_, 3, 1);
    grid->addWidget(boxes_[2], 4, 0, 1, 2);
    grid->addWidget(boxes_[3], 5, 0);
    grid->addWidget(magnitude_, 5, 1);
    grid->addWidget(boxes_[4], 6, 0);
    grid->addWidget(boxes_[5], 6, 1);
    grid->addWidget(boxes_[6], 7, 0);
    grid->addWidget(boxes_[7], 7, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void SettingsDialog::accept() {
    form_.uplink = uplink_->text().toStdString();
    form_.downlink = downlink_->text().toStdString();
    form_.magnitudeLimit = magnitude_->text().toStdString();
    form_.starMagnitudeRow = stars_->currentIndex();
    for (int i = 0; i < 8; ++i) form_.*kBoxFields[i] = boxes_[i]->isChecked();
    acceptSettingsDialog(form_, state_.settings, store_, state_.catalog.current);
    QDialog::accept();
}

void RunSettingsDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    SettingsDialog dialog(state, *services.store, parent);
    dialog.exec();
}

}  // namespace vantrek::app
