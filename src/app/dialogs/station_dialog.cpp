#include "app/dialogs/station_dialog.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrek::app {

namespace {

constexpr int kTestPollMs = 50;

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

StationDialog::StationDialog(AppState& state, SettingsStore& store, QWidget* parent)
    : QDialog(parent), state_(state), store_(store) {
    setWindowTitle("Radio and rotator");
    const StationForm form = OpenStationDialog(state_.settings);
    const std::string* values[EditCount] = {&form.radioHost,      &form.radioPort,     &form.rotatorHost,
                                            &form.rotatorPort,    &form.azimuthMin,    &form.azimuthMax,
                                            &form.trackElevation, &form.parkAzimuth,   &form.parkElevation,
                                            &form.dopplerStep,    &form.angleStep};
    for (int i = 0; i < EditCount; ++i) edits_[i] = new QLineEdit(text(*values[i]), this);

    radio_ = new QCheckBox("Tune the radio", this);
    radio_->setChecked(form.radioEnabled);
    auto* radioBox = new QGroupBox("Radio (rigctld)", this);
    auto* radioGrid = new QGridLayout(radioBox);
    radioGrid->addWidget(radio_, 0, 0, 1, 4);
    radioGrid->addWidget(new QLabel("Host", radioBox), 1, 0);
    radioGrid->addWidget(edits_[RadioHost], 1, 1);
    radioGrid->addWidget(new QLabel("Port", radioBox), 1, 2);
    radioGrid->addWidget(edits_[RadioPort], 1, 3);

    rotator_ = new QCheckBox("Turn the rotator", this);
    rotator_->setChecked(form.rotatorEnabled);
    elevationMax_ = new QComboBox(this);
    for (const std::string& row : form.elevationMaxRows) elevationMax_->addItem(text(row));
    elevationMax_->setCurrentIndex(form.elevationMaxRow);
    park_ = new QCheckBox("Park after each pass", this);
    park_->setChecked(form.parkAfterPass);
    auto* rotatorBox = new QGroupBox("Rotator (rotctld)", this);
    auto* rotatorGrid = new QGridLayout(rotatorBox);
    rotatorGrid->addWidget(rotator_, 0, 0, 1, 4);
    rotatorGrid->addWidget(new QLabel("Host", rotatorBox), 1, 0);
    rotatorGrid->addWidget(edits_[RotatorHost], 1, 1);
    rotatorGrid->addWidget(new QLabel("Port", rotatorBox), 1, 2);
    rotatorGrid->addWidget(edits_[RotatorPort], 1, 3);
    rotatorGrid->addWidget(new QLabel("Azimuth from [deg]", rotatorBox), 2, 0);
    rotatorGrid->addWidget(edits_[AzimuthMin], 2, 1);
    rotatorGrid->addWidget(new QLabel("to", rotatorBox), 2, 2);
    rotatorGrid->addWidget(edits_[AzimuthMax], 2, 3);
    rotatorGrid->addWidget(new QLabel("Elevation up to [deg]", rotatorBox), 3, 0);
    rotatorGrid->addWidget(elevationMax_, 3, 1);
    rotatorGrid->addWidget(new QLabel("Park azimuth [deg]", rotatorBox), 4, 0);
    rotatorGrid->addWidget(edits_[ParkAzimuth], 4, 1);
    rotatorGrid->addWidget(new QLabel("elevation", rotatorBox), 4, 2);
    rotatorGrid->addWidget(edits_[ParkElevation], 4, 3);
    rotatorGrid->addWidget(park_, 5, 0, 1, 4);

    auto* tracking = new QFormLayout;
    tracking->addRow("Tracking starts at elevation [deg]", edits_[TrackElevation]);
    tracking->addRow("Doppler step [Hz]", edits_[DopplerStep]);
    tracking->addRow("Angle step [deg]", edits_[AngleStep]);

    test_ = new QPushButton("Test", this);
    report_ = new QLabel(this);
    report_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    report_->setWordWrap(true);
    // Room for the two lines of a report, so that the dialog does not jump.
    report_->setMinimumHeight(2 * report_->fontMetrics().lineSpacing() + 4);
    auto* testRow = new QHBoxLayout;
    testRow->addWidget(test_);
    testRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(radioBox);
    layout->addWidget(rotatorBox);
    layout->addLayout(tracking);
    layout->addLayout(testRow);
    layout->addWidget(report_);
    layout->addWidget(buttons);

    connect(test_, &QPushButton::clicked, this, &StationDialog::startTest);
    connect(&poll_, &QTimer::timeout, this, &StationDialog::checkTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

StationForm StationDialog::takeForm() const {
    StationForm form = OpenStationDialog(state_.settings);
    std::string* values[EditCount] = {&form.radioHost,      &form.radioPort,     &form.rotatorHost,
                                      &form.rotatorPort,    &form.azimuthMin,    &form.azimuthMax,
                                      &form.trackElevation, &form.parkAzimuth,   &form.parkElevation,
                                      &form.dopplerStep,    &form.angleStep};
    for (int i = 0; i < EditCount; ++i) *values[i] = edits_[i]->text().toStdString();
    form.radioEnabled = radio_->isChecked();
    form.rotatorEnabled = rotator_->isChecked();
    form.parkAfterPass = park_->isChecked();
    form.elevationMaxRow = elevationMax_->currentIndex();
    return form;
}

void StationDialog::startTest() {
    const StationForm form = takeForm();
    if (!StartStationProbe(probe_, RadioEndpointOf(form), RotatorEndpointOf(form))) return;
    test_->setEnabled(false);
    report_->setText("Asking the daemons ...");
    poll_.start(kTestPollMs);
    checkTest();
}

void StationDialog::checkTest() {
    if (!StationProbeFinished(probe_)) return;
    poll_.stop();
    const StationProbeReport report = TakeStationProbe(probe_);
    report_->setText(text(report.radio + "\n" + report.rotator));
    test_->setEnabled(true);
}

void StationDialog::accept() {
    AcceptStationDialog(takeForm(), state_.settings, store_);
    QDialog::accept();
}

void RunStationDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    StationDialog dialog(state, *services.store, parent);
    dialog.exec();
}

}  // namespace vantrek::app
