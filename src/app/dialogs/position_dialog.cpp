#include "app/dialogs/position_dialog.hpp"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gps/gps_fix.hpp"

namespace vantrek::app {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PositionDialog::PositionDialog(AppState& state, const MainWindowServices& services, QWidget* parent)
    : QDialog(parent), state_(state), services_(services) {
    setWindowTitle("Position");
    openPositionDialog(form_, services_.folder, *services_.store, state_.settings, state_.observer,
                       *services_.messages);

    locations_ = new QComboBox(this);
    for (const std::string& name : form_.locations) locations_->addItem(qs(name));
    locations_->setCurrentIndex(form_.selectedRow);
    const char* const labels[] = {"Lat(N) [deg]", "Lon(E) [deg]", "Alt [m]"};
    const char* const eciLabels[] = {"x =", "y =", "z =", "r ="};
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Location", this), 0, 0);
    grid->addWidget(locations_, 0, 1, 1, 3);
    for (int i = 0; i < 3; ++i) {
        edits_[i] = new QLineEdit(this);
        grid->addWidget(new QLabel(labels[i], this), 1 + i, 0);
        grid->addWidget(edits_[i], 1 + i, 1);
    }
    grid->addWidget(new QLabel("ECI (x, y, z)", this), 0, 4);
    for (int i = 0; i < 4; ++i) {
        eci_[i] = new QLineEdit(this);
        eci_[i]->setReadOnly(true);
        grid->addWidget(new QLabel(eciLabels[i], this), 1 + i, 3);
        grid->addWidget(eci_[i], 1 + i, 4);
    }
    calculate_ = new QPushButton("Calculate", this);
    grid->addWidget(calculate_, 4, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    showForm();

    connect(locations_, QOverload<int>::of(&QComboBox::activated), this, [this](int row) {
        takeEdits();
        const GpsFixData gps = SnapshotGpsFix(state_.gps);
        choosePositionRow(form_, row, services_.folder, state_.settings, gps.latitudeDeg, gps.longitudeDeg,
                          gps.altitudeM, gps.fixMode);
        showForm();
    });
    connect(calculate_, &QPushButton::clicked, this, [this] {
        takeEdits();
        calculatePosition(form_, state_.settings, state_.observer, state_.clock.currentDate);
        showForm();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PositionDialog::takeEdits() {
    form_.latitude = edits_[0]->text().toStdString();
    form_.longitude = edits_[1]->text().toStdString();
    form_.altitude = edits_[2]->text().toStdString();
    form_.selectedRow = locations_->currentIndex();
}

void PositionDialog::showForm() {
    edits_[0]->setText(qs(form_.latitude));
    edits_[1]->setText(qs(form_.longitude));
    edits_[2]->setText(qs(form_.altitude));
    const std::string* results[] = {&form_.eciX, &form_.eciY, &form_.eciZ, &form_.eciR};
    for (int i = 0; i < 4; ++i) eci_[i]->setText(qs(*results[i]));
}

void PositionDialog::accept() {
    takeEdits();
    acceptPositionDialog(form_, state_.settings, state_.observer, *services_.store);
    QDialog::accept();
}

void RunPositionDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    PositionDialog dialog(state, services, parent);
    dialog.exec();
}

}  // namespace vantrek::app
