#pragma once

// A view as it lives in the tree of a hosting view: its identity (with its state), its place
// among the others and, after layout, its frame. Nodes are what the layout pass sizes and
// places, what taps are hit-tested against, and what tests inspect.

#include "platform/combine/AnyCancellable.hpp"
#include "platform/swiftui/GraphContext.hpp"
#include "platform/swiftui/View.hpp"
#include "platform/uikit/UIFont.hpp"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uikit {
class UIView;
}

namespace swiftui {

class ViewGraph;

class Node {
public:
    Node(NodeKind kind, Node* parent, ViewGraph& graph);
    ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    NodeKind kind() const { return kind_; }
    const ViewNode& description() const { return view_.node(); }
    Node* parent() const { return parent_; }
    const std::vector<std::unique_ptr<Node>>& children() const { return children_; }
    const EnvironmentValues& environment() const { return *environment_; }

    // Where layout put the view, in the hosting view's coordinates.
    const CGRect& frame() const { return frame_; }

    // Text: the string, the lines as shown at the laid-out size (wrapped, truncated, scaled
    // down by the minimum scale factor where needed) and the font they are shown in.
    const std::string& string() const;
    const uikit::TextLayout& textLayout() const { return textLayout_; }
    Font font() const;
    CGFloat textScale() const { return textScale_; }
    // The text's colour: its own, else the environment's.
    std::optional<Color> foregroundColor() const;

    // A representable's platform view.
    const std::shared_ptr<uikit::UIView>& uiView() const { return uiView_; }

    // The animation of the last update that touched this node under an animated transaction,
    // and whether it still runs on the clock.
    const std::optional<Animation>& animation() const { return animation_; }
    bool isAnimating() const;

    // Search of this subtree, this node first, depth first in drawing order.
    const Node* find(const std::function<bool(const Node&)>& predicate) const;
    std::vector<const Node*> findAll(const std::function<bool(const Node&)>& predicate) const;
    const Node* findText(std::string_view string) const;
    const Node* findIdentifier(std::string_view identifier) const;
    // The nearest ancestor of the kind.
    const Node* ancestor(NodeKind kind) const;
    // Whether layout gave the view a place (a view outside any laid-out tree has none).
    bool isPlaced() const { return placed_; }

private:
    friend class ViewGraph;
    friend class LayoutPass;

    struct Handle;

    NodeKind kind_;
    Node* parent_;
    ViewGraph& graph_;
    View view_;
    std::shared_ptr<const EnvironmentValues> environment_;
    std::vector<std::unique_ptr<Node>> children_;
    std::vector<std::string> keys_;

    // Views of your own.
    std::unique_ptr<detail::CompositeBase> composite_;
    std::shared_ptr<Handle> handle_;
    std::map<const combine::ObservableObject*, combine::AnyCancellable> observations_;
    bool invalid_ = false;
    std::optional<Animation> pendingAnimation_;

    std::shared_ptr<uikit::UIView> uiView_;

    int taps_ = 0;
    double lastTapTime_ = 0;

    std::optional<Animation> animation_;
    double animationStart_ = 0;

    // Layout.
    CGRect frame_;
    bool placed_ = false;
    unsigned long cachePass_ = 0;
    std::vector<std::pair<ProposedViewSize, CGSize>> sizeCache_;
    uikit::TextLayout textLayout_;
    CGFloat textScale_ = 1;
};

} // namespace swiftui
