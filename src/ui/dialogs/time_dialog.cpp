#include "ui/dialogs/time_dialog.hpp"

#include <cmath>

#include "ui/text_format.hpp"

namespace vantrek {

void openTimeDialog(TimeForm& form, const SimulationClock& clock, double localTimeOffset) {
    form.mode = clock.mode;
    const double hours = std::floor(localTimeOffset * 24.0 + 0.5);
    form.utcShift = std::isfinite(hours) && std::fabs(hours) < 1000.0 ? std::to_string(static_cast<int>(hours)) : "0";
    const double local = clock.currentDate + localTimeOffset;
    CalendarDateFromJulian(local, form.picked.year, form.picked.month, form.picked.day);
    TimeOfDayFromJulian(local, form.picked.hour, form.picked.minute, form.picked.second, form.picked.hundredths);
    form.julianDay = FormatNumber("%6.6fdays", clock.currentDate);
}

double pickedJulianDate(const TimeForm& form, double localTimeOffset) {
    const CalendarInstant& p = form.picked;
    return JulianDateFromCalendar(p.year, p.month, p.day, p.hour, p.minute, p.second, 0) - localTimeOffset;
}

void touchTimePicker(TimeForm& form, SimulationClock& clock, double localTimeOffset) {
    const double jd = pickedJulianDate(form, localTimeOffset);
    clock.pausedDate = clock.currentDate = jd;
    clock.mode = ClockMode::Stopped;
    form.mode = ClockMode::Stopped;
    form.julianDay = FormatNumber("%6.8fdays", jd);
}

void acceptTimeDialog(const TimeForm& form, SimulationClock& clock, double localTimeOffset) {
    clock.mode = form.mode;
    clock.pausedDate = clock.currentDate = pickedJulianDate(form, localTimeOffset);
}

GpsClockResult setGpsTime(TimeForm& form, const GpsFix& fix, SystemClock& clock, MessageSink& messages) {
    GpsClockSetting setting;
    const GpsClockResult result = SetClockFromGps(fix, clock, setting);
    switch (result) {
        case GpsClockResult::TrackingOff:
            messages.showMessage(kTurnGpsOnText, kTurnGpsOnCaption, MessageIcon::None);
            break;
        case GpsClockResult::ClockSet:
            messages.showMessage(kClockSetText, kClockSetCaption, MessageIcon::None);
            form.delay = FormatNumber("%f", setting.correctionS);
            form.operationTime = FormatNumber("%f", setting.delayMs / 1000.0);
            break;
        case GpsClockResult::ClockNotSet:
            messages.showMessage(kClockNotSetText, "", MessageIcon::None);
            break;
    }
    return result;
}

}  // namespace vantrek
