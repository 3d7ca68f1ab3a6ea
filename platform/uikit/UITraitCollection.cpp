#include "platform/uikit/UITraitCollection.hpp"

#include <mutex>

namespace uikit {

namespace {

std::mutex& currentMutex() {
    static std::mutex mutex;
    return mutex;
}

UITraitCollection& currentStorage() {
    static UITraitCollection traits =
        UITraitCollection::combining({UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle::light),
                                      UITraitCollection::withDisplayScale(3)});
    return traits;
}

} // namespace

UITraitCollection UITraitCollection::withUserInterfaceStyle(UIUserInterfaceStyle style) {
    UITraitCollection traits;
    traits.style_ = style;
    return traits;
}

UITraitCollection UITraitCollection::withDisplayScale(CGFloat scale) {
    UITraitCollection traits;
    traits.displayScale_ = scale;
    return traits;
}

UITraitCollection UITraitCollection::combining(std::initializer_list<UITraitCollection> collections) {
    UITraitCollection result;
    for (const UITraitCollection& traits : collections) {
        if (traits.style_ != UIUserInterfaceStyle::unspecified) {
            result.style_ = traits.style_;
        }
        if (traits.displayScale_ != 0) {
            result.displayScale_ = traits.displayScale_;
        }
    }
    return result;
}

UITraitCollection UITraitCollection::current() {
    std::lock_guard lock(currentMutex());
    return currentStorage();
}

void UITraitCollection::setCurrent(const UITraitCollection& traits) {
    std::lock_guard lock(currentMutex());
    currentStorage() = traits;
}

void UITraitCollection::performAsCurrent(const std::function<void()>& body) const {
    struct Restore {
        UITraitCollection previous;
        ~Restore() { setCurrent(previous); }
    } restore{current()};
    setCurrent(*this);
    body();
}

} // namespace uikit
