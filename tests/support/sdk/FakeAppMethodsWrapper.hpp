#pragma once
#include "platform/foundation/Dispatch.hpp"
#include "sdk/base/AppMethodsWrapperProtocol.hpp"

#include <set>
#include <string>
#include <vector>

namespace vydtest {

// Knows which URL schemes installed apps handle; opening answers later on the main queue, as
// the application does.
class FakeAppMethodsWrapper : public vyd::AppMethodsWrapperProtocol {
public:
    std::set<std::string> installedSchemes;
    std::vector<foundation::URL> opened;
    mutable std::vector<foundation::URL> asked;

    void open(const foundation::URL& url, const vyd::OpenExternalURLOptions&, Completion completion) override {
        opened.push_back(url);
        const bool canOpen = installed(url);
        foundation::DispatchQueue::main().async([completion = std::move(completion), canOpen] {
            if (completion) {
                completion(canOpen);
            }
        });
    }

    bool canOpenURL(const foundation::URL& url) const override {
        asked.push_back(url);
        return installed(url);
    }

private:
    bool installed(const foundation::URL& url) const {
        return url.scheme() && installedSchemes.count(*url.scheme()) > 0;
    }
};

} // namespace vydtest
