#include "app/main_window.hpp"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/client_area.hpp"
#include "app/help_window.hpp"
#include "app/dialogs/download_dialog.hpp"
#include "app/dialogs/gps_settings_dialog.hpp"
#include "app/dialogs/position_dialog.hpp"
#include "app/dialogs/predict_window.hpp"
#include "app/dialogs/satellites_dialog.hpp"
#include "app/dialogs/settings_dialog.hpp"
#include "app/dialogs/station_dialog.hpp"
#include "app/dialogs/time_dialog.hpp"
#include "app/drawing_bitmaps.hpp"
#include "app/qt_settings_store.hpp"
#include "astro/julian_date.hpp"
#include "platform/linux_serial_port.hpp"
#include "ui/command_tables.hpp"
#include "ui/main_window_paint.hpp"
#include "ui/pixel_line.hpp"
#include "ui/stale_elements.hpp"

namespace vantrek::app {

namespace {

constexpr int kInitialWidth = 1100;
constexpr int kInitialHeight = 760;

QString text(const char* s) { return QString::fromUtf8(s); }

CalendarHour calendarHour(const QDateTime& t) {
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour()};
}

double systemJulianDate() {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return JulianDateFromCalendar(now.date().year(), now.date().month(), now.date().day(),
                                  now.time().hour(), now.time().minute(), now.time().second(),
                                  now.time().msec());
}

// The character an Alt accelerator is matched on, or 0.
char typedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        const char lower = static_cast<char>('a' + (key - Qt::Key_A));
        return (event.modifiers() & Qt::ShiftModifier) ? static_cast<char>(lower - 'a' + 'A')
                                                       : lower;
    }
    if (key == Qt::Key_Slash) return '/';
    if (key == Qt::Key_Question) return '?';
    return 0;
}

}  // namespace

MainWindowOptions DefaultMainWindowOptions(const ProgramFolder& folder, QWidget* parent) {
    MainWindowOptions options;
    options.programFolder = folder.path;
    options.userFolder = folder.userPath;
    options.store = std::make_unique<QtSettingsStore>();
    options.openOutsidePage = [](const std::string& address) {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
    };
    options.serialPort = std::make_unique<LinuxSerialPort>();
    options.radioAndRotator = true;
    options.chooseElementFile = [parent, folder]() {
        const QString start = QString::fromStdString(elementFileFolder(folder));
        return QFileDialog::getOpenFileName(parent, "Open File", start, "All (*.tle) (*.tle *.txt *.csv *.json *.xml)")
            .toStdString();
    };
    return options;
}

MainWindow::MainWindow(MainWindowOptions options)
    : options_(std::move(options)), ownMessages_(this), state_(std::make_unique<AppState>()) {
    setWindowTitle("Vantrek");
    setObjectName("VANTREK");
    setWindowIcon(QIcon(QPixmap::fromImage(QImage(":/icons/about.bmp"))));
    services_.folder.path = options_.programFolder;
    services_.folder.userPath = options_.userFolder;
    if (!options_.store) options_.store = std::make_unique<QtSettingsStore>();
    if (!options_.clock) options_.clock = std::make_unique<PosixSystemClock>();
    services_.store = options_.store.get();
    services_.messages = options_.messages ? options_.messages : &ownMessages_;
    if (options_.serialPort) {
        reader_ = std::make_unique<GpsReader>(std::move(options_.serialPort));
        services_.gpsReader = reader_.get();
    }
    if (options_.radioAndRotator) {
        station_ = std::make_unique<StationLink>();
        services_.stationLink = station_.get();
    }

    StartUpDefaults(*state_);
    LoadDrawingBitmaps(services_.folder, *services_.messages, bitmaps_);
    const QDateTime now = QDateTime::currentDateTime();
    StartUpLoad(*state_, services_, calendarHour(now), calendarHour(now.toUTC()));

    backBuffer_ = QImage(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    backBuffer_.fill(Qt::black);
    signalMap_ = QImage(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    signalMap_.fill(Qt::black);
    workImage_ = QImage(kWorkImageWidth, kWorkImageHeight, QImage::Format_RGB32);
    workImage_.fill(Qt::black);

    client_ = new ClientArea(*this);
    setCentralWidget(client_);
    buildMenu();
    buildToolbar();
    status_ = new StatusBarWidget(*this, client_);
    buildStaleElementsBar();

    connect(&timer_, &QTimer::timeout, this, &MainWindow::tick);
    timer_.start(state_->timerPeriodMs);
    qApp->installEventFilter(this);
    resize(kInitialWidth, kInitialHeight);
    client_->setFocus();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (!closed_) CloseMainWindow(*state_, services_);
}

void MainWindow::buildMenu() {
    for (const MenuEntry& entry : kMainMenu) {
        if (!entry.items) {
            QAction* action = menuBar()->addAction(text(entry.title));
            connect(action, &QAction::triggered, this, [this, c = entry.command] { runCommand(c); });
            menuActions_[entry.command] = action;
            continue;
        }
        QMenu* menu = menuBar()->addMenu(text(entry.title));
        for (int i = 0; i < entry.itemCount; ++i) {
            const MenuItem& item = entry.items[i];
            QAction* action = menu->addAction(text(item.label));
            connect(action, &QAction::triggered, this, [this, c = item.command] { runCommand(c); });
            menuActions_[item.command] = action;
        }
    }
}

void MainWindow::buildToolbar() {
    toolbar_ = new QToolBar(client_);
    toolbar_->setObjectName("toolbar");
    toolbar_->setMovable(false);
    toolbar_->setAutoFillBackground(true);
    toolbar_->setFocusPolicy(Qt::NoFocus);
    toolbar_->setAttribute(Qt::WA_NoMousePropagation);  // its empty space is not the view
    toolbar_->setIconSize(QSize(kToolbarImageSize, kToolbarImageSize));
    const QImage strip = WithTransparentKey(QImage(":/icons/toolbar.bmp"));
    for (const ToolbarEntry& entry : kToolbar) {
        if (entry.command == 0) {
            toolbar_->addSeparator();
            continue;
        }
        const QImage image = strip.copy(entry.image * kToolbarImageSize, 0, kToolbarImageSize,
                                        kToolbarImageSize);
        QAction* action = toolbar_->addAction(QIcon(QPixmap::fromImage(image)), QString());
        action->setToolTip(entry.tooltip ? text(entry.tooltip) : QString());
        connect(action, &QAction::triggered, this, [this, c = entry.command] { runCommand(c); });
        toolbarActions_[entry.command] = action;
    }
}

QAction* MainWindow::menuAction(int command) const {
    const auto it = menuActions_.find(command);
    return it == menuActions_.end() ? nullptr : it->second;
}

QAction* MainWindow::toolbarAction(int command) const {
    const auto it = toolbarActions_.find(command);
    return it == toolbarActions_.end() ? nullptr : it->second;
}

void MainWindow::runCommand(int command) {
    const CommandOutcome outcome = RunCommand(*state_, services_, command);
    if (!outcome.handled) return;
    performAction(outcome);
    applyRepaint(outcome.repaint);
}

void MainWindow::performAction(const CommandOutcome& outcome) {
    if (outcome.clearSignalMap) {
        DisplayList clear;
        clear.target = Surface::SignalMapSurface;
        FillRect(clear, {0, 0, 500, 500}, BrushFor(BrushId::Black));
        ReplayDisplayList(clear, {&backBuffer_, &signalMap_, nullptr, &bitmaps_});
    }
    switch (outcome.action) {
        case ShellAction::None: break;
        case ShellAction::AboutBox: showAboutBox(); break;
        case ShellAction::ChooseElementFile: {
            const std::string path =
                options_.chooseElementFile ? options_.chooseElementFile() : std::string();
            if (!path.empty()) OpenChosenElementFile(*state_, services_, path);
            break;
        }
        case ShellAction::OpenHelp:
            if (!help_) help_ = new HelpWindow(outcome.helpPath, options_.openOutsidePage, *services_.messages, this);
            help_->show();
            help_->raise();
            break;
        case ShellAction::RestartTimer: timer_.start(state_->timerPeriodMs); break;
        case ShellAction::DestroyWindow: close(); break;
        case ShellAction::DownloadDialog: RunDownloadDialog(this, *state_, services_); break;
        case ShellAction::SettingsDialog: RunSettingsDialog(this, *state_, services_); break;
        case ShellAction::SelectionDialog: RunSatellitesDialog(this, *state_, services_); break;
        case ShellAction::PredictDialog: RunPredictWindow(this, *state_, services_); break;
        case ShellAction::PositionDialog: RunPositionDialog(this, *state_, services_); break;
        case ShellAction::GpsSettingsDialog: RunGpsSettingsDialog(this, *state_, services_); break;
        case ShellAction::StationDialog: RunStationDialog(this, *state_, services_); break;
        case ShellAction::TimeDialog: RunTimeDialog(this, *state_, *services_.messages, *options_.clock); break;
    }
}

void MainWindow::applyRepaint(Repaint repaint) {
    if (!client_) return;
    switch (repaint) {
        case Repaint::None: break;
        case Repaint::ViewArea:
        case Repaint::ViewAreaErase: {
            const Rect view = ViewArea({0, 0, client_->width(), client_->height()});
            client_->update(QRect(view.left, view.top, view.right - view.left, view.bottom - view.top));
            break;
        }
        case Repaint::Client:
        case Repaint::ClientErase:
            client_->update();
            status_->update();
            break;
    }
}

void MainWindow::tick() {
    Tick(*state_, services_, systemJulianDate());
    showStaleElementsBar();
    status_->update();
    applyRepaint(Repaint::ViewArea);
}

void MainWindow::buildStaleElementsBar() {
    staleBar_ = new QFrame(client_);
    staleBar_->setObjectName("staleElements");
    staleBar_->setAutoFillBackground(true);
    staleBar_->setFrameShape(QFrame::StyledPanel);
    QPalette palette = staleBar_->palette();
    palette.setColor(QPalette::Window, QColor(255, 236, 150));
    palette.setColor(QPalette::WindowText, Qt::black);
    staleBar_->setPalette(palette);
    staleBar_->setAttribute(Qt::WA_NoMousePropagation);
    staleText_ = new QLabel(staleBar_);
    auto* update = new QPushButton("Get last TLE", staleBar_);
    connect(update, &QPushButton::clicked, this, [this] { runCommand(CmdGetLastTle); });
    auto* layout = new QHBoxLayout(staleBar_);
    layout->setContentsMargins(8, 2, 4, 2);
    layout->addWidget(staleText_);
    layout->addWidget(update);
    layout->addStretch();
    staleBar_->hide();
}

void MainWindow::showStaleElementsBar() {
    const int days = state_->staleElementDays;
    const bool wasShown = staleBar_->isVisible();
    if (days >= 0) {
        staleText_->setText(QString::fromStdString(StaleElementsText(days)));
        // Across the window under the toolbar; the view area moves down below it.
        staleBar_->setGeometry(0, kToolbarHeight, client_->width(), staleBar_->sizeHint().height());
    }
    staleBar_->setVisible(days >= 0);
    if (staleBar_->isVisible() != wasShown) applyRepaint(Repaint::Client);
}

namespace {

void growImage(QImage& image, SurfaceSize size) {
    if (image.width() >= size.width && image.height() >= size.height) return;
    QImage grown(std::max(image.width(), size.width), std::max(image.height(), size.height),
                 QImage::Format_RGB32);
    grown.fill(Qt::black);
    QPainter painter(&grown);
    painter.drawImage(0, 0, image);
    painter.end();
    image = std::move(grown);
}

}  // namespace

void MainWindow::fitSurfaces(SurfaceSize size) {
    growImage(backBuffer_, size);
    growImage(signalMap_, size);
}

void MainWindow::showAboutBox() {
    QDialog box(this);
    box.setWindowTitle("About");
    auto* layout = new QVBoxLayout(&box);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(&box);
    picture->setPixmap(QPixmap::fromImage(QImage(":/icons/about.bmp")));
    row->addWidget(picture);
    row->addWidget(new QLabel("Vantrek Version 1.31", &box));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(buttons);
    box.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        timer_.stop();
        CloseMainWindow(*state_, services_);
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!key || !widget || widget->window() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (!(keyEvent->modifiers() & Qt::AltModifier)) return QMainWindow::eventFilter(watched, event);
    const int command = AcceleratorCommand(typedCharacter(*keyEvent));
    if (command == 0) return QMainWindow::eventFilter(watched, event);
    // Accelerators come before the menu bar's Alt mnemonics, as in the window system.
    event->accept();
    if (event->type() == QEvent::KeyPress && !keyEvent->isAutoRepeat()) runCommand(command);
    return true;
}

}  // namespace vantrek::app
