#include "platform/webkit/WKWebsiteDataStore.hpp"

#include "platform/foundation/HTTPTransport.hpp"

namespace webkit {

WKWebsiteDataStore::WKWebsiteDataStore() : cookies_(foundation::transport::CookieJar::make()) {}

std::shared_ptr<WKWebsiteDataStore> WKWebsiteDataStore::defaultDataStore() {
    static const std::shared_ptr<WKWebsiteDataStore> store(new WKWebsiteDataStore());
    return store;
}

} // namespace webkit
