#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <QDialog>

#include "platform/http_client.hpp"
#include "ui/dialogs/download_dialog.hpp"
#include "ui/main_window.hpp"
#include "ui/outside_pages.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vantrek::app {

struct DownloadDialogServices {
    AppState* state = nullptr;
    SettingsStore* store = nullptr;
    MessageSink* messages = nullptr;
    ProgramFolder folder;  // the TLE folder is made inside it
    HttpClient* http = nullptr;
    // Opens a web page with the desktop's browser; false when none could.
    PageOpener openWebPage;
};

// "Get last TLE". Downloads run on a worker thread, so the window and the
// views go on while files arrive; the log shows each file as it comes and the
// catalogue is replaced on the interface thread. A line under the log says
// what the transfer is doing ("Connecting to HOST...", the bytes received);
// "Cancel" stops it within a second, and so does closing the dialog.
class DownloadDialog : public QDialog {
    Q_OBJECT

public:
    DownloadDialog(DownloadDialogServices services, QWidget* parent = nullptr);
    ~DownloadDialog() override;

    bool busy() const { return worker_.joinable(); }
    QComboBox* categories() const { return categories_; }
    QLineEdit* urlEdit() const { return url_; }
    QPlainTextEdit* logView() const { return log_; }
    QPushButton* downloadButton() const { return download_; }
    QPushButton* updateAllButton() const { return updateAll_; }
    QPushButton* webSiteButton() const { return webSite_; }
    QPushButton* cancelButton() const { return cancelTransfer_; }
    QLabel* transferLine() const { return transfer_; }

    void done(int result) override;

private:
    class Progress;

    void start(bool all);
    void finish();  // cancels and waits for the worker, then takes what it sent
    void showLog(const std::string& log);
    void setBusy(bool busy);

    DownloadDialogServices services_;
    DownloadForm form_;
    QLabel* server_ = nullptr;
    QLineEdit* url_ = nullptr;
    QComboBox* categories_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* updateAll_ = nullptr;
    QPushButton* webSite_ = nullptr;
    QPushButton* cancelTransfer_ = nullptr;
    QLabel* transfer_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    std::atomic<bool> cancel_{false};
    std::unique_ptr<Progress> progress_;
    std::thread worker_;
    bool closed_ = false;
};

// The main window's "Get last TLE": the dialog, modal, with libcurl.
void RunDownloadDialog(QWidget* parent, AppState& state, const MainWindowServices& services);

}  // namespace vantrek::app
