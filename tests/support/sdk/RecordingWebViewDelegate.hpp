#pragma once
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"

namespace vydtest {

// The host app's web-view delegate, counting what it hears.
class RecordingWebViewDelegate : public vyd::VYDWebViewDelegateProtocol {
public:
    int rejections = 0;
    void webViewReject() override { ++rejections; }
};

} // namespace vydtest
