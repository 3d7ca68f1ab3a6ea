#pragma once

// The platform view that shows a tree of declarative views: it evaluates and lays the tree out
// at its bounds (in `layoutSubviews`, or at once with `updateIfNeeded()`), reports the tree's
// size as its intrinsic size (measured for the width it gets, so wrapping text makes it taller),
// takes the touches that land on it and hands taps to the declarative buttons and tap gestures
// under them, and keeps the platform views of representables as its subviews.

#include "platform/swiftui/ViewGraph.hpp"
#include "platform/uikit/UIView.hpp"

#include <memory>
#include <vector>

namespace swiftui {

class HostingView : public uikit::UIView {
public:
    explicit HostingView(std::shared_ptr<ViewGraph> graph);

    std::string className() const override { return "_UIHostingView"; }

    ViewGraph& graph() const { return *graph_; }
    // Evaluates what changed and lays the tree out at the current bounds.
    void updateIfNeeded();
    // The root of the tree, up to date and laid out.
    const Node* rootNode();

    CGSize intrinsicContentSize() const override;
    // The tree's size for the offered size (a zero length means no limit along that axis).
    CGSize sizeThatFits(const CGSize& size) const override;

    void touchesBegan(const uikit::UITouchSet& touches, const uikit::UIEvent* event) override;
    void touchesEnded(const uikit::UITouchSet& touches, const uikit::UIEvent* event) override;
    void touchesCancelled(const uikit::UITouchSet& touches, const uikit::UIEvent* event) override;

    // Told when the view enters (true) or leaves (false) a window.
    std::function<void(bool)> onWindowChange;

protected:
    void didInit() override;
    void layoutSubviews() override;
    void didMoveToWindow() override;
    bool intrinsicSizeDependsOnWidth() const override { return true; }
    CGSize intrinsicContentSizeForLayoutWidth(CGFloat width) const override;

private:
    void syncPlatformViews();

    std::shared_ptr<ViewGraph> graph_;
    std::vector<std::weak_ptr<uikit::UIView>> platformViews_;
    const Node* touchTarget_ = nullptr;
    bool touching_ = false;
};

} // namespace swiftui
