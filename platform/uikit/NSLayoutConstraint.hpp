#pragma once

// Auto Layout constraints: `first.attribute relation multiplier * second.attribute + constant`
// at a priority. A constraint is a reference type; activating it installs it on the closest
// common ancestor of its items (a single-item constraint on the item's own view), where it
// appears in that view's `constraints()` in activation order. Active constraints are solved by
// the constraint solver on the next layout pass (`UIView::layoutIfNeeded`).
//
// Items are held weakly: a constraint keeps no view alive. Removing a view from its superview
// deactivates the constraints that tie its subtree to views outside it, as the platform does.
//
// Bad input is reported on standard error and refused instead of raising: items without a
// common ancestor, a non-finite multiplier or constant, an invalid priority, switching an
// active constraint between required and optional.

#include "platform/coregraphics/CGGeometry.hpp"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace uikit {

using coregraphics::CGFloat;

class LayoutItem;
class UIView;

// The platform's attribute raw values.
enum class NSLayoutAttribute : int {
    notAnAttribute = 0,
    left = 1,
    right = 2,
    top = 3,
    bottom = 4,
    leading = 5,
    trailing = 6,
    width = 7,
    height = 8,
    centerX = 9,
    centerY = 10,
    lastBaseline = 11,
    firstBaseline = 12,
};

enum class NSLayoutRelation : int { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

enum class UILayoutConstraintAxis : int { horizontal = 0, vertical = 1 };

constexpr int rawValue(NSLayoutAttribute attribute) { return static_cast<int>(attribute); }
constexpr int rawValue(NSLayoutRelation relation) { return static_cast<int>(relation); }
constexpr int rawValue(UILayoutConstraintAxis axis) { return static_cast<int>(axis); }

// A layout priority, 1 to 1000 (1000: required). Converts from numbers so that `750`,
// `UILayoutPriority::defaultHigh` and `UILayoutPriority::defaultLow + 1` all work.
struct UILayoutPriority {
    float rawValue = 1000;

    constexpr UILayoutPriority(float value = 1000) : rawValue(value) {} // NOLINT: numbers convert

    static const UILayoutPriority required;
    static const UILayoutPriority defaultHigh;
    static const UILayoutPriority defaultLow;
    static const UILayoutPriority fittingSizeLevel;

    friend constexpr UILayoutPriority operator+(UILayoutPriority p, float d) { return {p.rawValue + d}; }
    friend constexpr UILayoutPriority operator-(UILayoutPriority p, float d) { return {p.rawValue - d}; }
    friend constexpr bool operator==(UILayoutPriority, UILayoutPriority) = default;
    friend constexpr auto operator<=>(UILayoutPriority a, UILayoutPriority b) { return a.rawValue <=> b.rawValue; }
};

inline constexpr UILayoutPriority UILayoutPriority::required{1000};
inline constexpr UILayoutPriority UILayoutPriority::defaultHigh{750};
inline constexpr UILayoutPriority UILayoutPriority::defaultLow{250};
inline constexpr UILayoutPriority UILayoutPriority::fittingSizeLevel{50};

class NSLayoutConstraint : public std::enable_shared_from_this<NSLayoutConstraint> {
public:
    using Pointer = std::shared_ptr<NSLayoutConstraint>;

    // The platform's `constraint(item:attribute:relatedBy:toItem:attribute:multiplier:constant:)`.
    // A constant constraint (width or height against nothing) has no second item and the
    // attribute notAnAttribute.
    static Pointer make(const std::shared_ptr<LayoutItem>& item, NSLayoutAttribute attribute,
                        NSLayoutRelation relatedBy, const std::shared_ptr<LayoutItem>& toItem,
                        NSLayoutAttribute toAttribute, CGFloat multiplier = 1, CGFloat constant = 0);

    ~NSLayoutConstraint();
    NSLayoutConstraint(const NSLayoutConstraint&) = delete;
    NSLayoutConstraint& operator=(const NSLayoutConstraint&) = delete;

    std::shared_ptr<LayoutItem> firstItem() const { return firstItem_.lock(); }
    NSLayoutAttribute firstAttribute() const { return firstAttribute_; }
    NSLayoutRelation relation() const { return relation_; }
    std::shared_ptr<LayoutItem> secondItem() const { return secondItem_.lock(); }
    NSLayoutAttribute secondAttribute() const { return secondAttribute_; }
    CGFloat multiplier() const { return multiplier_; }

    CGFloat constant() const { return constant_; }
    // A constant that is not finite is refused with a message.
    void setConstant(CGFloat constant);

    UILayoutPriority priority() const { return priority_; }
    // Priorities outside 1...1000 are clamped; an active constraint cannot move between required
    // and optional (the platform raises): refused with a message.
    void setPriority(UILayoutPriority priority);

    const std::optional<std::string>& identifier() const { return identifier_; }
    void setIdentifier(std::optional<std::string> identifier) { identifier_ = std::move(identifier); }

    bool isActive() const { return !installedOn_.expired(); }
    void setActive(bool active);
    // The view whose `constraints()` hold this constraint while it is active.
    std::shared_ptr<UIView> installedView() const { return installedOn_.lock(); }

    static void activate(const std::vector<Pointer>& constraints);
    static void deactivate(const std::vector<Pointer>& constraints);

    // "<NSLayoutConstraint:0x... UILabel:0x....width >= 64   (active)>", as the platform prints.
    std::string description() const;

    // Order of activation, used by the layout engine so that later constraints give way first.
    std::uint64_t activationSequence() const { return activationSequence_; }

    // Set by the layout engine when a solve left this required constraint out, so that the
    // message is printed once per activation.
    bool wasReportedUnsatisfiable() const { return reportedUnsatisfiable_; }
    void markReportedUnsatisfiable() { reportedUnsatisfiable_ = true; }

private:
    NSLayoutConstraint() = default;
    void install();
    void uninstall();

    std::weak_ptr<LayoutItem> firstItem_;
    NSLayoutAttribute firstAttribute_ = NSLayoutAttribute::notAnAttribute;
    NSLayoutRelation relation_ = NSLayoutRelation::equal;
    std::weak_ptr<LayoutItem> secondItem_;
    NSLayoutAttribute secondAttribute_ = NSLayoutAttribute::notAnAttribute;
    CGFloat multiplier_ = 1;
    CGFloat constant_ = 0;
    UILayoutPriority priority_ = UILayoutPriority::required;
    std::optional<std::string> identifier_;
    std::weak_ptr<UIView> installedOn_;
    std::uint64_t activationSequence_ = 0;
    bool reportedUnsatisfiable_ = false;
    bool invalid_ = false;
};

} // namespace uikit
