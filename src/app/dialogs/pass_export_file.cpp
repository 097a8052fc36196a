#include "app/dialogs/pass_export_file.hpp"

#include <QDateTime>
#include <QFileDialog>

#include "astro/julian_date.hpp"
#include "ui/dialogs/pass_export_dialog.hpp"

namespace vantrek::app {

QString AskForPassesFile(QWidget* parent) {
    const QString calendar = kCalendarFilesFilter, csv = kCsvFilesFilter;
    QString chosenFilter = calendar;
    QString path = QFileDialog::getSaveFileName(parent, kSavePassesCaption, "passes.ics", calendar + ";;" + csv,
                                                &chosenFilter);
    if (path.isEmpty()) return path;
    if (!path.endsWith(".ics", Qt::CaseInsensitive) && !path.endsWith(".csv", Qt::CaseInsensitive))
        path += chosenFilter == csv ? ".csv" : ".ics";
    return path;
}

void SavePassesTo(QWidget* parent, const AppState& state, MessageSink& messages,
                  const std::function<QString(QWidget*)>& choose) {
    const QString path = choose ? choose(parent) : QString();
    if (path.isEmpty()) return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const double stamp = JulianDateFromCalendar(now.date().year(), now.date().month(), now.date().day(),
                                                now.time().hour(), now.time().minute(), now.time().second(), 0);
    savePredictedPasses(state, path.toStdString(), stamp, messages);
}

}  // namespace vantrek::app
