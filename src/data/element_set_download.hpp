#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/download_history.hpp"
#include "data/settings.hpp"
#include "orbit/element_set.hpp"
#include "orbit/element_set_forms.hpp"
#include "platform/http_client.hpp"
#include "platform/message_sink.hpp"
#include "platform/program_folder.hpp"

namespace vantrek {

constexpr const char* kDownloadUserAgent =
    "Mozilla/4.0 (compatible; MSIE 4.01; Windows NT Windows CE)";
// The server publishes new element sets at most this often, and blocks
// clients that ask again sooner.
constexpr int64_t kServerUpdateSeconds = 2 * 3600;
// The most of one answer that is kept and saved: what a file may hold
// (the whole catalogue in the roomiest form fits).
constexpr std::size_t kDownloadMaxBytes = static_cast<std::size_t>(kElementFileMaxBytes);

// What one button press works with. The download runs on a worker thread:
// everything here is its own, except the client, the history and the sink,
// which nobody else uses meanwhile.
struct DownloadContext {
    HttpClient* http = nullptr;
    std::string urlTemplate = kDefaultElementSetUrl;
    std::string saveFolder;               // the TLE folder; empty when the program path is unknown
    DownloadHistory* history = nullptr;   // none: only saved copies count
    std::function<int64_t()> now;         // seconds since 1970; the system clock when empty
    const std::atomic<bool>* cancel = nullptr;
    long connectTimeoutMs = 15000;        // per file
    long totalTimeoutMs = 60000;          // per file
};

// One category loaded: the answer (or the recent saved copy), and its sets
// as the worker read them, which the interface thread takes into the
// catalogue without reading the answer again.
struct DownloadedCategory {
    int row = -1;
    int count = 0;
    std::string answer;
    std::shared_ptr<const SatelliteCatalog> sets;  // `count` sets; null: read `answer`
    std::string savedPath;  // the copy written whole, or the one read; empty when saving failed
    bool single = false;    // from "Download": the Iridium mark follows the row
};

// Where a download reports. The log is given whole each time it changes; the
// transfer line ("Connecting to celestrak.org...", then the bytes received)
// while a file is on its way, and empty once it has come or failed.
class DownloadProgress : public MessageSink {
public:
    virtual void logChanged(const std::string& log) = 0;
    virtual void categoryLoaded(const DownloadedCategory& category) = 0;
    virtual void transferChanged(const std::string& text) { (void)text; }
};

// "HOST" of a URL (without the scheme, the port and the path); the URL
// itself when it has no scheme.
std::string urlHost(const std::string& url);

// The transfer line: "Connecting to HOST..." before any byte, then
// "HOST: N kB received" (MB from 10 MB on).
std::string TransferText(const std::string& host, std::size_t bytes);

// The URL of a group: every %s of the template replaced by it.
std::string elementSetUrl(const std::string& urlTemplate, const char* group);

// "scheme://host/" of the template; empty when it has no scheme and host.
std::string serverHomePage(const std::string& urlTemplate);


// The extension a group's copy is saved with: ".csv", ".json" or ".xml" for
// a template asking FORMAT=csv, json or xml, ".txt" for two-line sets.
const char* elementFileExtension(const std::string& urlTemplate);

// Writes `bytes` as <stem><extension> in `saveFolder`, made when it is missing (a
// fresh install has none): into a temporary file that replaces the old copy
// only once it is whole. Returns false after "Incorrect Quorle pragram path!"
// (no folder), "I can't open the file: %s" or "Save failed!"; `savedPath` is
// the file written.
bool SaveElementFile(const std::string& saveFolder, const char* stem, const char* extension,
                     const std::string& bytes, MessageSink& messages, std::string& savedPath);

// "Download": one category row (0..kDownloadCategoryCount - 1; any other does nothing). A group
// saved or asked for less than two hours ago comes from its saved copy or is
// not asked again. Returns true when a catalogue was handed over.
bool DownloadCategory(const DownloadContext& context, int row, DownloadProgress& progress);

// "Update all": every row in order, each one loaded and saved in turn. A group
// the server no longer has (404, 410) is logged and skipped; any other refusal
// and a failed connection stop the walk, as the server's usage rules ask.
// Returns the number of categories handed over.
int DownloadAll(const DownloadContext& context, DownloadProgress& progress);

}  // namespace vantrek
