#pragma once

#include <string>
#include <vector>

namespace vantrek {

enum class MessageIcon { None, Error, Information, Warning };

// Where the program's message boxes go: a modal box in the program, a
// recording in tests. The texts are the program's own, used as they stand.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An empty caption means a box without a caption.
    virtual void showMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
};

// Keeps every message shown, in order.
class RecordingMessageSink : public MessageSink {
public:
    std::vector<ShownMessage> messages;

    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
};

}  // namespace vantrek
