#include "app/dialogs/download_dialog.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/curl_http_client.hpp"

namespace vantrek::app {

// Runs on the worker thread: everything it reports is queued to the dialog,
// which the interface thread then handles in order.
class DownloadDialog::Progress final : public DownloadProgress {
public:
    explicit Progress(DownloadDialog& dialog) : dialog_(dialog) {}

    void logChanged(const std::string& log) override {
        post([this, log] { dialog_.showLog(log); });
    }
    void categoryLoaded(const DownloadedCategory& category) override {
        post([this, category] {
            applyDownloadedCategory(*dialog_.services_.state, *dialog_.services_.store, category);
        });
    }
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        post([this, text, caption, icon] { dialog_.services_.messages->showMessage(text, caption, icon); });
    }
    void transferChanged(const std::string& text) override {
        post([this, text] { dialog_.transfer_->setText(QString::fromStdString(text)); });
    }
    void finished() {
        post([this] { dialog_.finish(); });
    }

private:
    template <typename F>
    void post(F work) {
        QMetaObject::invokeMethod(&dialog_, std::move(work), Qt::QueuedConnection);
    }

    DownloadDialog& dialog_;
};

DownloadDialog::DownloadDialog(DownloadDialogServices services, QWidget* parent)
    : QDialog(parent), services_(std::move(services)), progress_(std::make_unique<Progress>(*this)) {
    setWindowTitle("Get last TLE");
    openDownloadDialog(form_, services_.state->settings);

    server_ = new QLabel(QString::fromStdString(form_.server), this);
    url_ = new QLineEdit(QString::fromStdString(form_.url), this);
    url_->setToolTip("%s stands for the group");
    url_->setCursorPosition(0);  // show the scheme and host first
    categories_ = new QComboBox(this);
    for (const std::string& caption : form_.categories) categories_->addItem(QString::fromStdString(caption));
    categories_->setCurrentIndex(form_.selectedRow);
    download_ = new QPushButton("Download", this);
    updateAll_ = new QPushButton("Update all", this);
    webSite_ = new QPushButton("Go to WebSite", this);
    log_ = new QPlainTextEdit(this);
    log_->setReadOnly(true);
    log_->setMinimumSize(540, 180);
    transfer_ = new QLabel(this);
    cancelTransfer_ = new QPushButton("Cancel", this);
    cancelTransfer_->setEnabled(false);
    auto* ok = new QPushButton("ok", this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(server_);
    layout->addWidget(url_);
    layout->addWidget(categories_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(download_);
    buttons->addWidget(updateAll_);
    buttons->addWidget(webSite_);
    layout->addLayout(buttons);
    layout->addWidget(log_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(transfer_, 1);
    bottom->addWidget(cancelTransfer_);
    bottom->addWidget(ok);
    layout->addLayout(bottom);

    connect(download_, &QPushButton::clicked, this, [this] { start(false); });
    connect(updateAll_, &QPushButton::clicked, this, [this] { start(true); });
    connect(webSite_, &QPushButton::clicked, this, [this] {
        const std::string home = serverHomePage(services_.state->settings.TLE_Url);
        if (!home.empty()) OpenOutsidePage(services_.openWebPage, home, *services_.messages);
    });
    connect(cancelTransfer_, &QPushButton::clicked, this, [this] { cancel_ = true; });
    connect(ok, &QPushButton::clicked, this, &QDialog::reject);
}

DownloadDialog::~DownloadDialog() {
    cancel_ = true;
    if (worker_.joinable()) worker_.join();
}

void DownloadDialog::start(bool all) {
    if (busy() || closed_) return;
    form_.url = url_->text().trimmed().toStdString();
    takeElementSetUrl(form_, services_.state->settings, *services_.store);
    url_->setText(QString::fromStdString(form_.url));
    url_->setCursorPosition(0);
    server_->setText(QString::fromStdString(form_.server));
    DownloadContext context;
    context.http = services_.http;
    context.urlTemplate = services_.state->settings.TLE_Url;
    context.saveFolder = elementFileFolder(services_.folder);
    context.history = &services_.state->downloads;  // the interface leaves it alone meanwhile
    context.cancel = &cancel_;
    const int row = categories_->currentIndex();
    cancel_ = false;
    setBusy(true);
    worker_ = std::thread([this, context, row, all] {
        if (all) {
            DownloadAll(context, *progress_);
        } else {
            DownloadCategory(context, row, *progress_);
        }
        progress_->finished();
    });
}

void DownloadDialog::finish() {
    if (!worker_.joinable()) return;
    worker_.join();
    // What the worker sent before it ended is still queued: take it now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    setBusy(false);
}

void DownloadDialog::done(int result) {
    if (!closed_) {
        closed_ = true;
        cancel_ = true;
        finish();
        closeDownloadDialog(*services_.state, services_.folder);
    }
    QDialog::done(result);
}

void DownloadDialog::showLog(const std::string& log) {
    form_.log = log;
    log_->setPlainText(QString::fromUtf8(log.data(), static_cast<int>(log.size())).replace("\r\n", "\n"));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

void DownloadDialog::setBusy(bool running) {
    download_->setEnabled(!running);
    updateAll_->setEnabled(!running);
    cancelTransfer_->setEnabled(running);
    if (!running) transfer_->clear();
    categories_->setEnabled(!running);
    url_->setEnabled(!running);
}

void RunDownloadDialog(QWidget* parent, AppState& state, const MainWindowServices& services) {
    CurlHttpClient http;
    DownloadDialogServices dialogServices;
    dialogServices.state = &state;
    dialogServices.store = services.store;
    dialogServices.messages = services.messages;
    dialogServices.folder = services.folder;
    dialogServices.http = &http;
    dialogServices.openWebPage = [](const std::string& url) {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    };
    DownloadDialog dialog(std::move(dialogServices), parent);
    dialog.exec();
}

}  // namespace vantrek::app
