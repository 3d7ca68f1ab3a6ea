#pragma once

// A URL parsed by RFC 3986 rules. A string that is not a valid URI reference (empty, with
// spaces or other characters that must be escaped, unbalanced brackets, a bad escape, a port
// that is not a number) gives no URL, as the platform's URL(string:) does.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace foundation {

struct URLQueryItem {
    std::string name;
    std::optional<std::string> value;

    friend bool operator==(const URLQueryItem&, const URLQueryItem&) = default;
};

class URL {
public:
    static std::optional<URL> string(const std::string& text);
    // `text` resolved against `base` (a link or redirect target on a page at `base`).
    static std::optional<URL> string(const std::string& text, const URL& base);

    // As given: "HTTP" stays in capitals.
    const std::optional<std::string>& scheme() const { return scheme_; }
    // Percent-decoded, without the brackets of an IPv6 literal; no host when there is no
    // authority or it is empty.
    std::optional<std::string> host() const;
    std::optional<int> port() const { return port_; }
    std::optional<std::string> user() const;
    // Percent-decoded; a trailing "/" is dropped unless the path is just "/".
    std::string path() const;
    const std::string& percentEncodedPath() const { return path_; }
    // Everything after "?" as written (still percent-encoded); no query when there is no "?".
    const std::optional<std::string>& query() const { return query_; }
    const std::optional<std::string>& fragment() const { return fragment_; }

    // The query split at "&" and at the first "=" of each piece, names and values
    // percent-decoded, order kept. A piece without "=" has no value. Empty when the query is
    // absent or empty.
    std::vector<URLQueryItem> queryItems() const;

    const std::string& absoluteString() const { return string_; }
    const std::string& description() const { return string_; }
    const std::string& debugDescription() const { return string_; }

    friend bool operator==(const URL& a, const URL& b) { return a.string_ == b.string_; }
    friend bool operator<(const URL& a, const URL& b) { return a.string_ < b.string_; }

private:
    URL() = default;

    std::string string_;
    std::optional<std::string> scheme_;
    std::optional<std::string> userInfo_;
    std::optional<std::string> host_; // as written
    std::optional<int> port_;
    std::string path_; // as written
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};

std::ostream& operator<<(std::ostream& out, const URL& url);

// Splits a percent-encoded query into items. With `decode` false, names and values stay as
// written. A name or value whose escapes do not decode to UTF-8 is kept as written.
std::vector<URLQueryItem> parseQueryItems(const std::string& percentEncodedQuery, bool decode = true);

} // namespace foundation
