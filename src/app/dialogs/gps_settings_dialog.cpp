#include "app/dialogs/gps_settings_dialog.hpp"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gps/serial_tables.hpp"

namespace vantrek::app {

QString PortRowText(int index, const SerialDeviceMap& devices) {
    const QString name = GpsPortName(static_cast<uint32_t>(index));
    if (index >= 1 && index <= kSerialPortNumbers && !devices.path[index].empty())
        return QString("%1 (%2)").arg(name, QString::fromStdString(devices.path[index]));
    if (index == kGpsPortCount - 1)
        return QString("%1 (%2:%3)").arg(name, QString::fromStdString(devices.gpsdHost)).arg(devices.gpsdPort);
    return name;
}

GpsSettingsDialog::GpsSettingsDialog(AppState& state, const MainWindowServices& services, SerialPort& testPort,
                                     const SerialDeviceMap& devices, QWidget* parent)
    : QDialog(parent), state_(state), services_(services), testPort_(testPort) {
    setWindowTitle("GPS settings");
    options_ = GpsOptionsFrom(state_.settings, state_.signalMap);
    const GpsSettingsForm form = OpenGpsSettings(options_, state_.gps);

    port_ = new QComboBox(this);
    for (int i = 0; i < kGpsPortCount; ++i) port_->addItem(PortRowText(i, devices));
    port_->setCurrentIndex(static_cast<int>(form.portSelection));
    speed_ = new QComboBox(this);
    for (const char* text : kGpsSpeedTexts) speed_->addItem(text);
    speed_->setCurrentIndex(static_cast<int>(form.speedSelection));
    test_ = new QPushButton("Test", this);
    track_ = new QCheckBox("Track GPS", this);
    track_->setChecked(form.trackGps);
    compass_ = new QCheckBox("Auto compass", this);
    compass_->setChecked(form.autoCompass);
    signalMap_ = new QCheckBox("GPS signal map", this);
    signalMap_->setChecked(form.signalMap);
    track_->setEnabled(services_.gpsReader != nullptr);

    auto* grid = new QGridLayout;
    grid->addWidget(port_, 0, 0);
    grid->addWidget(speed_, 0, 1);
    grid->addWidget(test_, 0, 2);
    grid->addWidget(track_, 1, 0);
    grid->addWidget(compass_, 1, 1);
    grid->addWidget(signalMap_, 2, 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(track_, &QCheckBox::clicked, this, [this] { ClickTrackGps(takeForm(), state_.gps); });
    connect(test_, &QPushButton::clicked, this, [this] {
        const PortTestResult result = TestGpsPort(takeForm(), options_, state_.gps, testPort_);
        ApplyGpsOptions(options_, state_.settings, state_.signalMap);
        if (result == PortTestResult::PortConfigured)
            services_.messages->showMessage(kPortConfiguredText, kPortConfiguredCaption, MessageIcon::None);
        else if (result == PortTestResult::ConfigurationFailed)
            services_.messages->showMessage(kCommStateErrorText, "", MessageIcon::Error);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

GpsSettingsForm GpsSettingsDialog::takeForm() const {
    GpsSettingsForm form;
    form.portSelection = static_cast<uint32_t>(std::max(port_->currentIndex(), 0));
    form.speedSelection = static_cast<uint32_t>(std::max(speed_->currentIndex(), 0));
    form.trackGps = track_->isChecked();
    form.autoCompass = compass_->isChecked();
    form.signalMap = signalMap_->isChecked();
    return form;
}

void GpsSettingsDialog::accept() {
    GpsSettingsForm form = takeForm();
    if (services_.gpsReader != nullptr) {
        AcceptGpsSettings(form, options_, state_.gps, *services_.gpsReader);
    } else {  // a window without a serial port has no reader to start
        form.trackGps = false;
        GpsReader idle(nullptr);
        AcceptGpsSettings(form, options_, state_.gps, idle);
    }
    ApplyGpsOptions(options_, state_.settings, state_.signalMap);
    StoreGpsSettings(*services_.store, state_.settings);
    QDialog::accept();
}

void RunGpsSettingsDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    const SerialDeviceMap devices = DefaultSerialDevices();
    LinuxSerialPort testPort(devices);
    GpsSettingsDialog dialog(state, services, testPort, devices, parent);
    dialog.exec();
}

}  // namespace vantrek::app
