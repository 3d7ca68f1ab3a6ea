#pragma once

// The tree of one hosting view: it evaluates the root view into nodes, keeps them (and their
// state) by structural identity, re-evaluates the views whose state or observed objects changed,
// runs their appear, disappear and change actions, lays the nodes out and finds what a tap hits.
//
// Main thread only. Changes reported from other threads are carried over to the main queue.

#include "platform/swiftui/Node.hpp"

#include <functional>
#include <memory>
#include <vector>

namespace swiftui {

class ViewGraph {
public:
    ViewGraph(View root, EnvironmentValues environment);
    ~ViewGraph();
    ViewGraph(const ViewGraph&) = delete;
    ViewGraph& operator=(const ViewGraph&) = delete;

    const View& rootView() const { return rootView_; }
    // The new root is evaluated at the next update, keeping what keeps its identity.
    void setRootView(View root);

    // Told (once until the next update) that something needs evaluating.
    std::function<void()> onNeedsUpdate;
    bool needsUpdate() const { return !root_ || rootChanged_ || !invalid_.empty() || !actions_.empty(); }
    // Evaluates what is invalid, then runs the actions that the evaluation queued (appear,
    // disappear, change), again until nothing is left.
    void update();

    // While appeared, views entering the tree run their appear actions and views leaving it
    // their disappear actions; appearing and disappearing run them for the whole tree.
    void setAppeared(bool appeared);
    bool isAppeared() const { return appeared_; }

    // The root's size for the proposal (updating first).
    CGSize sizeThatFits(ProposedViewSize proposal);
    // Places every node, the root centred in a space of `size` at the origin.
    void layout(CGSize size);

    // Runs the button or tap gesture of the drawn view at `point` (in the layout's
    // coordinates), if any; true when the tap reached one.
    bool tap(const CGPoint& point, double timestamp);
    // The node a touch at `point` would reach (a drawn view), if any.
    const Node* hitTest(const CGPoint& point) const;

    Node* root() const { return root_.get(); }

    // Called by nodes.
    void invalidate(Node& node, const Transaction& transaction);
    unsigned long layoutPass() const { return layoutPass_; }

private:
    friend class Node;

    std::unique_ptr<Node> build(Node* parent, const View& view, std::shared_ptr<const EnvironmentValues> environment);
    void apply(Node& node, const View& view, std::shared_ptr<const EnvironmentValues> environment, bool fresh);
    void evaluate(Node& node);
    void reconcile(Node& node, const std::vector<View>& views,
                   const std::function<std::shared_ptr<const EnvironmentValues>(std::size_t)>& environmentOf);
    void reconcileKeyed(Node& node, const std::vector<View>& views, const std::vector<std::string>& keys,
                        const std::shared_ptr<const EnvironmentValues>& environment);
    void discard(std::unique_ptr<Node> node);
    void runActions();
    void requestUpdate();

    View rootView_;
    std::shared_ptr<const EnvironmentValues> rootEnvironment_;
    std::unique_ptr<Node> root_;
    bool rootChanged_ = false;
    bool appeared_ = false;
    bool updating_ = false;
    bool updateRequested_ = false;
    std::vector<std::weak_ptr<detail::StateOwner>> invalid_;
    std::vector<std::function<void()>> actions_;
    std::optional<Animation> updateAnimation_;
    unsigned long layoutPass_ = 0;
};

} // namespace swiftui
