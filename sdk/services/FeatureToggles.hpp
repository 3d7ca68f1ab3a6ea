#pragma once

namespace vyd {

// The remote configuration's feature switches.
class FeatureToggles {
public:
    FeatureToggles() = default;
    explicit FeatureToggles(bool isWebViewEnabled) : webViewEnabled_(isWebViewEnabled) {}

    // Whether the SDK's own web views may show pages. Reading it while it is off forms the
    // feature-disabled log line for "WebView" (not printed in release).
    bool isWebViewEnabled() const;

    friend bool operator==(const FeatureToggles&, const FeatureToggles&) = default;

private:
    bool webViewEnabled_ = true;
};

} // namespace vyd
