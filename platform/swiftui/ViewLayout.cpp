// The layout pass: the parent proposes a size, the child chooses its own, the parent places it.

#include "platform/swiftui/UIViewRepresentable.hpp"
#include "platform/swiftui/ViewGraph.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace swiftui {

namespace {

// The platform's spacing between neighbouring views and a spacer's default minimum length.
constexpr CGFloat defaultSpacing = 8;

bool isTransparent(NodeKind kind) {
    return kind == NodeKind::composite || kind == NodeKind::conditional || kind == NodeKind::forEach ||
           kind == NodeKind::group;
}

// The views a node stands for in a list: views of your own, conditions, ForEach and groups
// stand for what they contain; an empty view for nothing.
void collect(Node& node, std::vector<Node*>& out) {
    if (isTransparent(node.kind())) {
        for (const auto& child : node.children()) {
            collect(*child, out);
        }
    } else if (node.kind() != NodeKind::empty) {
        out.push_back(&node);
    }
}

std::optional<CGFloat> shrink(std::optional<CGFloat> length, CGFloat by) {
    if (!length) {
        return std::nullopt;
    }
    return std::max<CGFloat>(0, *length - by);
}

std::optional<CGFloat> clampOptional(std::optional<CGFloat> value, std::optional<CGFloat> low,
                                     std::optional<CGFloat> high) {
    if (!value) {
        return std::nullopt;
    }
    CGFloat v = *value;
    if (high) {
        v = std::min(v, *high);
    }
    if (low) {
        v = std::max(v, *low);
    }
    return v;
}

// One axis of a flexible frame: what it proposes to its child and the length it takes.
struct FlexibleAxis {
    std::optional<CGFloat> min;
    std::optional<CGFloat> ideal;
    std::optional<CGFloat> max;

    std::optional<CGFloat> proposed(std::optional<CGFloat> offered) const { return offered ? offered : ideal; }
    std::optional<CGFloat> toChild(std::optional<CGFloat> offered) const {
        return clampOptional(proposed(offered), min, max);
    }
    CGFloat length(std::optional<CGFloat> offered, CGFloat child) const {
        const CGFloat reference = proposed(offered).value_or(child);
        CGFloat result = child;
        if (min) {
            result = std::max(*min, std::min(result, reference));
        }
        if (max) {
            result = std::min(*max, std::max(result, reference));
        }
        return result;
    }
};

} // namespace

class LayoutPass {
public:
    explicit LayoutPass(unsigned long pass) : pass_(pass) {}

    CGSize size(Node& node, ProposedViewSize proposal) {
        if (node.cachePass_ != pass_) {
            node.cachePass_ = pass_;
            node.sizeCache_.clear();
        }
        for (const auto& [offered, chosen] : node.sizeCache_) {
            if (offered == proposal) {
                return chosen;
            }
        }
        const CGSize chosen = measure(node, proposal);
        node.sizeCache_.emplace_back(proposal, chosen);
        return chosen;
    }

    void place(Node& node, CGRect rect, ProposedViewSize proposal) {
        node.frame_ = rect;
        node.placed_ = true;
        const auto& d = node.description();
        switch (node.kind()) {
        case NodeKind::vstack:
        case NodeKind::hstack:
            placeStack(node, rect, proposal);
            return;
        case NodeKind::zstack:
            placeLayered(node, rect, proposal, d.as<StackPayload>().alignment);
            return;
        case NodeKind::composite:
        case NodeKind::conditional:
        case NodeKind::forEach:
        case NodeKind::group:
            placeLayered(node, rect, proposal, Alignment::center());
            return;
        case NodeKind::text: {
            auto measured = measureText(node, proposal);
            node.textLayout_ = std::move(measured.layout);
            node.textScale_ = measured.scale;
            return;
        }
        case NodeKind::frame: {
            const auto& frame = d.as<FramePayload>();
            Node& child = *node.children()[0];
            const ProposedViewSize inner{frame.width ? frame.width : proposal.width,
                                         frame.height ? frame.height : proposal.height};
            placeAligned(child, rect, inner, frame.alignment);
            return;
        }
        case NodeKind::flexibleFrame: {
            const auto& frame = d.as<FlexibleFrame>();
            const ProposedViewSize inner{horizontal(frame).toChild(proposal.width),
                                         vertical(frame).toChild(proposal.height)};
            placeAligned(*node.children()[0], rect, inner, frame.alignment);
            return;
        }
        case NodeKind::padding: {
            const auto& insets = d.as<PaddingPayload>().insets;
            const ProposedViewSize inner{shrink(proposal.width, insets.leading + insets.trailing),
                                         shrink(proposal.height, insets.top + insets.bottom)};
            Node& child = *node.children()[0];
            const CGSize childSize = size(child, inner);
            place(child,
                  {rect.origin.x + insets.leading, rect.origin.y + insets.top, childSize.width, childSize.height},
                  inner);
            return;
        }
        case NodeKind::offset: {
            const auto offset = d.as<OffsetPayload>().offset;
            node.frame_ = rect.offsetBy(offset.width, offset.height);
            place(*node.children()[0], node.frame_, proposal);
            return;
        }
        case NodeKind::aspectRatio: {
            Node& child = *node.children()[0];
            place(child, rect, aspectProposal(node, proposal));
            return;
        }
        case NodeKind::overlay:
        case NodeKind::background: {
            place(*node.children()[0], rect, proposal);
            placeAligned(*node.children()[1], rect, {rect.size.width, rect.size.height},
                         d.as<LayeredPayload>().alignment);
            return;
        }
        default:
            for (const auto& child : node.children()) {
                place(*child, rect, proposal);
            }
            return;
        }
    }

private:
    static FlexibleAxis horizontal(const FlexibleFrame& f) { return {f.minWidth, f.idealWidth, f.maxWidth}; }
    static FlexibleAxis vertical(const FlexibleFrame& f) { return {f.minHeight, f.idealHeight, f.maxHeight}; }

    CGSize measure(Node& node, ProposedViewSize proposal) {
        const auto& d = node.description();
        switch (node.kind()) {
        case NodeKind::empty:
            return {};
        case NodeKind::text: {
            const auto measured = measureText(node, proposal);
            return {std::min(measured.layout.size.width, proposal.width.value_or(infinity)),
                    measured.layout.size.height};
        }
        case NodeKind::image: {
            const auto& image = d.as<ImagePayload>();
            const CGSize natural = image.image ? image.image->size() : CGSize{};
            return image.resizable ? proposal.replacingUnspecifiedDimensions(natural) : natural;
        }
        case NodeKind::color:
        case NodeKind::linearGradient:
            return proposal.replacingUnspecifiedDimensions();
        case NodeKind::spacer:
            return spacerSize(node, proposal);
        case NodeKind::representable:
            return representableSize(node, proposal);
        case NodeKind::vstack:
        case NodeKind::hstack: {
            const bool isHorizontal = node.kind() == NodeKind::hstack;
            const auto items = stackItems(node, proposal);
            CGFloat along = 0;
            CGFloat across = 0;
            for (const auto& item : items) {
                along += item.spacing + (isHorizontal ? item.size.width : item.size.height);
                across = std::max(across, isHorizontal ? item.size.height : item.size.width);
            }
            return isHorizontal ? CGSize{along, across} : CGSize{across, along};
        }
        case NodeKind::zstack:
        case NodeKind::composite:
        case NodeKind::conditional:
        case NodeKind::forEach:
        case NodeKind::group:
            return layeredSize(node, proposal);
        case NodeKind::frame: {
            const auto& frame = d.as<FramePayload>();
            const ProposedViewSize inner{frame.width ? frame.width : proposal.width,
                                         frame.height ? frame.height : proposal.height};
            const CGSize child = size(*node.children()[0], inner);
            return {frame.width.value_or(child.width), frame.height.value_or(child.height)};
        }
        case NodeKind::flexibleFrame: {
            const auto& frame = d.as<FlexibleFrame>();
            const auto h = horizontal(frame);
            const auto v = vertical(frame);
            const CGSize child = size(*node.children()[0], {h.toChild(proposal.width), v.toChild(proposal.height)});
            return {h.length(proposal.width, child.width), v.length(proposal.height, child.height)};
        }
        case NodeKind::padding: {
            const auto& insets = d.as<PaddingPayload>().insets;
            const CGSize child = size(*node.children()[0], {shrink(proposal.width, insets.leading + insets.trailing),
                                                            shrink(proposal.height, insets.top + insets.bottom)});
            return {child.width + insets.leading + insets.trailing, child.height + insets.top + insets.bottom};
        }
        case NodeKind::aspectRatio:
            return size(*node.children()[0], aspectProposal(node, proposal));
        default:
            // Modifiers that draw or react without changing the size: their content's size.
            return node.children().empty() ? CGSize{} : size(*node.children()[0], proposal);
        }
    }

    // MARK: Leaves

    struct TextMeasure {
        uikit::TextLayout layout;
        CGFloat scale = 1;
    };

    static TextMeasure measureText(const Node& node, ProposedViewSize proposal) {
        const Font font = node.font();
        const auto& environment = node.environment();
        const std::string& string = node.string();
        // A width of zero asks for the narrowest the text can be: one cluster per line.
        const CGFloat width = proposal.width ? std::max<CGFloat>(*proposal.width, 1e-3) : 0;
        const auto layoutAt = [&](CGFloat scale) {
            const uikit::UIFont uiFont = font.uiFont(scale);
            int limit = environment.lineLimit.value_or(0);
            if (proposal.height && std::isfinite(*proposal.height)) {
                // The text also gives up lines that the offered height cannot show.
                const int fitting =
                    std::max(1, static_cast<int>(std::floor(*proposal.height / uiFont.lineHeight() + 1e-9)));
                limit = limit > 0 ? std::min(limit, fitting) : fitting;
            }
            return uikit::layoutText(string, uiFont, width, limit);
        };
        const auto fits = [&](const uikit::TextLayout& layout) {
            return !layout.truncated && (!proposal.width || layout.size.width <= *proposal.width + 1e-6);
        };
        TextMeasure result{layoutAt(1), 1};
        const CGFloat minimum = std::clamp<CGFloat>(environment.minimumScaleFactor, 0.01, 1);
        if (minimum < 1 && !fits(result.layout)) {
            // The largest scale at which the text fits, to a hundredth; the minimum when even
            // that does not fit (as for the narrowest offer).
            TextMeasure smallest{layoutAt(minimum), minimum};
            if (!fits(smallest.layout)) {
                return smallest;
            }
            int low = static_cast<int>(std::ceil(minimum * 100)) + 1;
            int high = 99;
            result = std::move(smallest);
            while (low <= high) {
                const int middle = (low + high) / 2;
                auto layout = layoutAt(middle / 100.0);
                if (fits(layout)) {
                    result = TextMeasure{std::move(layout), middle / 100.0};
                    low = middle + 1;
                } else {
                    high = middle - 1;
                }
            }
        }
        return result;
    }

    static CGSize spacerSize(const Node& node, ProposedViewSize proposal) {
        const CGFloat minimum = node.description().as<SpacerPayload>().minLength.value_or(defaultSpacing);
        const auto axis = node.environment().stackAxis;
        if (axis == Axis::vertical) {
            return {0, std::max(minimum, proposal.height.value_or(minimum))};
        }
        if (axis == Axis::horizontal) {
            return {std::max(minimum, proposal.width.value_or(minimum)), 0};
        }
        return {proposal.width.value_or(0), proposal.height.value_or(0)};
    }

    static CGSize representableSize(const Node& node, ProposedViewSize proposal) {
        const auto& view = node.uiView();
        if (!view) {
            return {};
        }
        const auto& representable = *node.description().as<RepresentablePayload>().representable;
        UIViewRepresentable::Context context{node.environment(), Transaction()};
        if (const auto answer = representable.sizeThatFits(proposal, *view, context)) {
            return *answer;
        }
        const CGSize intrinsic = view->intrinsicContentSize();
        return {intrinsic.width >= 0 ? intrinsic.width : proposal.width.value_or(0),
                intrinsic.height >= 0 ? intrinsic.height : proposal.height.value_or(0)};
    }

    ProposedViewSize aspectProposal(Node& node, ProposedViewSize proposal) {
        const auto& aspect = node.description().as<AspectRatioPayload>();
        Node& child = *node.children()[0];
        CGFloat ratio = 1;
        if (aspect.ratio && *aspect.ratio > 0) {
            ratio = *aspect.ratio;
        } else {
            const CGSize ideal = size(child, ProposedViewSize::unspecified());
            ratio = ideal.height > 0 ? ideal.width / ideal.height : 1;
        }
        if (!proposal.width && !proposal.height) {
            return proposal;
        }
        const CGFloat w = proposal.width.value_or(proposal.height.value_or(0) * ratio);
        const CGFloat h = proposal.height.value_or(proposal.width.value_or(0) / ratio);
        const bool widthBound = aspect.contentMode == ContentMode::fit ? w / ratio <= h : w / ratio >= h;
        return widthBound ? ProposedViewSize{w, w / ratio} : ProposedViewSize{h * ratio, h};
    }

    // MARK: Stacks

    struct StackItem {
        Node* node;
        ProposedViewSize proposal;
        CGSize size;
        CGFloat spacing;
    };

    std::vector<StackItem> stackItems(Node& node, ProposedViewSize proposal) {
        const bool isHorizontal = node.kind() == NodeKind::hstack;
        const auto spacing = node.description().as<StackPayload>().spacing;
        std::vector<Node*> views;
        for (const auto& child : node.children()) {
            collect(*child, views);
        }
        std::vector<StackItem> items;
        items.reserve(views.size());
        CGFloat spacings = 0;
        for (std::size_t i = 0; i < views.size(); ++i) {
            CGFloat gap = 0;
            if (i > 0) {
                const bool nextToSpacer =
                    views[i - 1]->kind() == NodeKind::spacer || views[i]->kind() == NodeKind::spacer;
                gap = spacing.value_or(nextToSpacer ? 0 : defaultSpacing);
            }
            spacings += gap;
            items.push_back({views[i], {}, {}, gap});
        }
        const auto along = isHorizontal ? proposal.width : proposal.height;
        const auto across = isHorizontal ? proposal.height : proposal.width;
        const auto offer = [&](std::optional<CGFloat> length) {
            return isHorizontal ? ProposedViewSize{length, across} : ProposedViewSize{across, length};
        };
        const auto lengthOf = [isHorizontal](CGSize s) { return isHorizontal ? s.width : s.height; };
        if (!along) {
            for (auto& item : items) {
                item.proposal = offer(std::nullopt);
                item.size = size(*item.node, item.proposal);
            }
            return items;
        }
        // The least flexible views choose first; each is offered an equal share of what is left.
        std::vector<CGFloat> flexibility(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const CGFloat most = lengthOf(size(*items[i].node, offer(infinity)));
            const CGFloat least = lengthOf(size(*items[i].node, offer(0)));
            flexibility[i] = most - least;
        }
        std::vector<std::size_t> order(items.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return flexibility[a] < flexibility[b]; });
        CGFloat remaining = std::max<CGFloat>(0, *along - spacings);
        std::size_t left = items.size();
        for (const std::size_t i : order) {
            const CGFloat share = std::max<CGFloat>(0, remaining / static_cast<CGFloat>(left));
            items[i].proposal = offer(share);
            items[i].size = size(*items[i].node, items[i].proposal);
            remaining -= lengthOf(items[i].size);
            --left;
        }
        return items;
    }

    void placeStack(Node& node, CGRect rect, ProposedViewSize proposal) {
        const bool isHorizontal = node.kind() == NodeKind::hstack;
        const Alignment alignment = node.description().as<StackPayload>().alignment;
        CGFloat position = isHorizontal ? rect.origin.x : rect.origin.y;
        for (const auto& item : stackItems(node, proposal)) {
            position += item.spacing;
            CGRect child;
            if (isHorizontal) {
                const CGPoint at = aligned(item.size, {item.size.width, rect.size.height}, alignment);
                child = {position, rect.origin.y + at.y, item.size.width, item.size.height};
                position += item.size.width;
            } else {
                const CGPoint at = aligned(item.size, {rect.size.width, item.size.height}, alignment);
                child = {rect.origin.x + at.x, position, item.size.width, item.size.height};
                position += item.size.height;
            }
            place(*item.node, child, item.proposal);
        }
        frameTransparent(node);
    }

    // Views of your own, conditions and ForEach inside a stack cover what they contain.
    static void frameTransparent(Node& node) {
        for (const auto& child : node.children()) {
            if (isTransparent(child->kind())) {
                frameTransparent(*child);
                CGRect bounds = CGRect::null();
                for (const auto& inner : child->children()) {
                    if (inner->placed_) {
                        bounds = bounds.unionWith(inner->frame_);
                    }
                }
                child->frame_ = bounds.isNull() ? CGRect{} : bounds;
                child->placed_ = true;
            }
        }
    }

    CGSize layeredSize(Node& node, ProposedViewSize proposal) {
        std::vector<Node*> views;
        for (const auto& child : node.children()) {
            collect(*child, views);
        }
        CGSize result;
        for (Node* view : views) {
            const CGSize s = size(*view, proposal);
            result = {std::max(result.width, s.width), std::max(result.height, s.height)};
        }
        return result;
    }

    void placeLayered(Node& node, CGRect rect, ProposedViewSize proposal, Alignment alignment) {
        std::vector<Node*> views;
        for (const auto& child : node.children()) {
            collect(*child, views);
        }
        for (Node* view : views) {
            placeAligned(*view, rect, proposal, alignment);
        }
        frameTransparent(node);
    }

    void placeAligned(Node& child, CGRect rect, ProposedViewSize proposal, Alignment alignment) {
        const CGSize childSize = size(child, proposal);
        const CGPoint at = aligned(childSize, rect.size, alignment);
        place(child, {rect.origin.x + at.x, rect.origin.y + at.y, childSize.width, childSize.height}, proposal);
    }

    unsigned long pass_;
};

// MARK: ViewGraph's layout and hit testing

CGSize ViewGraph::sizeThatFits(ProposedViewSize proposal) {
    update();
    ++layoutPass_;
    LayoutPass pass(layoutPass_);
    return root_ ? pass.size(*root_, proposal) : CGSize{};
}

void ViewGraph::layout(CGSize size) {
    update();
    if (!root_) {
        return;
    }
    ++layoutPass_;
    LayoutPass pass(layoutPass_);
    const ProposedViewSize proposal{size.width, size.height};
    const CGSize chosen = pass.size(*root_, proposal);
    const CGPoint at = aligned(chosen, size, Alignment::center());
    pass.place(*root_, {at.x, at.y, chosen.width, chosen.height}, proposal);
}

namespace {

bool isDrawn(const Node& node) {
    switch (node.kind()) {
    case NodeKind::text:
    case NodeKind::color:
    case NodeKind::linearGradient:
    case NodeKind::representable:
        return true;
    case NodeKind::image:
        return node.description().as<ImagePayload>().image != nullptr;
    default:
        return false;
    }
}

const Node* hit(const Node& node, const CGPoint& point) {
    if (!node.isPlaced()) {
        return nullptr;
    }
    if (node.kind() == NodeKind::clipShape &&
        !node.description().as<ClipPayload>().shape.contains(node.frame(), point)) {
        return nullptr;
    }
    if (isDrawn(node)) {
        return node.frame().contains(point) ? &node : nullptr;
    }
    const auto& children = node.children();
    if (node.kind() == NodeKind::background) {
        for (const auto& child : children) {
            if (const Node* found = hit(*child, point)) {
                return found;
            }
        }
        return nullptr;
    }
    // Later children are drawn above earlier ones (an overlay above its content).
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const Node* found = hit(**it, point)) {
            return found;
        }
    }
    return nullptr;
}

// Successive taps on the same gesture within this interval count together.
constexpr double multipleTapInterval = 0.35;

} // namespace

const Node* ViewGraph::hitTest(const CGPoint& point) const { return root_ ? hit(*root_, point) : nullptr; }

bool ViewGraph::tap(const CGPoint& point, double timestamp) {
    const Node* found = hitTest(point);
    for (Node* node = const_cast<Node*>(found); node; node = node->parent_) {
        if (node->kind() == NodeKind::button) {
            const auto action = node->description().as<ActionPayload>().action;
            if (action) {
                action();
            }
            return true;
        }
        if (node->kind() == NodeKind::tapGesture) {
            const auto& gesture = node->description().as<ActionPayload>();
            node->taps_ =
                node->taps_ > 0 && timestamp - node->lastTapTime_ <= multipleTapInterval ? node->taps_ + 1 : 1;
            node->lastTapTime_ = timestamp;
            if (node->taps_ >= gesture.count) {
                node->taps_ = 0;
                const auto action = gesture.action;
                if (action) {
                    action();
                }
            }
            return true;
        }
    }
    return false;
}

} // namespace swiftui
