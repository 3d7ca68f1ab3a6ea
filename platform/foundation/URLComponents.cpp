#include "platform/foundation/URLComponents.hpp"

#include "platform/foundation/PercentEncoding.hpp"

namespace foundation {
namespace {

std::string joinItems(const std::vector<URLQueryItem>& items) {
    std::string query;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            query += '&';
        query += items[i].name;
        if (items[i].value) {
            query += '=';
            query += *items[i].value;
        }
    }
    return query;
}

} // namespace

URLComponents::URLComponents(const URL& url)
    : scheme_(url.scheme()), port_(url.port()), path_(url.percentEncodedPath()), query_(url.query()),
      fragment_(url.fragment()) {
    // The URL keeps its authority only as written inside the absolute string; take it from
    // there so that user info and the host's own escapes survive untouched.
    const std::string& text = url.absoluteString();
    std::size_t start = scheme_ ? scheme_->size() + 1 : 0;
    if (text.compare(start, 2, "//") == 0) {
        std::size_t end = text.find_first_of("/?#", start + 2);
        std::string authority = text.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2);
        if (auto at = authority.rfind('@'); at != std::string::npos) {
            userInfo_ = authority.substr(0, at);
            authority.erase(0, at + 1);
        }
        if (!authority.empty() && authority.front() == '[') {
            auto close = authority.find(']');
            host_ = authority.substr(1, close - 1);
        } else {
            host_ = authority.substr(0, authority.find(':'));
        }
    }
}

std::optional<URLComponents> URLComponents::string(const std::string& text) {
    auto url = URL::string(text);
    if (!url)
        return std::nullopt;
    return URLComponents(*url);
}

std::optional<std::string> URLComponents::host() const {
    if (!host_)
        return std::nullopt;
    auto decoded = removingPercentEncoding(*host_);
    return decoded ? *decoded : *host_;
}

std::string URLComponents::path() const {
    auto decoded = removingPercentEncoding(path_);
    return decoded ? *decoded : path_;
}

std::optional<std::string> URLComponents::query() const {
    if (!query_)
        return std::nullopt;
    auto decoded = removingPercentEncoding(*query_);
    return decoded ? *decoded : *query_;
}

std::optional<std::vector<URLQueryItem>> URLComponents::queryItems() const {
    if (!query_)
        return std::nullopt;
    return parseQueryItems(*query_, true);
}

std::optional<std::vector<URLQueryItem>> URLComponents::percentEncodedQueryItems() const {
    if (!query_)
        return std::nullopt;
    return parseQueryItems(*query_, false);
}

void URLComponents::setPercentEncodedQueryItems(const std::optional<std::vector<URLQueryItem>>& items) {
    if (!items)
        query_.reset();
    else
        query_ = joinItems(*items);
}

std::string URLComponents::string() const {
    std::string out;
    if (scheme_)
        out += *scheme_ + ":";
    if (host_) {
        out += "//";
        if (userInfo_)
            out += *userInfo_ + "@";
        bool ipv6 = host_->find(':') != std::string::npos;
        out += ipv6 ? "[" + *host_ + "]" : *host_;
        if (port_)
            out += ":" + std::to_string(*port_);
    }
    out += path_;
    if (query_)
        out += "?" + *query_;
    if (fragment_)
        out += "#" + *fragment_;
    return out;
}

std::optional<URL> URLComponents::url() const {
    // With an authority the path must be empty or start with "/", or the host would swallow it.
    if (host_ && !path_.empty() && path_.front() != '/')
        return std::nullopt;
    return URL::string(string());
}

} // namespace foundation
