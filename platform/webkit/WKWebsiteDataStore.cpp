#include "platform/webkit/WKWebsiteDataStore.hpp"

#include "platform/foundation/HTTPTransport.hpp"

namespace webkit {

WKWebsiteDataStore::WKWebsiteDataStore(bool persistent)
    : persistent_(persistent), cookies_(foundation::transport::CookieJar::make()) {}

std::shared_ptr<WKWebsiteDataStore> WKWebsiteDataStore::defaultDataStore() {
    static const std::shared_ptr<WKWebsiteDataStore> store(new WKWebsiteDataStore(true));
    return store;
}

std::shared_ptr<WKWebsiteDataStore> WKWebsiteDataStore::nonPersistent() {
    return std::shared_ptr<WKWebsiteDataStore>(new WKWebsiteDataStore(false));
}

} // namespace webkit
