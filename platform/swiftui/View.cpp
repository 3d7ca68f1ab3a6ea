#include "platform/swiftui/View.hpp"

#include "platform/foundation/UUID.hpp"

namespace swiftui {

namespace {

// The platform's default padding and spacing.
constexpr CGFloat defaultPadding = 16;

View wrap(const View& child, NodeKind kind, decltype(ViewNode::payload) payload) {
    ViewNode node;
    node.kind = kind;
    node.children = {child};
    node.payload = std::move(payload);
    return makeView(std::move(node));
}

View container(NodeKind kind, std::vector<View> children, decltype(ViewNode::payload) payload = {}) {
    ViewNode node;
    node.kind = kind;
    node.children = std::move(children);
    node.payload = std::move(payload);
    return makeView(std::move(node));
}

View environmentModifier(const View& child, std::function<void(EnvironmentValues&)> transform) {
    return wrap(child, NodeKind::environment, EnvironmentPayload{std::move(transform)});
}

} // namespace

View makeView(ViewNode node) { return View(std::make_shared<const ViewNode>(std::move(node))); }

View::View() : node_(std::make_shared<const ViewNode>()) {}

View::View(Color color) {
    ViewNode node;
    node.kind = NodeKind::color;
    node.payload = std::move(color);
    node_ = std::make_shared<const ViewNode>(std::move(node));
}

View View::frame(std::optional<CGFloat> width, std::optional<CGFloat> height, Alignment alignment) const {
    return wrap(*this, NodeKind::frame, FramePayload{width, height, alignment});
}

View View::frame(const FlexibleFrame& frame) const { return wrap(*this, NodeKind::flexibleFrame, frame); }

View View::padding(EdgeSet edges) const { return padding(edges, std::nullopt); }

View View::padding(EdgeSet edges, std::optional<CGFloat> length) const {
    const CGFloat value = length.value_or(defaultPadding);
    return padding(EdgeInsets{edges.contains(Edge::top) ? value : 0, edges.contains(Edge::leading) ? value : 0,
                              edges.contains(Edge::bottom) ? value : 0, edges.contains(Edge::trailing) ? value : 0});
}

View View::padding(const EdgeInsets& insets) const { return wrap(*this, NodeKind::padding, PaddingPayload{insets}); }

View View::offset(CGFloat x, CGFloat y) const { return wrap(*this, NodeKind::offset, OffsetPayload{{x, y}}); }

View View::aspectRatio(std::optional<CGFloat> ratio, ContentMode contentMode) const {
    return wrap(*this, NodeKind::aspectRatio, AspectRatioPayload{ratio, contentMode});
}

View View::overlay(View overlay, Alignment alignment) const {
    return container(NodeKind::overlay, {*this, std::move(overlay)}, LayeredPayload{alignment});
}

View View::background(View background, Alignment alignment) const {
    return container(NodeKind::background, {*this, std::move(background)}, LayeredPayload{alignment});
}

View View::clipShape(Shape shape, bool antialiased) const {
    return wrap(*this, NodeKind::clipShape, ClipPayload{shape, antialiased});
}

View View::shadow(Color color, CGFloat radius, CGFloat x, CGFloat y) const {
    return wrap(*this, NodeKind::shadow, ShadowPayload{std::move(color), radius, x, y});
}

View View::font(Font font) const {
    return environmentModifier(*this, [font](EnvironmentValues& values) { values.font = font; });
}

View View::foregroundColor(Color color) const {
    return environmentModifier(*this, [color](EnvironmentValues& values) { values.foregroundColor = color; });
}

View View::lineLimit(std::optional<int> lines) const {
    return environmentModifier(*this, [lines](EnvironmentValues& values) { values.lineLimit = lines; });
}

View View::truncationMode(TruncationMode mode) const {
    return environmentModifier(*this, [mode](EnvironmentValues& values) { values.truncationMode = mode; });
}

View View::multilineTextAlignment(TextAlignment alignment) const {
    return environmentModifier(*this,
                               [alignment](EnvironmentValues& values) { values.multilineTextAlignment = alignment; });
}

View View::minimumScaleFactor(CGFloat factor) const {
    return environmentModifier(*this, [factor](EnvironmentValues& values) { values.minimumScaleFactor = factor; });
}

View View::transformEnvironment(std::function<void(EnvironmentValues&)> transform) const {
    return environmentModifier(*this, std::move(transform));
}

View View::onAppear(std::function<void()> action) const {
    return wrap(*this, NodeKind::onAppear, ActionPayload{std::move(action)});
}

View View::onDisappear(std::function<void()> action) const {
    return wrap(*this, NodeKind::onDisappear, ActionPayload{std::move(action)});
}

View View::onTapGesture(int count, std::function<void()> action) const {
    return wrap(*this, NodeKind::tapGesture, ActionPayload{std::move(action), count < 1 ? 1 : count});
}

View View::accessibilityIdentifier(std::string identifier) const {
    return wrap(*this, NodeKind::accessibilityIdentifier, IdentifierPayload{std::move(identifier)});
}

// MARK: Primitive views

namespace {
template <NodeKind Kind, class Payload>
std::shared_ptr<const ViewNode> leaf(Payload payload) {
    ViewNode node;
    node.kind = Kind;
    node.payload = std::move(payload);
    return std::make_shared<const ViewNode>(std::move(node));
}
} // namespace

Text::Text(std::string string)
    : View(leaf<NodeKind::text>(TextPayload{std::move(string), std::nullopt, std::nullopt, std::nullopt})) {}

Text Text::font(Font font) const {
    ViewNode copy = node();
    std::get<TextPayload>(copy.payload).font = font;
    return Text(std::make_shared<const ViewNode>(std::move(copy)));
}

Text Text::fontWeight(Font::Weight weight) const {
    ViewNode copy = node();
    std::get<TextPayload>(copy.payload).weight = weight;
    return Text(std::make_shared<const ViewNode>(std::move(copy)));
}

Text Text::foregroundColor(Color color) const {
    ViewNode copy = node();
    std::get<TextPayload>(copy.payload).color = std::move(color);
    return Text(std::make_shared<const ViewNode>(std::move(copy)));
}

Image::Image(std::shared_ptr<uikit::UIImage> uiImage)
    : View(leaf<NodeKind::image>(ImagePayload{std::move(uiImage), false, {}, ResizingMode::stretch, std::nullopt})) {}

Image Image::resizable(EdgeInsets capInsets, ResizingMode resizingMode) const {
    ViewNode copy = node();
    auto& payload = std::get<ImagePayload>(copy.payload);
    payload.resizable = true;
    payload.capInsets = capInsets;
    payload.resizingMode = resizingMode;
    return Image(std::make_shared<const ViewNode>(std::move(copy)));
}

Image Image::renderingMode(std::optional<TemplateRenderingMode> mode) const {
    ViewNode copy = node();
    std::get<ImagePayload>(copy.payload).renderingMode = mode;
    return Image(std::make_shared<const ViewNode>(std::move(copy)));
}

View EmptyView() { return View(); }

View Spacer(std::optional<CGFloat> minLength) {
    ViewNode node;
    node.kind = NodeKind::spacer;
    node.payload = SpacerPayload{minLength};
    return makeView(std::move(node));
}

View LinearGradient(std::vector<Color> colors, UnitPoint startPoint, UnitPoint endPoint) {
    ViewNode node;
    node.kind = NodeKind::linearGradient;
    node.payload = GradientPayload{std::move(colors), startPoint, endPoint};
    return makeView(std::move(node));
}

View VStack(HorizontalAlignment alignment, std::optional<CGFloat> spacing, std::vector<View> content) {
    return container(NodeKind::vstack, std::move(content),
                     StackPayload{Alignment{alignment, VerticalAlignment::center}, spacing});
}

View HStack(VerticalAlignment alignment, std::optional<CGFloat> spacing, std::vector<View> content) {
    return container(NodeKind::hstack, std::move(content),
                     StackPayload{Alignment{HorizontalAlignment::center, alignment}, spacing});
}

View ZStack(Alignment alignment, std::vector<View> content) {
    return container(NodeKind::zstack, std::move(content), StackPayload{alignment, std::nullopt});
}

View Group(std::vector<View> content) { return container(NodeKind::group, std::move(content)); }

View Button(std::function<void()> action, View label) {
    return wrap(label, NodeKind::button, ActionPayload{std::move(action)});
}

View If(bool condition, View then, View otherwise) {
    return container(NodeKind::conditional, {condition ? std::move(then) : std::move(otherwise)},
                     ConditionalPayload{condition ? 0 : 1});
}

View If(bool condition, View then) {
    return container(NodeKind::conditional, {condition ? std::move(then) : View()},
                     ConditionalPayload{condition ? 0 : 1});
}

std::string identityKey(const std::string& id) { return "s:" + id; }
std::string identityKey(long long id) { return "i:" + std::to_string(id); }
std::string identityKey(const foundation::UUID& id) { return "u:" + id.uuidString(); }

} // namespace swiftui
