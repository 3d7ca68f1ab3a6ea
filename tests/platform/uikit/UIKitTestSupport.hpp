#pragma once

// Helpers shared by the UI kit tests: a fixture that leaves the process-wide state (main queue,
// clock, current traits) as it found it, the platform's refusal messages, and views sized or
// placed by constraints.

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIView.hpp"
#include "support/ManualClock.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace uikittests {

using namespace uikit;

// What `action` writes on standard error, where the platform's refusals go.
inline std::string stderrOf(const std::function<void()>& action) {
    ::testing::internal::CaptureStderr();
    action();
    return ::testing::internal::GetCapturedStderr();
}

// Leaves the current traits as it found them; the clock is manual, so timers fire only when
// the test moves it.
class UIKitTest : public testsupport::ManualClockTest {
protected:
    void TearDown() override {
        testsupport::ManualClockTest::TearDown();
        UITraitCollection::setCurrent(savedTraits_);
    }

private:
    UITraitCollection savedTraits_ = UITraitCollection::current();
};

using ClockTest = UIKitTest;

// A view with an intrinsic size, like a label with a fixed text.
class SizedView : public UIView {
public:
    explicit SizedView(CGSize size) : UIView(CGRect{}), size_(size) {}
    CGSize intrinsicContentSize() const override { return size_; }
    void setSize(CGSize size) {
        size_ = size;
        invalidateIntrinsicContentSize();
    }

private:
    CGSize size_;
};

inline std::shared_ptr<SizedView> sized(CGFloat width, CGFloat height) {
    return UIView::create<SizedView>(CGSize{width, height});
}

// Adds `view` to `parent`, to be placed by constraints.
template <class View>
std::shared_ptr<View> addConstrained(const std::shared_ptr<UIView>& parent, std::shared_ptr<View> view) {
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    parent->addSubview(view);
    return view;
}

inline std::shared_ptr<UIView> addConstrained(const std::shared_ptr<UIView>& parent) {
    return addConstrained(parent, UIView::make());
}

inline std::vector<CGRect> frames(const std::vector<std::shared_ptr<UIView>>& views) {
    std::vector<CGRect> result;
    for (const auto& view : views) {
        result.push_back(view->frame());
    }
    return result;
}

// Holds `view` `inset` points in from the top and both sides of its superview.
inline void pinTopAndSides(const std::shared_ptr<UIView>& view, const std::shared_ptr<UIView>& parent,
                           CGFloat inset = 0) {
    NSLayoutConstraint::activate({view->topAnchor().constraintEqualTo(parent->topAnchor(), inset),
                                  view->leadingAnchor().constraintEqualTo(parent->leadingAnchor(), inset),
                                  view->trailingAnchor().constraintEqualTo(parent->trailingAnchor(), -inset)});
}

} // namespace uikittests
