#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/element_set_download.hpp"

namespace vantrek::testing {

inline std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Keeps what a download reports.
class RecordingProgress : public DownloadProgress {
public:
    std::string log;
    int logChanges = 0;
    std::vector<ShownMessage> messages;
    std::vector<DownloadedCategory> loaded;

    void logChanged(const std::string& text) override {
        log = text;
        ++logChanges;
    }
    void categoryLoaded(const DownloadedCategory& category) override { loaded.push_back(category); }
    void showMessage(const std::string& text, const std::string& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const ShownMessage& m : messages) all.push_back(m.text + " | " + m.caption);
        return all;
    }
};

}  // namespace vantrek::testing
