#include "platform/swiftui/ViewGraph.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/swiftui/UIViewRepresentable.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <map>

namespace swiftui {

// MARK: The thread's evaluation

namespace {

struct Evaluation {
    const EnvironmentValues* environment;
    std::vector<std::shared_ptr<combine::ObservableObject>> observed;
};

thread_local const std::weak_ptr<detail::StateOwner>* installing = nullptr;
thread_local Evaluation* evaluating = nullptr;

template <class T>
class Scoped {
public:
    Scoped(T*& slot, T* value) : slot_(slot), outer_(slot) { slot_ = value; }
    ~Scoped() { slot_ = outer_; }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

private:
    T*& slot_;
    T* outer_;
};

std::string typeName(std::type_index type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 && demangled ? demangled : type.name();
    std::free(demangled);
    return name;
}

} // namespace

namespace detail {

bool installingState() { return installing != nullptr; }

std::weak_ptr<StateOwner> installingOwner() { return installing ? *installing : std::weak_ptr<StateOwner>(); }

const EnvironmentValues* evaluatingEnvironment() { return evaluating ? evaluating->environment : nullptr; }

const EnvironmentValues* environmentOf(const std::weak_ptr<StateOwner>& owner) {
    if (evaluating) {
        return evaluating->environment;
    }
    const auto view = owner.lock();
    return view ? view->environment() : nullptr;
}

void noteObservation(const std::shared_ptr<combine::ObservableObject>& object) {
    if (evaluating && object &&
        std::find(evaluating->observed.begin(), evaluating->observed.end(), object) == evaluating->observed.end()) {
        evaluating->observed.push_back(object);
    }
}

void fatalError(const std::string& message) {
    std::fprintf(stderr, "Fatal error: %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

void missingEnvironmentObject(std::type_index type) {
    const std::string name = typeName(type);
    fatalError("No ObservableObject of type " + name + " found. A View.environmentObject(_:) for " + name +
               " may be missing as an ancestor of this view.");
}

} // namespace detail

// MARK: Node

struct Node::Handle final : detail::StateOwner {
    explicit Handle(Node* node) : node(node) {}
    void invalidate(const Transaction& transaction) override {
        if (!foundation::isMainThread()) {
            // Changes from other threads reach the tree on the main queue.
            std::weak_ptr<detail::StateOwner> weak = self;
            foundation::DispatchQueue::main().async([weak, transaction] {
                if (const auto owner = weak.lock()) {
                    owner->invalidate(transaction);
                }
            });
            return;
        }
        if (node) {
            node->graph_.invalidate(*node, transaction);
        }
    }
    const EnvironmentValues* environment() const override { return node ? node->environment_.get() : nullptr; }

    Node* node;
    std::weak_ptr<Handle> self;
};

Node::Node(NodeKind kind, Node* parent, ViewGraph& graph)
    : kind_(kind), parent_(parent), graph_(graph), environment_(std::make_shared<const EnvironmentValues>()) {}

Node::~Node() {
    if (handle_) {
        handle_->node = nullptr;
    }
    // Children go first, so that a view's state outlives nothing that refers to it.
    children_.clear();
}

const std::string& Node::string() const {
    static const std::string none;
    return kind_ == NodeKind::text ? description().as<TextPayload>().string : none;
}

Font Node::font() const {
    Font font = environment_->font.value_or(Font::body());
    if (kind_ == NodeKind::text) {
        const auto& text = description().as<TextPayload>();
        font = text.font.value_or(font);
        if (text.weight) {
            font = font.weight(*text.weight);
        }
    }
    return font;
}

std::optional<Color> Node::foregroundColor() const {
    if (kind_ == NodeKind::text && description().as<TextPayload>().color) {
        return description().as<TextPayload>().color;
    }
    return environment_->foregroundColor;
}

bool Node::isAnimating() const {
    if (!animation_) {
        return false;
    }
    return animation_->repeatsForever() ||
           foundation::Clock::now() < animationStart_ + animation_->delay() + animation_->duration();
}

const Node* Node::find(const std::function<bool(const Node&)>& predicate) const {
    if (predicate(*this)) {
        return this;
    }
    for (const auto& child : children_) {
        if (const Node* found = child->find(predicate)) {
            return found;
        }
    }
    return nullptr;
}

std::vector<const Node*> Node::findAll(const std::function<bool(const Node&)>& predicate) const {
    std::vector<const Node*> found;
    std::function<void(const Node&)> visit = [&](const Node& node) {
        if (predicate(node)) {
            found.push_back(&node);
        }
        for (const auto& child : node.children_) {
            visit(*child);
        }
    };
    visit(*this);
    return found;
}

const Node* Node::findText(std::string_view string) const {
    return find([string](const Node& node) { return node.kind() == NodeKind::text && node.string() == string; });
}

const Node* Node::findIdentifier(std::string_view identifier) const {
    return find([identifier](const Node& node) {
        return node.kind() == NodeKind::accessibilityIdentifier &&
               node.description().as<IdentifierPayload>().identifier == identifier;
    });
}

const Node* Node::ancestor(NodeKind kind) const {
    for (const Node* node = parent_; node; node = node->parent_) {
        if (node->kind_ == kind) {
            return node;
        }
    }
    return nullptr;
}

// MARK: Evaluation

namespace {

bool sameIdentity(const Node& node, const View& view) {
    const ViewNode& description = view.node();
    if (node.kind() != description.kind) {
        return false;
    }
    switch (description.kind) {
    case NodeKind::composite:
        return node.description().as<CompositePayload>().composite->type() ==
               description.as<CompositePayload>().composite->type();
    case NodeKind::representable:
        return node.description().as<RepresentablePayload>().type == description.as<RepresentablePayload>().type;
    case NodeKind::conditional:
        return node.description().as<ConditionalPayload>().branch == description.as<ConditionalPayload>().branch;
    default:
        return true;
    }
}

std::shared_ptr<const EnvironmentValues> withAxis(const std::shared_ptr<const EnvironmentValues>& environment,
                                                  std::optional<Axis> axis) {
    if (environment->stackAxis == axis) {
        return environment;
    }
    auto copy = std::make_shared<EnvironmentValues>(*environment);
    copy->stackAxis = axis;
    return copy;
}

} // namespace

ViewGraph::ViewGraph(View root, EnvironmentValues environment)
    : rootView_(std::move(root)), rootEnvironment_(std::make_shared<const EnvironmentValues>(std::move(environment))) {}

ViewGraph::~ViewGraph() {
    // Nodes may run code of their own when they go (a state object's destructor): they go
    // while the graph is still whole.
    root_.reset();
}

void ViewGraph::setRootView(View root) {
    rootView_ = std::move(root);
    rootChanged_ = true;
    requestUpdate();
}

void ViewGraph::requestUpdate() {
    if (updating_ || updateRequested_) {
        return;
    }
    updateRequested_ = true;
    if (onNeedsUpdate) {
        onNeedsUpdate();
    }
}

void ViewGraph::invalidate(Node& node, const Transaction& transaction) {
    if (transaction.animation) {
        node.pendingAnimation_ = transaction.animation;
    }
    if (!node.invalid_) {
        node.invalid_ = true;
        invalid_.push_back(node.handle_);
    }
    requestUpdate();
}

std::unique_ptr<Node> ViewGraph::build(Node* parent, const View& view,
                                       std::shared_ptr<const EnvironmentValues> environment) {
    auto node = std::make_unique<Node>(view.node().kind, parent, *this);
    apply(*node, view, std::move(environment), true);
    return node;
}

void ViewGraph::apply(Node& node, const View& view, std::shared_ptr<const EnvironmentValues> environment, bool fresh) {
    const ViewNode& description = view.node();
    if (!fresh && description.kind == NodeKind::onChange) {
        const auto& before = node.description().as<ChangePayload>();
        const auto& after = description.as<ChangePayload>();
        if (!before.value->equals(*after.value)) {
            actions_.push_back([action = after.action, value = after.value] { action(*value); });
        }
    }
    node.view_ = view;
    node.environment_ = std::move(environment);
    if (fresh && appeared_ && description.kind == NodeKind::onAppear) {
        actions_.push_back(description.as<ActionPayload>().action);
    }
    if (updateAnimation_) {
        node.animation_ = updateAnimation_;
        node.animationStart_ = foundation::Clock::now();
    }

    const auto& env = node.environment_;
    const auto same = [&env](std::size_t) { return env; };
    switch (description.kind) {
    case NodeKind::composite:
        if (fresh) {
            node.handle_ = std::make_shared<Node::Handle>(&node);
            node.handle_->self = node.handle_;
            const std::weak_ptr<detail::StateOwner> owner = node.handle_;
            Scoped scope(installing, &owner);
            node.composite_ = description.as<CompositePayload>().composite->clone();
        } else {
            node.composite_->assign(*description.as<CompositePayload>().composite);
        }
        evaluate(node);
        return;
    case NodeKind::environment: {
        auto changed = std::make_shared<EnvironmentValues>(*env);
        description.as<EnvironmentPayload>().transform(*changed);
        std::shared_ptr<const EnvironmentValues> inner = std::move(changed);
        reconcile(node, description.children, [&inner](std::size_t) { return inner; });
        return;
    }
    case NodeKind::vstack:
    case NodeKind::hstack: {
        const auto inner = withAxis(env, description.kind == NodeKind::vstack ? Axis::vertical : Axis::horizontal);
        reconcile(node, description.children, [&inner](std::size_t) { return inner; });
        return;
    }
    case NodeKind::zstack: {
        const auto inner = withAxis(env, std::nullopt);
        reconcile(node, description.children, [&inner](std::size_t) { return inner; });
        return;
    }
    case NodeKind::overlay:
    case NodeKind::background: {
        const auto layered = withAxis(env, std::nullopt);
        reconcile(node, description.children,
                  [&env, &layered](std::size_t index) { return index == 0 ? env : layered; });
        return;
    }
    case NodeKind::forEach:
        reconcileKeyed(node, description.children, description.as<ForEachPayload>().keys, env);
        return;
    case NodeKind::representable: {
        const auto& representable = *description.as<RepresentablePayload>().representable;
        UIViewRepresentable::Context context{*env, Transaction(updateAnimation_)};
        if (fresh) {
            node.uiView_ = representable.makeUIView(context);
        } else if (node.uiView_) {
            representable.updateUIView(*node.uiView_, context);
        }
        return;
    }
    default:
        reconcile(node, description.children, same);
        return;
    }
}

void ViewGraph::evaluate(Node& node) {
    node.invalid_ = false;
    Evaluation evaluation{node.environment_.get(), {}};
    View body;
    {
        Scoped scope(evaluating, &evaluation);
        body = node.composite_->body();
    }
    std::map<const combine::ObservableObject*, combine::AnyCancellable> observations;
    for (const auto& object : evaluation.observed) {
        const auto kept = node.observations_.find(object.get());
        if (kept != node.observations_.end()) {
            observations.emplace(object.get(), kept->second);
            continue;
        }
        std::weak_ptr<detail::StateOwner> owner = node.handle_;
        observations.emplace(object.get(), object->objectWillChange().sink([owner] {
            if (const auto handle = owner.lock()) {
                handle->invalidate(currentTransaction());
            }
        }));
    }
    node.observations_ = std::move(observations);
    const auto& env = node.environment_;
    reconcile(node, {body}, [&env](std::size_t) { return env; });
}

void ViewGraph::reconcile(Node& node, const std::vector<View>& views,
                          const std::function<std::shared_ptr<const EnvironmentValues>(std::size_t)>& environmentOf) {
    auto& children = node.children_;
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (i < children.size() && sameIdentity(*children[i], views[i])) {
            apply(*children[i], views[i], environmentOf(i), false);
            continue;
        }
        auto fresh = build(&node, views[i], environmentOf(i));
        if (i < children.size()) {
            discard(std::exchange(children[i], std::move(fresh)));
        } else {
            children.push_back(std::move(fresh));
        }
    }
    while (children.size() > views.size()) {
        auto last = std::move(children.back());
        children.pop_back();
        discard(std::move(last));
    }
}

void ViewGraph::reconcileKeyed(Node& node, const std::vector<View>& views, const std::vector<std::string>& keys,
                               const std::shared_ptr<const EnvironmentValues>& environment) {
    // Duplicate identifiers are told apart by their order of occurrence, so that each element
    // keeps a node (and its state) of its own.
    std::map<std::string, int> seen;
    std::vector<std::string> unique;
    unique.reserve(keys.size());
    for (const auto& key : keys) {
        const int occurrence = seen[key]++;
        unique.push_back(occurrence == 0 ? key : key + "#" + std::to_string(occurrence));
    }
    std::map<std::string, std::unique_ptr<Node>> previous;
    for (std::size_t i = 0; i < node.children_.size(); ++i) {
        previous.emplace(node.keys_[i], std::move(node.children_[i]));
    }
    std::vector<std::unique_ptr<Node>> children;
    children.reserve(views.size());
    for (std::size_t i = 0; i < views.size(); ++i) {
        const auto kept = previous.find(unique[i]);
        if (kept != previous.end() && sameIdentity(*kept->second, views[i])) {
            apply(*kept->second, views[i], environment, false);
            children.push_back(std::move(kept->second));
            previous.erase(kept);
        } else {
            children.push_back(build(&node, views[i], environment));
        }
    }
    node.children_ = std::move(children);
    node.keys_ = std::move(unique);
    for (auto& [key, gone] : previous) {
        discard(std::move(gone));
    }
}

void ViewGraph::discard(std::unique_ptr<Node> node) {
    if (!node) {
        return;
    }
    if (appeared_) {
        for (const Node* leaving : node->findAll([](const Node& n) { return n.kind() == NodeKind::onDisappear; })) {
            actions_.push_back(leaving->description().as<ActionPayload>().action);
        }
    }
}

void ViewGraph::runActions() {
    auto actions = std::move(actions_);
    actions_.clear();
    for (const auto& action : actions) {
        if (action) {
            action();
        }
    }
}

void ViewGraph::update() {
    if (updating_) {
        return;
    }
    updating_ = true;
    updateRequested_ = false;
    // Actions may change state again; a view that keeps changing its own state in its body
    // or actions is not allowed to hang the main thread.
    for (int round = 0; round < 100; ++round) {
        if (!root_) {
            root_ = build(nullptr, rootView_, rootEnvironment_);
            rootChanged_ = false;
        } else if (rootChanged_) {
            rootChanged_ = false;
            if (sameIdentity(*root_, rootView_)) {
                apply(*root_, rootView_, rootEnvironment_, false);
            } else {
                discard(std::exchange(root_, build(nullptr, rootView_, rootEnvironment_)));
            }
        }
        auto invalid = std::move(invalid_);
        invalid_.clear();
        std::vector<std::pair<int, Node*>> nodes;
        for (const auto& weak : invalid) {
            const auto owner = std::static_pointer_cast<Node::Handle>(weak.lock());
            if (!owner || !owner->node) {
                continue;
            }
            int depth = 0;
            for (const Node* n = owner->node; n->parent_; n = n->parent_) {
                ++depth;
            }
            nodes.emplace_back(depth, owner->node);
        }
        std::stable_sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [depth, node] : nodes) {
            // A node re-evaluated as part of an ancestor's evaluation is valid again, and one
            // that left the tree meanwhile has no handle pointing at it any more.
            if (!node->invalid_) {
                continue;
            }
            updateAnimation_ = std::exchange(node->pendingAnimation_, std::nullopt);
            evaluate(*node);
            updateAnimation_.reset();
        }
        runActions();
        if (invalid_.empty() && !rootChanged_ && actions_.empty()) {
            break;
        }
    }
    ++layoutPass_;
    updating_ = false;
    updateRequested_ = false;
    if (!invalid_.empty()) {
        requestUpdate();
    }
}

void ViewGraph::setAppeared(bool appeared) {
    if (appeared == appeared_) {
        return;
    }
    update();
    const NodeKind kind = appeared ? NodeKind::onAppear : NodeKind::onDisappear;
    if (root_) {
        for (const Node* node : root_->findAll([kind](const Node& n) { return n.kind() == kind; })) {
            actions_.push_back(node->description().as<ActionPayload>().action);
        }
    }
    appeared_ = appeared;
    runActions();
    update();
}

} // namespace swiftui
