#pragma once

// The parts of a URL, kept percent-encoded, so that query items can be read and replaced and a
// URL built again.

#include "platform/foundation/URL.hpp"

#include <optional>
#include <string>
#include <vector>

namespace foundation {

class URLComponents {
public:
    URLComponents() = default;
    explicit URLComponents(const URL& url);
    // No components for a string that is not a URL.
    static std::optional<URLComponents> string(const std::string& text);

    const std::optional<std::string>& scheme() const { return scheme_; }
    std::optional<std::string> host() const;
    std::optional<int> port() const { return port_; }
    std::string path() const;
    const std::string& percentEncodedPath() const { return path_; }
    std::optional<std::string> query() const;
    const std::optional<std::string>& percentEncodedQuery() const { return query_; }

    // Decoded items; no items when there is no query.
    std::optional<std::vector<URLQueryItem>> queryItems() const;

    // Items as written. The setter takes names and values that are already encoded: adding
    // an item this way keeps the encoding of the items that are there, which a decode and
    // re-encode would change (an escaped "+" would come back bare).
    std::optional<std::vector<URLQueryItem>> percentEncodedQueryItems() const;
    void setPercentEncodedQueryItems(const std::optional<std::vector<URLQueryItem>>& items);

    // The string put together again; the URL made of it, when it is one.
    std::string string() const;
    std::optional<URL> url() const;

private:
    std::optional<std::string> scheme_;
    std::optional<std::string> userInfo_;
    std::optional<std::string> host_; // as written (brackets of an IPv6 literal excluded)
    std::optional<int> port_;
    std::string path_;
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};

} // namespace foundation
