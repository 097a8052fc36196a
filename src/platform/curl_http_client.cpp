#include "platform/curl_http_client.hpp"

#include <curl/curl.h>

#include <mutex>

namespace vantrek {

namespace {

constexpr long kMaxRedirects = 5;

struct Transfer {
    HttpReply* reply;
    const HttpRequest* request;
    bool tooLarge = false;
};

size_t keepBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    std::string& body = transfer->reply->body;
    if (body.size() + bytes > transfer->request->maxBodyBytes) {
        transfer->tooLarge = true;
        return 0;  // makes libcurl stop with a write error
    }
    body.append(data, bytes);
    return bytes;
}

// Called about once a second even while nothing arrives, so a cancel is seen
// within a second.
int checkCancel(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t) {
    const auto* request = static_cast<Transfer*>(user)->request;
    if (request->received) request->received(received > 0 ? static_cast<std::size_t>(received) : 0);
    return request->cancel && request->cancel->load() ? 1 : 0;
}

bool libraryReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return ready;
}

}  // namespace

HttpReply CurlHttpClient::get(const HttpRequest& request) {
    HttpReply reply;
    CURL* curl = libraryReady() ? curl_easy_init() : nullptr;
    if (!curl) {
        reply.failure = HttpFailure::Unavailable;
        reply.error = "the network library cannot start";
        return reply;
    }
    Transfer transfer{&reply, &request};
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, request.userAgent.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // time-outs without signals: worker threads
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");  // any compression libcurl can undo
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkCancel);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    reply.status = static_cast<int>(status);
    if (code != CURLE_OK) {
        reply.error = errorText[0] ? errorText : curl_easy_strerror(code);
        if (code == CURLE_ABORTED_BY_CALLBACK) {
            reply.failure = HttpFailure::Cancelled;
        } else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
            reply.failure = HttpFailure::TooLarge;
        } else if (code == CURLE_TOO_MANY_REDIRECTS || status == 0) {
            reply.failure = HttpFailure::Connect;
        } else {
            reply.failure = HttpFailure::Read;
        }
    }
    curl_easy_cleanup(curl);
    return reply;
}

}  // namespace vantrek
