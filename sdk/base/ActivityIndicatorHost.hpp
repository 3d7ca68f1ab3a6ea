#pragma once
#include <memory>

namespace uikit {
class UIView;
}

namespace vyd {

// A view controller whose loader belongs on a view of its own rather than on its root view (a
// slide panel puts it on its surface, sized to what shows while the loader is up).
class ActivityIndicatorHost {
public:
    virtual ~ActivityIndicatorHost() = default;
    // The view that receives the loader; `loading` says whether one is about to be shown or
    // has just been taken away, so the host can fit its content to it.
    virtual std::shared_ptr<uikit::UIView> activityIndicatorHostView(bool loading) = 0;
};

} // namespace vyd
