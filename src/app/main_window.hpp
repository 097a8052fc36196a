#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include "app/display_list_painter.hpp"
#include "app/qt_message_sink.hpp"
#include "platform/system_clock.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"
#include "ui/outside_pages.hpp"

class QAction;
class QFrame;
class QLabel;
class QToolBar;

namespace vantrek::app {

class ClientArea;
class HelpWindow;
class StatusBarWidget;

// How the window reaches the world outside; tests replace these.
struct MainWindowOptions {
    std::string programFolder;  // Select.bol, Help.htm and skins live here
    std::string userFolder;     // the user's data folder of an installed layout; empty when portable
    // Message boxes; the window's own QtMessageSink when none is given.
    MessageSink* messages = nullptr;
    // The settings; the QSettings store of the user's configuration when none is given.
    std::unique_ptr<SettingsStore> store;
    // Opens an outside web page with the desktop's browser (the help's links).
    PageOpener openOutsidePage;
    // Asks for an element-set file; empty when the user cancels.
    std::function<std::string()> chooseElementFile;
    // The port the GPS reader reads; without one GPS reading cannot be switched on.
    std::unique_ptr<SerialPort> serialPort;
    // The computer's clock as the GPS status view shows it; this computer's when none is given.
    std::unique_ptr<SystemClock> clock;
    // Whether the radio and rotator link runs (the program's own window: yes;
    // tests that start no daemons: no).
    bool radioAndRotator = false;
};

// The defaults: message boxes, the user's settings, the desktop's browser, a
// file chooser and the serial ports of this computer.
// The file chooser starts in the element-file folder of `folder`.
MainWindowOptions DefaultMainWindowOptions(const ProgramFolder& folder, QWidget* parent);

// The one top-level window "Vantrek": menu, toolbar, the view area painted
// from the back buffer, the status bar, and the half-second timer.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(MainWindowOptions options);
    ~MainWindow() override;

    AppState& state() { return *state_; }
    const QTimer& timer() const { return timer_; }
    QAction* menuAction(int command) const;
    QAction* toolbarAction(int command) const;
    QToolBar* toolBar() const { return toolbar_; }
    ClientArea* clientArea() const { return client_; }
    StatusBarWidget* statusBarWidget() const { return status_; }
    // The warning under the toolbar while the element sets in view are old.
    QFrame* staleElementsBar() const { return staleBar_; }
    // The help window Help > Help opened last; null before.
    HelpWindow* helpWindow() const { return help_; }

    // Runs a command as the menu, toolbar and accelerators do.
    void runCommand(int command);

public slots:
    void tick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void buildToolbar();
    void applyRepaint(Repaint repaint);
    void performAction(const CommandOutcome& outcome);
    void showAboutBox();
    void buildStaleElementsBar();
    void showStaleElementsBar();
    // Grows the back buffer and the signal map (keeping what they hold) to
    // the size the core asks for; they never shrink.
    void fitSurfaces(SurfaceSize size);

    MainWindowOptions options_;
    QtMessageSink ownMessages_;
    MainWindowServices services_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<GpsReader> reader_;  // after state_: stopped before the fix it serves goes
    std::unique_ptr<StationLink> station_;  // stopped on close, before the state it reports to
    BitmapTable bitmaps_;
    QImage backBuffer_;
    QImage signalMap_;
    QImage workImage_;  // the map view's 900 x 450 composite
    QTimer timer_;
    ClientArea* client_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    StatusBarWidget* status_ = nullptr;
    QFrame* staleBar_ = nullptr;
    HelpWindow* help_ = nullptr;
    QLabel* staleText_ = nullptr;
    std::map<int, QAction*> menuActions_;
    std::map<int, QAction*> toolbarActions_;
    bool closed_ = false;

    friend class ClientArea;
    friend class StatusBarWidget;
};

}  // namespace vantrek::app
