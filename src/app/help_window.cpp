#include "app/help_window.hpp"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vantrek::app {

HelpWindow::HelpWindow(const std::string& helpPath, PageOpener opener, MessageSink& messages, QWidget* parent)
    : QDialog(parent), opener_(std::move(opener)), messages_(messages) {
    setWindowTitle("Vantrek help");
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(false);
    browser_->setSource(QUrl::fromLocalFile(QString::fromStdString(helpPath)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(760, 640);
}

void HelpWindow::followLink(const QUrl& url) {
    const QUrl target = browser_->source().resolved(url);
    if (target.isLocalFile()) {
        browser_->setSource(target);
        return;
    }
    OpenOutsidePage(opener_, target.toString().toStdString(), messages_);
}

}  // namespace vantrek::app
