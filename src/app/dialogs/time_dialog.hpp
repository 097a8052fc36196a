#pragma once

#include <QDialog>

#include "platform/message_sink.hpp"
#include "platform/system_clock.hpp"
#include "ui/app_state.hpp"
#include "ui/dialogs/time_dialog.hpp"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace vantrek::app {

// "Time dialog": the clock's mode, a jump to a local instant (touching a
// picker stops the clock there at once) and "Set GPS time", which sets the
// computer's clock through `clock`.
class TimeDialog : public QDialog {
    Q_OBJECT

public:
    TimeDialog(AppState& state, MessageSink& messages, SystemClock& clock, QWidget* parent = nullptr);

    QDateEdit* datePicker() const { return date_; }
    QTimeEdit* timePicker() const { return time_; }
    QLineEdit* julianDayEdit() const { return julianDay_; }
    QLineEdit* utcShiftEdit() const { return utcShift_; }
    QLineEdit* delayEdit() const { return delay_; }
    QLineEdit* operationTimeEdit() const { return operationTime_; }
    QRadioButton* modeButton(ClockMode mode) const { return modes_[static_cast<int>(mode)]; }
    QPushButton* gpsTimeButton() const { return gpsTime_; }

    void accept() override;

private:
    void takePickers();
    void showForm();

    AppState& state_;
    MessageSink& messages_;
    SystemClock& clock_;
    TimeForm form_;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QLineEdit* julianDay_ = nullptr;
    QLineEdit* utcShift_ = nullptr;
    QLineEdit* delay_ = nullptr;
    QLineEdit* operationTime_ = nullptr;
    QRadioButton* modes_[6] = {};
    QPushButton* gpsTime_ = nullptr;
};

void RunTimeDialog(QWidget* parent, AppState& state, MessageSink& messages, SystemClock& clock);

}  // namespace vantrek::app
