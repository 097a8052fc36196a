#pragma once

#include "platform/message_sink.hpp"

class QWidget;

namespace vantrek::app {

// The program's message boxes: modal, with the icon asked for and the caption
// given (none when it is empty), owned by `parent`.
class QtMessageSink : public MessageSink {
public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;

private:
    QWidget* parent_;
};

}  // namespace vantrek::app
