#pragma once

#include "platform/webkit/WKWebsiteDataStore.hpp"

#include <memory>

namespace webkit {

struct WKWebViewConfiguration {
    std::shared_ptr<WKWebsiteDataStore> websiteDataStore = WKWebsiteDataStore::defaultDataStore();
};

} // namespace webkit
