#pragma once

#include <QDialog>

#include "platform/linux_serial_port.hpp"
#include "ui/app_state.hpp"
#include "ui/dialogs/gps_settings_dialog.hpp"
#include "ui/main_window.hpp"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace vantrek::app {

// "GPS settings": port, line speed and the GPS options. "Track GPS" acts at
// once, "Test" opens and configures the chosen port through `testPort` (never
// while the reader owns it); OK applies and stores, Cancel keeps what the box
// and Test already did. Without a reader in `services` tracking cannot be
// switched on.
class GpsSettingsDialog : public QDialog {
    Q_OBJECT

public:
    GpsSettingsDialog(AppState& state, const MainWindowServices& services, SerialPort& testPort,
                      const SerialDeviceMap& devices, QWidget* parent = nullptr);

    QComboBox* portCombo() const { return port_; }
    QComboBox* speedCombo() const { return speed_; }
    QPushButton* testButton() const { return test_; }
    QCheckBox* trackBox() const { return track_; }
    QCheckBox* compassBox() const { return compass_; }
    QCheckBox* signalMapBox() const { return signalMap_; }

    void accept() override;

private:
    GpsSettingsForm takeForm() const;

    AppState& state_;
    MainWindowServices services_;
    SerialPort& testPort_;
    GpsOptions options_;
    QComboBox* port_ = nullptr;
    QComboBox* speed_ = nullptr;
    QPushButton* test_ = nullptr;
    QCheckBox* track_ = nullptr;
    QCheckBox* compass_ = nullptr;
    QCheckBox* signalMap_ = nullptr;
};

// The combo row of a port: its name and, on this system, what it opens.
QString PortRowText(int index, const SerialDeviceMap& devices);

void RunGpsSettingsDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
