#include "app/dialogs/predict_window.hpp"

#include <algorithm>

#include <QCheckBox>
#include <QDateTime>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimeEdit>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/dialogs/pass_chart_window.hpp"
#include "app/dialogs/pass_export_file.hpp"
#include "astro/julian_date.hpp"
#include "observe/pass_search_settings.hpp"
#include "orbit/current_satellite.hpp"
#include "ui/stale_elements.hpp"
#include "ui/dialogs/pass_export_dialog.hpp"
#include "ui/dialogs/predict_columns.hpp"

namespace vantrek::app {

namespace {

constexpr int kColumnWidths[] = {140, 130, 80, 70, 70, 70};  // pixels
constexpr int kPollMs = 25;  // how often the bars follow the search
constexpr int kTenthsPerPeriod = 10;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// For a window opened before the clock's first tick.
double systemJulianDate() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return JulianDateFromCalendar(now.date().year(), now.date().month(), now.date().day(),
                                  now.time().hour(), now.time().minute(), now.time().second(),
                                  now.time().msec());
}

}  // namespace

PredictWindow::PredictWindow(AppState& state, SettingsStore& store, MessageSink& messages,
                             QWidget* parent)
    : QDialog(parent), state_(state), store_(store), messages_(messages) {
    setWindowTitle("Predict window");
    openPredictDialog(form_, state_, systemJulianDate());

    date_ = new QDateEdit(QDate(form_.year, form_.month, form_.day), this);
    date_->setDateRange(QDate(kEarliestPredictYear, 1, 1), QDate(kLatestPredictYear, 12, 31));
    date_->setDisplayFormat("yyyy-MM-dd");
    date_->setCalendarPopup(true);
    time_ = new QTimeEdit(QTime(form_.hour, form_.minute, form_.second), this);
    time_->setDisplayFormat("HH:mm:ss");
    hours_ = new QLineEdit(qs(form_.hours), this);
    satelliteElevation_ = new QLineEdit(qs(form_.satelliteElevation), this);
    sunElevation_ = new QLineEdit(qs(form_.sunElevation), this);
    flares_ = new QCheckBox("Predict Iridium flares", this);
    flares_->setChecked(form_.iridiumFlares);
    filter_ = new QCheckBox("Minimal magnitude to predict", this);
    filter_->setChecked(form_.magnitudeFilter);
    magnitude_ = new QLineEdit(qs(form_.minimumMagnitude), this);
    predict_ = new QPushButton("Predict", this);

    rows_ = new PredictionListModel(form_.rows, state_, this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(rows_);
    sorted_->setSortRole(Qt::UserRole);
    list_ = new QTreeView(this);
    list_->setModel(sorted_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(true);
    list_->header()->setSortIndicator(-1, Qt::AscendingOrder);  // newest first until a title is clicked
    for (int c = 0; c < kRowColumnCount; ++c) list_->setColumnWidth(c, kColumnWidths[c]);
    for (int c = 0; c < kPassColumnCount; ++c) list_->setColumnWidth(kRowColumnCount + c, kPassColumnWidths[c]);
    list_->setMinimumSize(600, 260);
    satellitesBar_ = new QProgressBar(this);
    periodBar_ = new QProgressBar(this);
    for (QProgressBar* bar : {satellitesBar_, periodBar_}) {
        bar->setRange(0, 1);
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    save_ = buttons->addButton(kSavePassesButton, QDialogButtonBox::ActionRole);
    choosePassesFile = AskForPassesFile;

    auto* grid = new QGridLayout;
    grid->addWidget(date_, 0, 0);
    grid->addWidget(time_, 0, 1);
    grid->addWidget(new QLabel("Hours to predict", this), 0, 2);
    grid->addWidget(hours_, 0, 3);
    grid->addWidget(predict_, 0, 4);
    grid->addWidget(new QLabel("Satelite > elevation [deg]", this), 1, 0);
    grid->addWidget(satelliteElevation_, 1, 1);
    grid->addWidget(new QLabel("Sun < elevation [deg]", this), 1, 2);
    grid->addWidget(sunElevation_, 1, 3);
    grid->addWidget(flares_, 2, 0);
    grid->addWidget(filter_, 2, 1, 1, 2);
    grid->addWidget(magnitude_, 2, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(list_);
    layout->addWidget(satellitesBar_);
    layout->addWidget(periodBar_);
    layout->addWidget(buttons);
    showRows();

    connect(predict_, &QPushButton::clicked, this, &PredictWindow::predictOrStop);
    connect(&poll_, &QTimer::timeout, this, &PredictWindow::showProgress);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!busy()) choosePredictionRows(chosenPositions(), state_);
    });
    connect(list_, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { openPassChart(listPosition(index.row())); });
    connect(save_, &QPushButton::clicked, this, [this] { SavePassesTo(this, state_, messages_, choosePassesFile); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PredictWindow::~PredictWindow() {
    StopPassSearch(worker_);
    TakePassSearch(worker_);
}

void PredictWindow::readForm() {
    const QDate date = date_->date();
    const QTime time = time_->time();
    form_.year = date.year();
    form_.month = date.month();
    form_.day = date.day();
    form_.hour = time.hour();
    form_.minute = time.minute();
    form_.second = time.second();
    form_.hours = hours_->text().toStdString();
    form_.satelliteElevation = satelliteElevation_->text().toStdString();
    form_.sunElevation = sunElevation_->text().toStdString();
    form_.iridiumFlares = flares_->isChecked();
    form_.magnitudeFilter = filter_->isChecked();
    form_.minimumMagnitude = magnitude_->text().toStdString();
}

void PredictWindow::predictOrStop() {
    if (busy()) {
        StopPassSearch(worker_);
        return;
    }
    readForm();
    const PassSearchOptions options = predictSearchOptions(form_, state_);
    StoreSearchLimits(options, state_.settings);
    // The rows of the last search go as this one starts.
    state_.predictions = PredictionResults();
    form_.rows.clear();
    showRows();
    satellitesBar_->setRange(0, std::max(1, loadedSatelliteCount(state_.catalog)));
    satellitesBar_->setValue(0);
    periodBar_->setRange(0, kTenthsPerPeriod);
    periodBar_->setValue(0);
    if (!StartPassSearch(worker_, MakePassSearchJob(state_, options))) return;
    predict_->setText("Stop");
    poll_.start(kPollMs);
    showProgress();
}

void PredictWindow::showProgress() {
    if (!busy()) return;
    const PassSearchProgress progress = PassSearchProgressOf(worker_);
    satellitesBar_->setValue(std::clamp(progress.satellitesDone, 0, satellitesBar_->maximum()));
    periodBar_->setValue(std::clamp(progress.tenthsDone, 0, kTenthsPerPeriod));
    if (PassSearchFinished(worker_)) finishSearch(true);
}

void PredictWindow::finishSearch(bool report) {
    poll_.stop();
    const std::unique_ptr<PassSearchJob> job = TakePassSearch(worker_);
    predict_->setText("Predict");
    if (!job) return;
    // Threads end on different satellites: a search that ran to its end fills both bars.
    if (!worker_.cancel) {
        satellitesBar_->setValue(satellitesBar_->maximum());
        periodBar_->setValue(periodBar_->maximum());
    }
    TakePassSearchRows(*job, state_);
    listPredictionRows(form_, state_, true);
    showRows();
    if (!report) return;
    std::string summary = PassSearchSummaryText(job->passes, job->seconds);
    if (state_.predictions.full) summary += "\n" + PredictionListFullText(job->options.maxRows);
    const int staleDays = StaleElementDays(*job->catalog, job->options.start);
    if (staleDays >= 0) summary += "\n" + StaleElementsText(staleDays);
    messages_.showMessage(summary, "Search result", MessageIcon::None);
}

void PredictWindow::showRows() {
    const QSignalBlocker quiet(list_->selectionModel());  // refilling chooses nothing
    rows_->refill();
}

int PredictWindow::listPosition(int viewRow) const {
    return sorted_->mapToSource(sorted_->index(viewRow, 0)).row();
}

std::vector<int> PredictWindow::chosenPositions() const {
    // In the order the view shows them: the last one chosen wins.
    std::vector<int> positions;
    for (const QModelIndex& row : list_->selectionModel()->selectedRows())
        positions.push_back(sorted_->mapToSource(row).row());
    std::sort(positions.begin(), positions.end(), [this](int a, int b) {
        return sorted_->mapFromSource(rows_->index(a, 0)).row() < sorted_->mapFromSource(rows_->index(b, 0)).row();
    });
    return positions;
}

void PredictWindow::openPassChart(int position) {
    if (busy()) return;
    const int stored = PredictionRowAtListPosition(state_.predictions, position);
    const PassDetails* pass = PassDetailsOfRow(state_.passDetails, state_.predictions, stored);
    if (pass == nullptr) return;
    PassChartForm form;
    const double downlink = DownlinkFor(state_, hasFolder_ ? &folder_ : nullptr, pass->catalogNumber);
    if (!vantrek::openPassChart(form, state_, stored, downlink)) return;
    auto* window = new PassChartWindow(std::move(form), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void PredictWindow::accept() {
    stopSearch();
    readForm();
    acceptPredictDialog(form_, chosenPositions(), state_, store_);
    QDialog::accept();
}

void PredictWindow::done(int result) {
    stopSearch();
    QDialog::done(result);
}

void PredictWindow::stopSearch() {
    if (!busy()) return;
    StopPassSearch(worker_);
    finishSearch(false);  // keeps the rows found, without the closing message
}

void RunPredictWindow(QWidget* parent, AppState& state, const MainWindowServices& services) {
    PredictWindow window(state, *services.store, *services.messages, parent);
    window.setProgramFolder(services.folder);
    window.exec();
}

}  // namespace vantrek::app
