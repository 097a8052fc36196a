#include "app/dialogs/time_dialog.hpp"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace vantrek::app {

namespace {

const char* const kModeTexts[] = {"Real time",      "Stop time",       "Symulation x1",
                                  "Symulation x10", "Symulation x100", "Symulation x1000"};

QString qs(const std::string& s) { return QString::fromStdString(s); }

QLineEdit* readOnlyEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

TimeDialog::TimeDialog(AppState& state, MessageSink& messages, SystemClock& clock, QWidget* parent)
    : QDialog(parent), state_(state), messages_(messages), clock_(clock) {
    setWindowTitle("Time dialog");
    openTimeDialog(form_, state_.clock, state_.localTimeOffset);

    date_ = new QDateEdit(this);
    date_->setDisplayFormat("yyyy-MM-dd");
    date_->setCalendarPopup(true);
    date_->setDateRange(QDate(1583, 1, 1), QDate(3000, 12, 31));  // the Gregorian calendar's dates
    time_ = new QTimeEdit(this);
    time_->setDisplayFormat("HH:mm:ss");
    julianDay_ = readOnlyEdit(this);
    utcShift_ = readOnlyEdit(this);
    delay_ = readOnlyEdit(this);
    operationTime_ = readOnlyEdit(this);
    gpsTime_ = new QPushButton("Set GPS time", this);

    auto* grid = new QGridLayout;
    grid->addWidget(date_, 0, 0);
    grid->addWidget(time_, 0, 1);
    grid->addWidget(julianDay_, 1, 0, 1, 2);
    for (int i = 0; i < 6; ++i) {
        modes_[i] = new QRadioButton(kModeTexts[i], this);
        grid->addWidget(modes_[i], 2 + i / 2, i % 2);
    }
    grid->addWidget(new QLabel("UTC shift", this), 5, 0);
    grid->addWidget(utcShift_, 5, 1);
    grid->addWidget(gpsTime_, 6, 0, 1, 2);
    grid->addWidget(new QLabel("Delay [s]", this), 7, 0);
    grid->addWidget(delay_, 7, 1);
    grid->addWidget(new QLabel("Operation time [s]", this), 8, 0);
    grid->addWidget(operationTime_, 8, 1);
    grid->addWidget(new QLabel("To set a time you have to be an administrator", this), 9, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    showForm();

    // Any change of a picker stops the clock at the picked instant at once.
    auto picked = [this] {
        takePickers();
        touchTimePicker(form_, state_.clock, state_.localTimeOffset);
        showForm();
    };
    connect(date_, &QDateEdit::dateChanged, this, picked);
    connect(time_, &QTimeEdit::timeChanged, this, picked);
    connect(gpsTime_, &QPushButton::clicked, this, [this] {
        setGpsTime(form_, state_.gps, clock_, messages_);
        showForm();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TimeDialog::takePickers() {
    const QDate d = date_->date();
    const QTime t = time_->time();
    form_.picked = {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), 0};
}

void TimeDialog::showForm() {
    const QSignalBlocker quietDate(date_);  // showing the form is no touch of a picker
    const QSignalBlocker quietTime(time_);
    const CalendarInstant& p = form_.picked;
    date_->setDate(QDate(p.year, p.month, p.day));
    time_->setTime(QTime(p.hour, p.minute, p.second));
    julianDay_->setText(qs(form_.julianDay));
    utcShift_->setText(qs(form_.utcShift));
    delay_->setText(qs(form_.delay));
    operationTime_->setText(qs(form_.operationTime));
    const int mode = static_cast<int>(form_.mode);
    if (mode >= 0 && mode < 6) modes_[mode]->setChecked(true);
}

void TimeDialog::accept() {
    for (int i = 0; i < 6; ++i)
        if (modes_[i]->isChecked()) form_.mode = static_cast<ClockMode>(i);
    takePickers();
    acceptTimeDialog(form_, state_.clock, state_.localTimeOffset);
    QDialog::accept();
}

void RunTimeDialog(QWidget* parent, AppState& state, MessageSink& messages, SystemClock& clock) {
    TimeDialog dialog(state, messages, clock, parent);
    dialog.exec();
}

}  // namespace vantrek::app
