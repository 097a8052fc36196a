#include "data/element_set_download.hpp"

#include <algorithm>
#include <cctype>

#include <sys/stat.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "data/download_categories.hpp"
#include "data/downloaded_sets.hpp"

namespace vantrek {

namespace {

constexpr const char* kCantConnectInternet = "Can't connect to Internet!";
constexpr const char* kCantConnectUrl = "Can't connect to url!";
constexpr const char* kErrorReading = "Error reading data!";
constexpr const char* kErrorSaving = "Error saving data to My Documents!";
constexpr const char* kSaveErrorCaption = "Save error";
constexpr const char* kIncorrectPath = "Incorrect Quorle pragram path!";
constexpr const char* kCantOpenFile = "I can't open the file: %s";
constexpr const char* kSaveFailed = "Save failed!";

enum class Walk { Single, All };
enum class RowEnd { Loaded, Skipped, Stop };

// printf into a string of the length needed; the patterns are the program's own.
std::string formatted(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, pattern, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), pattern, again);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

int64_t nowSeconds(const DownloadContext& context) {
    return context.now ? context.now() : static_cast<int64_t>(std::time(nullptr));
}

// "HH:MM" of the computer's local time.
std::string clockText(int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local)) return "??:??";
    return formatted("%02d:%02d", local.tm_hour, local.tm_min);
}

bool withinUpdatePeriod(int64_t then, int64_t now) {
    return now - then < kServerUpdateSeconds && then - now < kServerUpdateSeconds;
}

bool cancelled(const DownloadContext& context) {
    return context.cancel && context.cancel->load();
}

// Reads the answer's sets here, on the worker thread; the catalogue is null
// when it holds none.
std::shared_ptr<const SatelliteCatalog> readSets(const std::string& answer, int& count) {
    auto sets = std::make_shared<SatelliteCatalog>();
    count = readDownloadedSets(*sets, answer);
    if (count == 0) sets.reset();
    return sets;
}

// A copy of the group saved less than two hours ago that holds sets.
bool readRecentCopy(const DownloadContext& context, const char* stem, int64_t now,
                    DownloadedCategory& copy, int64_t& savedAt) {
    if (context.saveFolder.empty()) return false;
    const std::string path = context.saveFolder + "/" + stem + elementFileExtension(context.urlTemplate);
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    savedAt = static_cast<int64_t>(info.st_mtime);
    if (!withinUpdatePeriod(savedAt, now)) return false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    const std::size_t size = std::min(static_cast<std::size_t>(info.st_size), kDownloadMaxBytes);
    copy.answer.resize(size);
    copy.answer.resize(std::fread(copy.answer.data(), 1, size, file));
    std::fclose(file);
    copy.sets = readSets(copy.answer, copy.count);
    copy.savedPath = path;
    return copy.count > 0;
}

class Row {
public:
    Row(const DownloadContext& context, int row, Walk walk, std::string& log,
        DownloadProgress& progress)
        : context_(context), row_(row), walk_(walk), log_(log), progress_(progress),
          category_(kDownloadCategories[row]),
          name_(walk == Walk::All ? formatted("'%s'", category_.stem) : category_.stem) {}

    RowEnd run() {
        const int64_t now = nowSeconds(context_);
        DownloadedCategory result;
        result.row = row_;
        result.single = walk_ == Walk::Single;
        int64_t savedAt = 0;
        if (readRecentCopy(context_, category_.stem, now, result, savedAt)) {
            logLine(formatted("Data of %d satellites of %s read from the copy saved at %s; the server "
                              "updates every 2 hours \r\n",
                              result.count, name_.c_str(), clockText(savedAt).c_str()));
            progress_.categoryLoaded(result);
            return RowEnd::Loaded;
        }
        if (context_.history) {
            const auto asked = context_.history->askedAt.find(category_.group);
            if (asked != context_.history->askedAt.end() && withinUpdatePeriod(asked->second, now)) {
                logLine(formatted("%s: asked at %s already; the server updates every 2 hours \r\n",
                                  name_.c_str(), clockText(asked->second).c_str()));
                return RowEnd::Skipped;
            }
        }
        return fetch(now, result);
    }

private:
    RowEnd fetch(int64_t now, DownloadedCategory& result) {
        HttpRequest request;
        request.url = elementSetUrl(context_.urlTemplate, category_.group);
        request.userAgent = kDownloadUserAgent;
        request.maxBodyBytes = kDownloadMaxBytes;
        request.cancel = context_.cancel;
        request.connectTimeoutMs = context_.connectTimeoutMs;
        request.totalTimeoutMs = context_.totalTimeoutMs;
        const std::string host = urlHost(request.url);
        progress_.transferChanged(TransferText(host, 0));
        std::size_t shown = 0;
        request.received = [&](std::size_t bytes) {
            // Every 64 kB at most: a fast transfer would flood the interface.
            if (bytes == shown || (shown > 0 && bytes < shown + 65536)) return;
            shown = bytes;
            progress_.transferChanged(TransferText(host, bytes));
        };
        HttpReply reply = context_.http->get(request);
        progress_.transferChanged("");
        const std::string& url = request.url;

        if (reply.failure == HttpFailure::Unavailable) {
            progress_.showMessage(kCantConnectInternet, "", MessageIcon::Error);
            return RowEnd::Stop;
        }
        if (reply.failure == HttpFailure::Cancelled) return RowEnd::Stop;
        // Only a request the server saw counts against its usage rules.
        if (reply.status > 0 && context_.history) context_.history->askedAt[category_.group] = now;

        if (reply.failure == HttpFailure::Connect) {
            logLine(formatted("%s: %s \r\n", name_.c_str(), reply.error.c_str()));
            progress_.showMessage(kCantConnectUrl, url, MessageIcon::Error);
            return RowEnd::Stop;
        }
        if (reply.status != 200) {
            logLine(formatted("%s: the server answered %d \r\n", name_.c_str(), reply.status));
            const bool groupGone = reply.status == 404 || reply.status == 410;
            if (walk_ == Walk::All && groupGone) return RowEnd::Skipped;
            progress_.showMessage(kCantConnectUrl, url, MessageIcon::Error);
            return RowEnd::Stop;
        }
        if (reply.failure == HttpFailure::Read) {
            logLine(formatted("%s: %s \r\n", name_.c_str(), reply.error.c_str()));
            progress_.showMessage(kErrorReading, url, MessageIcon::Error);
            return RowEnd::Skipped;
        }
        if (reply.failure == HttpFailure::TooLarge) {
            logLine(formatted("%s: the answer is larger than %zu bytes \r\n", name_.c_str(),
                              kDownloadMaxBytes));
            return RowEnd::Skipped;
        }

        result.answer = std::move(reply.body);
        result.sets = readSets(result.answer, result.count);
        if (result.count == 0) {
            logLine(formatted("I can't read any satellites data from %s \r\n", name_.c_str()));
            return RowEnd::Skipped;
        }
        logLine(formatted("Data of %d satellites read sucessfully from %s TLE \r\n", result.count,
                          name_.c_str()));
        const bool saved =
            SaveElementFile(context_.saveFolder, category_.stem, elementFileExtension(context_.urlTemplate),
                            result.answer, progress_, result.savedPath);
        if (!saved) {
            result.savedPath.clear();
            progress_.showMessage(kErrorSaving, kSaveErrorCaption, MessageIcon::Error);
        }
        // The sets are loaded even when they could not be saved.
        progress_.categoryLoaded(result);
        return saved ? RowEnd::Loaded : RowEnd::Stop;
    }

    void logLine(const std::string& line) {
        log_ += line;
        progress_.logChanged(log_);
    }

    const DownloadContext& context_;
    int row_;
    Walk walk_;
    std::string& log_;
    DownloadProgress& progress_;
    const DownloadCategoryRow& category_;
    std::string name_;  // the stem as the log names it
};

}  // namespace

std::string elementSetUrl(const std::string& urlTemplate, const char* group) {
    std::string url;
    for (std::size_t i = 0; i < urlTemplate.size(); ++i) {
        if (urlTemplate.compare(i, 2, "%s") == 0) {
            url += group;
            ++i;
        } else {
            url += urlTemplate[i];
        }
    }
    return url;
}

std::string urlHost(const std::string& url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos) return url;
    const std::size_t start = scheme + 3;
    const std::size_t end = url.find_first_of(":/?#", start);
    return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string TransferText(const std::string& host, std::size_t bytes) {
    if (bytes == 0) return "Connecting to " + host + "...";
    if (bytes < 10u * 1000 * 1000) return formatted("%s: %zu kB received", host.c_str(), (bytes + 999) / 1000);
    return formatted("%s: %.1f MB received", host.c_str(), static_cast<double>(bytes) / 1e6);
}

std::string serverHomePage(const std::string& urlTemplate) {
    const std::size_t scheme = urlTemplate.find("://");
    if (scheme == std::string::npos || scheme == 0) return {};
    const std::size_t hostEnd = urlTemplate.find_first_of("/?#", scheme + 3);
    const std::string home = urlTemplate.substr(0, hostEnd);
    if (home.size() == scheme + 3) return {};
    return home + "/";
}

const char* elementFileExtension(const std::string& urlTemplate) {
    std::string lower = urlTemplate;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* form : {"csv", "json", "xml"}) {
        if (lower.find(std::string("format=") + form) != std::string::npos)
            return form[0] == 'c' ? ".csv" : form[0] == 'j' ? ".json" : ".xml";
    }
    return ".txt";
}

bool SaveElementFile(const std::string& saveFolder, const char* stem, const char* extension,
                     const std::string& bytes, MessageSink& messages, std::string& savedPath) {
    savedPath.clear();
    if (saveFolder.empty()) {
        messages.showMessage(kIncorrectPath, "", MessageIcon::Error);
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(saveFolder, error);  // a failure shows when the file is opened
    const std::string path = saveFolder + "/" + stem + extension;
    const std::string part = path + ".part";

    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (!file) {
        messages.showMessage(formatted(kCantOpenFile, path.c_str()), "", MessageIcon::Error);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        messages.showMessage(kSaveFailed, "", MessageIcon::Error);
        return false;
    }
    savedPath = path;
    return true;
}

bool DownloadCategory(const DownloadContext& context, int row, DownloadProgress& progress) {
    if (row < 0 || row >= kDownloadCategoryCount || !context.http) return false;
    std::string log;
    progress.logChanged(log);
    return Row(context, row, Walk::Single, log, progress).run() == RowEnd::Loaded;
}

int DownloadAll(const DownloadContext& context, DownloadProgress& progress) {
    if (!context.http) return 0;
    std::string log;
    progress.logChanged(log);
    int loaded = 0;
    for (int row = 0; row < kDownloadCategoryCount && !cancelled(context); ++row) {
        const RowEnd end = Row(context, row, Walk::All, log, progress).run();
        if (end == RowEnd::Loaded) ++loaded;
        if (end == RowEnd::Stop) break;
    }
    return loaded;
}

}  // namespace vantrek
