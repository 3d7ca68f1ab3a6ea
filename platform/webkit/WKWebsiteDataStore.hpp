#pragma once

#include <memory>

namespace foundation::transport {
class CookieJar;
}

namespace webkit {

// Where web views keep what sites store: here the cookies, in memory. Web views whose
// configurations share a data store share its cookies.
class WKWebsiteDataStore {
public:
    // The process-wide store.
    static std::shared_ptr<WKWebsiteDataStore> defaultDataStore();
    // The engine's side.
    const std::shared_ptr<foundation::transport::CookieJar>& cookieJar() const { return cookies_; }

private:
    WKWebsiteDataStore();

    std::shared_ptr<foundation::transport::CookieJar> cookies_;
};

} // namespace webkit
