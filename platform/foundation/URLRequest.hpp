#pragma once

#include "platform/foundation/Data.hpp"
#include "platform/foundation/URL.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace foundation {

// Raw values as on the platform.
enum class URLRequestCachePolicy {
    useProtocolCachePolicy = 0,
    reloadIgnoringLocalCacheData = 1,
    returnCacheDataElseLoad = 2,
    returnCacheDataDontLoad = 3,
    reloadIgnoringLocalAndRemoteCacheData = 4,
    reloadRevalidatingCacheData = 5,
};

class URLRequest {
public:
    static constexpr double defaultTimeoutInterval = 60;

    explicit URLRequest(URL url, URLRequestCachePolicy cachePolicy = URLRequestCachePolicy::useProtocolCachePolicy,
                        double timeoutInterval = defaultTimeoutInterval);

    URL url;
    std::string httpMethod = "GET";
    std::optional<Data> httpBody;
    URLRequestCachePolicy cachePolicy;
    double timeoutInterval;

    // Header names compare without regard to case, as in HTTP.
    std::optional<std::string> value(const std::string& headerField) const;
    // Replaces the field (a value of nullopt removes it).
    void setValue(const std::optional<std::string>& value, const std::string& headerField);
    // Appends to the field, comma-separated, as the platform does.
    void addValue(const std::string& value, const std::string& headerField);
    // In the order first set, with the name as first written.
    const std::vector<std::pair<std::string, std::string>>& allHTTPHeaderFields() const { return headers_; }

private:
    std::vector<std::pair<std::string, std::string>> headers_;
};

} // namespace foundation
