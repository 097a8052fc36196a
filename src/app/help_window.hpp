#pragma once

#include <string>

#include <QDialog>

#include "platform/message_sink.hpp"
#include "ui/outside_pages.hpp"

class QTextBrowser;
class QUrl;

namespace vantrek::app {

// Help > Help: Help.htm in the program's own window, so help needs no
// browser. Links within the help stay here; links to outside pages go to the
// desktop's browser, and when none opens them the user is told the address.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    HelpWindow(const std::string& helpPath, PageOpener opener, MessageSink& messages, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    // What a click on a link does.
    void followLink(const QUrl& url);

private:
    PageOpener opener_;
    MessageSink& messages_;
    QTextBrowser* browser_ = nullptr;
};

}  // namespace vantrek::app
