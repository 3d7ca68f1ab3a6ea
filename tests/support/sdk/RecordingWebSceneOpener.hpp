#pragma once
#include "sdk/base/WebSceneOpenerProtocol.hpp"

#include <vector>

namespace vydtest {

// Writes down every page it is asked to open.
class RecordingWebSceneOpener : public vyd::WebSceneOpenerProtocol {
public:
    struct Call {
        foundation::URL url;
        vyd::WebScenePresentationStyle style;
        bool isSecure;
        std::optional<uikit::UIColor> navigationColor;
        std::shared_ptr<vyd::VYDWebViewDelegateProtocol> delegate;
    };
    std::vector<Call> calls;

    void openScene(const foundation::URL& url, const vyd::WebScenePresentationStyle& style, bool isSecure,
                   const std::optional<uikit::UIColor>& navigationColor,
                   const std::shared_ptr<vyd::VYDWebViewDelegateProtocol>& delegate) override {
        calls.push_back({url, style, isSecure, navigationColor, delegate});
    }
};

} // namespace vydtest
