#pragma once

#include "platform/http_client.hpp"

namespace vantrek {

// HTTP and HTTPS through libcurl: certificates checked, at most 5 redirects
// (HTTP and HTTPS only), the proxy of the environment (http_proxy,
// https_proxy, no_proxy) honoured. Safe to use from any one thread at a time.
class CurlHttpClient final : public HttpClient {
public:
    HttpReply get(const HttpRequest& request) override;
};

}  // namespace vantrek
