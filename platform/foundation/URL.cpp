#include "platform/foundation/URL.hpp"

#include "platform/foundation/PercentEncoding.hpp"

#include <uriparser/Uri.h>

#include <memory>

namespace foundation {
namespace {

struct ParsedUri {
    UriUriA uri{};
    bool owned = false;
    ~ParsedUri() {
        if (owned)
            uriFreeUriMembersA(&uri);
    }
};

std::optional<std::string> rangeText(const UriTextRangeA& range) {
    if (!range.first || !range.afterLast)
        return std::nullopt;
    return std::string(range.first, range.afterLast);
}

bool parse(const std::string& text, ParsedUri& parsed) {
    if (text.empty())
        return false;
    const char* errorPos = nullptr;
    int rc = uriParseSingleUriExA(&parsed.uri, text.data(), text.data() + text.size(), &errorPos);
    parsed.owned = rc == URI_SUCCESS;
    return rc == URI_SUCCESS;
}

std::string decodedOrAsWritten(const std::string& text) {
    auto decoded = removingPercentEncoding(text);
    return decoded ? *decoded : text;
}

} // namespace

std::optional<URL> URL::string(const std::string& text) {
    ParsedUri parsed;
    if (!parse(text, parsed))
        return std::nullopt;
    const UriUriA& uri = parsed.uri;

    URL url;
    url.string_ = text;
    url.scheme_ = rangeText(uri.scheme);
    url.userInfo_ = rangeText(uri.userInfo);
    url.host_ = rangeText(uri.hostText);
    if (auto port = rangeText(uri.portText); port && !port->empty()) {
        // The parser only lets digits through; refuse values that do not fit a port.
        if (port->size() > 5)
            return std::nullopt;
        int value = std::stoi(*port);
        if (value > 65535)
            return std::nullopt;
        url.port_ = value;
    }

    // The pieces as written, split the way RFC 3986's appendix B does; the parser has already
    // checked that the string is a valid reference, so the split is unambiguous.
    std::string rest = text;
    if (auto hash = rest.find('#'); hash != std::string::npos) {
        url.fragment_ = rest.substr(hash + 1);
        rest.erase(hash);
    }
    if (auto mark = rest.find('?'); mark != std::string::npos) {
        url.query_ = rest.substr(mark + 1);
        rest.erase(mark);
    }
    std::size_t pathStart = url.scheme_ ? url.scheme_->size() + 1 : 0;
    if (rest.compare(pathStart, 2, "//") == 0) {
        std::size_t authorityEnd = rest.find('/', pathStart + 2);
        pathStart = authorityEnd == std::string::npos ? rest.size() : authorityEnd;
    }
    url.path_ = rest.substr(pathStart);
    return url;
}

std::optional<URL> URL::string(const std::string& text, const URL& base) {
    ParsedUri relative, absoluteBase;
    if (!parse(text, relative) || !parse(base.string_, absoluteBase))
        return std::nullopt;
    ParsedUri resolved;
    if (uriAddBaseUriA(&resolved.uri, &relative.uri, &absoluteBase.uri) != URI_SUCCESS)
        return std::nullopt;
    resolved.owned = true;
    int length = 0;
    if (uriToStringCharsRequiredA(&resolved.uri, &length) != URI_SUCCESS)
        return std::nullopt;
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    if (uriToStringA(out.data(), &resolved.uri, length + 1, nullptr) != URI_SUCCESS)
        return std::nullopt;
    out.resize(static_cast<std::size_t>(length));
    return string(out);
}

std::optional<std::string> URL::host() const {
    if (!host_ || host_->empty())
        return std::nullopt;
    return decodedOrAsWritten(*host_);
}

std::optional<std::string> URL::user() const {
    if (!userInfo_)
        return std::nullopt;
    return decodedOrAsWritten(userInfo_->substr(0, userInfo_->find(':')));
}

std::string URL::path() const {
    std::string decoded = decodedOrAsWritten(path_);
    if (decoded.size() > 1 && decoded.back() == '/')
        decoded.pop_back();
    return decoded;
}

std::vector<URLQueryItem> URL::queryItems() const {
    return query_ ? parseQueryItems(*query_) : std::vector<URLQueryItem>{};
}

std::ostream& operator<<(std::ostream& out, const URL& url) { return out << url.absoluteString(); }

std::vector<URLQueryItem> parseQueryItems(const std::string& query, bool decode) {
    std::vector<URLQueryItem> items;
    if (query.empty())
        return items;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = query.find('&', start);
        std::string piece = query.substr(start, end == std::string::npos ? std::string::npos : end - start);
        URLQueryItem item;
        auto equals = piece.find('=');
        item.name = piece.substr(0, equals);
        if (equals != std::string::npos)
            item.value = piece.substr(equals + 1);
        if (decode) {
            item.name = decodedOrAsWritten(item.name);
            if (item.value)
                item.value = decodedOrAsWritten(*item.value);
        }
        items.push_back(std::move(item));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return items;
}

} // namespace foundation
