#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli_commands.hpp"
#include "data/download_categories.hpp"
#include "data/element_set_download.hpp"
#include "platform/curl_http_client.hpp"

namespace vantrek::cli {

namespace {

// Prints the log as it grows (without its carriage returns) and the messages
// on standard error.
class PrintedProgress final : public DownloadProgress {
public:
    void logChanged(const std::string& log) override {
        if (log.size() < printed_) printed_ = 0;  // a new log began
        for (std::size_t i = printed_; i < log.size(); ++i) {
            if (log[i] != '\r') std::fputc(log[i], stdout);
        }
        std::fflush(stdout);
        printed_ = log.size();
    }
    void categoryLoaded(const DownloadedCategory&) override {}
    void showMessage(const std::string& text, const std::string& caption, MessageIcon) override {
        if (caption.empty()) {
            std::fprintf(stderr, "vantrek-cli: %s\n", text.c_str());
        } else {
            std::fprintf(stderr, "vantrek-cli: %s (%s)\n", text.c_str(), caption.c_str());
        }
    }

private:
    std::size_t printed_ = 0;
};

int rowOf(const char* name) {
    for (int row = 0; row < kDownloadCategoryCount; ++row) {
        const DownloadCategoryRow& category = kDownloadCategories[row];
        if (std::strcmp(name, category.stem) == 0 || std::strcmp(name, category.group) == 0) return row;
    }
    return -1;
}

int usage() {
    std::fprintf(stderr, "usage: vantrek-cli download GROUP|--all [--url TEMPLATE] [--folder DIR]\n");
    return 2;
}

}  // namespace

int runDownload(int argc, char** argv) {
    CurlHttpClient client;
    DownloadContext context;
    context.http = &client;
    context.saveFolder = elementFileFolder(ProgramFolderFromEnvironment(ExecutableFolder().path));
    bool all = false;
    int row = -1;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(arg, "--all") == 0) {
            all = true;
        } else if (std::strcmp(arg, "--url") == 0 && hasValue) {
            context.urlTemplate = argv[++i];
        } else if (std::strcmp(arg, "--folder") == 0 && hasValue) {
            context.saveFolder = argv[++i];
        } else if (arg[0] != '-' && row < 0) {
            row = rowOf(arg);
            if (row < 0) {
                std::fprintf(stderr, "vantrek-cli: unknown group %s\n", arg);
                return 2;
            }
        } else {
            return usage();
        }
    }
    if (all == (row >= 0)) return usage();

    PrintedProgress progress;
    if (all) return DownloadAll(context, progress) == kDownloadCategoryCount ? 0 : 2;
    return DownloadCategory(context, row, progress) ? 0 : 2;
}

}  // namespace vantrek::cli
