#pragma once

// Views of the declarative layer: immutable values that describe a tree (text, images, stacks,
// spacers, buttons, colours and the modifiers around them). A `View` is the type-erased form of
// any of them (the platform's AnyView); a view of your own is any copyable type with a
// `View body() const`, converted to `View` implicitly.
//
// Identity is structural: a child is the same view from one evaluation to the next when it sits
// at the same place (the same index in its stack, the same branch of an `If`, the same key of a
// `ForEach`) and is of the same kind (for views of your own, the same type). State lives with
// that identity (see State.hpp). Views of your own must be copy-assignable: an update assigns the
// new value over the one the tree keeps, which carries its state storage across.

#include "platform/swiftui/Animation.hpp"
#include "platform/swiftui/Color.hpp"
#include "platform/swiftui/EnvironmentValues.hpp"
#include "platform/swiftui/Font.hpp"
#include "platform/swiftui/Geometry.hpp"
#include "platform/uikit/UIImage.hpp"

#include <concepts>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <variant>
#include <vector>

namespace foundation {
class UUID;
}

namespace swiftui {

class View;
class UIViewRepresentable;
struct ViewNode;

// Copyable types with `View body() const`.
template <class T>
concept ViewBody = requires(const T& value) {
    { value.body() } -> std::same_as<View>;
}
&&std::copyable<T>;

// Types with `View body(View content) const`, applied with `View::modifier`.
template <class T>
concept ViewModifier = requires(const T& modifier, View content) {
    { modifier.body(content) } -> std::same_as<View>;
}
&&std::copyable<T>;

template <class T>
concept Representable = std::derived_from<T, UIViewRepresentable> && std::copy_constructible<T>;

// The frame of `View::frame(FlexibleFrame)`: bounds and an ideal per axis, all optional.
struct FlexibleFrame {
    std::optional<CGFloat> minWidth = std::nullopt;
    std::optional<CGFloat> idealWidth = std::nullopt;
    std::optional<CGFloat> maxWidth = std::nullopt;
    std::optional<CGFloat> minHeight = std::nullopt;
    std::optional<CGFloat> idealHeight = std::nullopt;
    std::optional<CGFloat> maxHeight = std::nullopt;
    Alignment alignment = Alignment::center();
};

class View {
public:
    // The empty view: it takes no space and stacks leave no gap for it.
    View();
    template <ViewBody T>
    View(T value); // NOLINT: any view converts, as to the platform's AnyView
    template <Representable T>
    View(T value);     // NOLINT
    View(Color color); // NOLINT: a colour is a view

    // MARK: Layout
    View frame(std::optional<CGFloat> width, std::optional<CGFloat> height,
               Alignment alignment = Alignment::center()) const;
    View frame(const FlexibleFrame& frame) const;
    // The platform's default padding (16 points) on the edges.
    View padding(EdgeSet edges = EdgeSet::all()) const;
    View padding(CGFloat length) const { return padding(EdgeSet::all(), length); }
    View padding(EdgeSet edges, std::optional<CGFloat> length) const;
    View padding(const EdgeInsets& insets) const;
    View offset(CGFloat x, CGFloat y) const;
    View aspectRatio(std::optional<CGFloat> ratio, ContentMode contentMode) const;
    View overlay(View overlay, Alignment alignment = Alignment::center()) const;
    View background(View background, Alignment alignment = Alignment::center()) const;

    // MARK: Drawing
    View clipShape(Shape shape, bool antialiased = true) const;
    View shadow(Color color, CGFloat radius, CGFloat x = 0, CGFloat y = 0) const;

    // MARK: Text styling, for every text inside
    View font(Font font) const;
    View foregroundColor(Color color) const;
    View lineLimit(std::optional<int> lines) const;
    View truncationMode(TruncationMode mode) const;
    View multilineTextAlignment(TextAlignment alignment) const;
    View minimumScaleFactor(CGFloat factor) const;

    // MARK: Environment
    template <class T>
    requires std::derived_from<T, combine::ObservableObject> View environmentObject(std::shared_ptr<T> object)
    const;
    View transformEnvironment(std::function<void(EnvironmentValues&)> transform) const;

    // MARK: Events
    View onAppear(std::function<void()> action) const;
    View onDisappear(std::function<void()> action) const;
    // Runs `action` with the new value after an update in which `value` changed.
    template <std::equality_comparable T>
    View onChange(T value, std::function<void(const T&)> action) const;
    View onTapGesture(int count, std::function<void()> action) const;
    View onTapGesture(std::function<void()> action) const { return onTapGesture(1, std::move(action)); }

    View accessibilityIdentifier(std::string identifier) const;

    template <ViewModifier M>
    View modifier(M modifier) const;

    const ViewNode& node() const { return *node_; }

protected:
    explicit View(std::shared_ptr<const ViewNode> node) : node_(std::move(node)) {}

private:
    friend View makeView(ViewNode node);
    std::shared_ptr<const ViewNode> node_;
};

using AnyView = View;

// MARK: Primitive views

class Text : public View {
public:
    explicit Text(std::string string);

    // Styles of this text alone, over those of the environment.
    Text font(Font font) const;
    Text fontWeight(Font::Weight weight) const;
    Text foregroundColor(Color color) const;

private:
    explicit Text(std::shared_ptr<const ViewNode> node) : View(std::move(node)) {}
};

class Image : public View {
public:
    enum class ResizingMode { tile, stretch };
    enum class TemplateRenderingMode { original, template_ };

    // A platform image (the platform's Image(uiImage:)); a null image draws nothing.
    explicit Image(std::shared_ptr<uikit::UIImage> uiImage);

    Image resizable(EdgeInsets capInsets = {}, ResizingMode resizingMode = ResizingMode::stretch) const;
    Image renderingMode(std::optional<TemplateRenderingMode> mode) const;

private:
    explicit Image(std::shared_ptr<const ViewNode> node) : View(std::move(node)) {}
};

View EmptyView();
// A flexible space along the axis of the stack it sits in; `minLength` defaults to the
// platform's spacing (8 points).
View Spacer(std::optional<CGFloat> minLength = std::nullopt);
View LinearGradient(std::vector<Color> colors, UnitPoint startPoint, UnitPoint endPoint);

// Stacks. A spacing of none is the platform's default: 8 points between views, none next to a
// spacer.
View VStack(HorizontalAlignment alignment, std::optional<CGFloat> spacing, std::vector<View> content);
inline View VStack(std::vector<View> content) {
    return VStack(HorizontalAlignment::center, std::nullopt, std::move(content));
}
View HStack(VerticalAlignment alignment, std::optional<CGFloat> spacing, std::vector<View> content);
inline View HStack(std::vector<View> content) {
    return HStack(VerticalAlignment::center, std::nullopt, std::move(content));
}
View ZStack(Alignment alignment, std::vector<View> content);
inline View ZStack(std::vector<View> content) { return ZStack(Alignment::center(), std::move(content)); }
// Several views in the place of one (stacks take them as their own children).
View Group(std::vector<View> content);

// A push button: its label, and the action a tap on the label runs.
View Button(std::function<void()> action, View label);

// Conditional content: the two branches are different views (switching destroys the state of
// the one left); the one-branch form shows nothing when the condition is false.
View If(bool condition, View then, View otherwise);
View If(bool condition, View then);

// Identity of ForEach elements, as text.
std::string identityKey(const std::string& id);
std::string identityKey(long long id);
std::string identityKey(const foundation::UUID& id);
template <std::integral I>
std::string identityKey(I id) {
    return identityKey(static_cast<long long>(id));
}

// One view per element, each identified by `id(element)`. Duplicate identifiers are told apart
// by their order of occurrence.
template <class Data, class Id, class Content>
View ForEach(const Data& data, Id id, Content content);
// One view per integer of [from, to), identified by the integer.
template <class Content>
View ForEach(int from, int to, Content content);

// MARK: Description

enum class NodeKind {
    empty,
    composite,
    conditional,
    forEach,
    group,
    text,
    image,
    color,
    linearGradient,
    spacer,
    vstack,
    hstack,
    zstack,
    button,
    representable,
    frame,
    flexibleFrame,
    padding,
    offset,
    aspectRatio,
    overlay,
    background,
    clipShape,
    shadow,
    environment,
    onAppear,
    onDisappear,
    onChange,
    tapGesture,
    accessibilityIdentifier,
};

namespace detail {

struct CompositeBase {
    virtual ~CompositeBase() = default;
    virtual std::type_index type() const = 0;
    virtual View body() const = 0;
    virtual std::unique_ptr<CompositeBase> clone() const = 0;
    // Assigns the other value (of the same type) over this one.
    virtual void assign(const CompositeBase& other) = 0;
};

struct ChangeValue {
    virtual ~ChangeValue() = default;
    virtual bool equals(const ChangeValue& other) const = 0;
};

template <class T>
struct ChangeValueOf final : ChangeValue {
    explicit ChangeValueOf(T value) : value(std::move(value)) {}
    bool equals(const ChangeValue& other) const override {
        const auto* same = dynamic_cast<const ChangeValueOf*>(&other);
        return same && same->value == value;
    }
    T value;
};

} // namespace detail

struct TextPayload {
    std::string string;
    std::optional<Font> font;
    std::optional<Font::Weight> weight;
    std::optional<Color> color;
};
struct ImagePayload {
    std::shared_ptr<uikit::UIImage> image;
    bool resizable = false;
    EdgeInsets capInsets;
    Image::ResizingMode resizingMode = Image::ResizingMode::stretch;
    std::optional<Image::TemplateRenderingMode> renderingMode;
};
struct GradientPayload {
    std::vector<Color> colors;
    UnitPoint startPoint;
    UnitPoint endPoint;
};
struct SpacerPayload {
    std::optional<CGFloat> minLength;
};
struct StackPayload {
    Alignment alignment;
    std::optional<CGFloat> spacing;
};
struct ActionPayload {
    std::function<void()> action;
    int count = 1;
};
struct FramePayload {
    std::optional<CGFloat> width;
    std::optional<CGFloat> height;
    Alignment alignment;
};
struct PaddingPayload {
    EdgeInsets insets;
};
struct OffsetPayload {
    CGSize offset;
};
struct AspectRatioPayload {
    std::optional<CGFloat> ratio;
    ContentMode contentMode = ContentMode::fit;
};
struct LayeredPayload {
    Alignment alignment;
};
struct ClipPayload {
    Shape shape;
    bool antialiased = true;
};
struct ShadowPayload {
    Color color;
    CGFloat radius = 0;
    CGFloat x = 0;
    CGFloat y = 0;
};
struct EnvironmentPayload {
    std::function<void(EnvironmentValues&)> transform;
};
struct IdentifierPayload {
    std::string identifier;
};
struct ChangePayload {
    std::shared_ptr<const detail::ChangeValue> value;
    std::function<void(const detail::ChangeValue&)> action;
};
struct CompositePayload {
    std::shared_ptr<const detail::CompositeBase> composite;
};
struct ConditionalPayload {
    int branch = 0;
};
struct ForEachPayload {
    std::vector<std::string> keys;
};
struct RepresentablePayload {
    std::shared_ptr<const UIViewRepresentable> representable;
    std::type_index type;
};

// What a view value describes: its kind, its children and what else its kind needs.
struct ViewNode {
    NodeKind kind = NodeKind::empty;
    std::vector<View> children;
    std::variant<std::monostate, TextPayload, ImagePayload, Color, GradientPayload, SpacerPayload, StackPayload,
                 ActionPayload, FramePayload, FlexibleFrame, PaddingPayload, OffsetPayload, AspectRatioPayload,
                 LayeredPayload, ClipPayload, ShadowPayload, EnvironmentPayload, IdentifierPayload, ChangePayload,
                 CompositePayload, ConditionalPayload, ForEachPayload, RepresentablePayload>
        payload;

    template <class P>
    const P& as() const {
        return std::get<P>(payload);
    }
};

View makeView(ViewNode node);

// MARK: Templates

namespace detail {

// While a view is installed in the tree, copies of its state properties get storage of their
// own (see State.hpp).
bool installingState();

template <class T>
struct CompositeHolder final : CompositeBase {
    explicit CompositeHolder(T value) : value(std::move(value)) {}
    std::type_index type() const override { return typeid(T); }
    View body() const override { return value.body(); }
    std::unique_ptr<CompositeBase> clone() const override { return std::make_unique<CompositeHolder>(value); }
    void assign(const CompositeBase& other) override { value = static_cast<const CompositeHolder&>(other).value; }
    T value;
};

template <class M>
struct ModifiedContent {
    M modifier;
    View content;
    View body() const { return modifier.body(content); }
};

} // namespace detail

template <ViewBody T>
View::View(T value) {
    ViewNode node;
    node.kind = NodeKind::composite;
    node.payload = CompositePayload{std::make_shared<detail::CompositeHolder<T>>(std::move(value))};
    node_ = std::make_shared<const ViewNode>(std::move(node));
}

template <Representable T>
View::View(T value) {
    ViewNode node;
    node.kind = NodeKind::representable;
    node.payload = RepresentablePayload{std::make_shared<const T>(std::move(value)), typeid(T)};
    node_ = std::make_shared<const ViewNode>(std::move(node));
}

template <class T>
requires std::derived_from<T, combine::ObservableObject> View View::environmentObject(std::shared_ptr<T> object)
const {
    std::shared_ptr<combine::ObservableObject> base = std::move(object);
    return transformEnvironment([base](EnvironmentValues& values) { values.objects[typeid(T)] = base; });
}

template <std::equality_comparable T>
View View::onChange(T value, std::function<void(const T&)> action) const {
    ViewNode node;
    node.kind = NodeKind::onChange;
    node.children = {*this};
    node.payload = ChangePayload{std::make_shared<const detail::ChangeValueOf<T>>(std::move(value)),
                                 [action = std::move(action)](const detail::ChangeValue& changed) {
                                     action(static_cast<const detail::ChangeValueOf<T>&>(changed).value);
                                 }};
    return makeView(std::move(node));
}

template <ViewModifier M>
View View::modifier(M modifier) const {
    return View(detail::ModifiedContent<M>{std::move(modifier), *this});
}

template <class Data, class Id, class Content>
View ForEach(const Data& data, Id id, Content content) {
    ViewNode node;
    node.kind = NodeKind::forEach;
    ForEachPayload payload;
    for (const auto& element : data) {
        payload.keys.push_back(identityKey(id(element)));
        node.children.push_back(View(content(element)));
    }
    node.payload = std::move(payload);
    return makeView(std::move(node));
}

template <class Content>
View ForEach(int from, int to, Content content) {
    ViewNode node;
    node.kind = NodeKind::forEach;
    ForEachPayload payload;
    for (int i = from; i < to; ++i) {
        payload.keys.push_back(identityKey(i));
        node.children.push_back(View(content(i)));
    }
    node.payload = std::move(payload);
    return makeView(std::move(node));
}

} // namespace swiftui
