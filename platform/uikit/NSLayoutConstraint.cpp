#include "platform/uikit/NSLayoutConstraint.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/NSLayoutAnchor.hpp"
#include "platform/uikit/UIView.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <unordered_set>

namespace uikit {

namespace {

std::uint64_t gActivationSequence = 0;

enum class AttributeKind { none, xAxis, yAxis, dimension };

AttributeKind kindOf(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::leading:
    case NSLayoutAttribute::trailing:
    case NSLayoutAttribute::centerX:
        return AttributeKind::xAxis;
    case NSLayoutAttribute::top:
    case NSLayoutAttribute::bottom:
    case NSLayoutAttribute::centerY:
    case NSLayoutAttribute::firstBaseline:
    case NSLayoutAttribute::lastBaseline:
        return AttributeKind::yAxis;
    case NSLayoutAttribute::width:
    case NSLayoutAttribute::height:
        return AttributeKind::dimension;
    case NSLayoutAttribute::notAnAttribute:
        break;
    }
    return AttributeKind::none;
}

const char* nameOf(NSLayoutAttribute attribute) {
    switch (attribute) {
    case NSLayoutAttribute::left:
        return "left";
    case NSLayoutAttribute::right:
        return "right";
    case NSLayoutAttribute::top:
        return "top";
    case NSLayoutAttribute::bottom:
        return "bottom";
    case NSLayoutAttribute::leading:
        return "leading";
    case NSLayoutAttribute::trailing:
        return "trailing";
    case NSLayoutAttribute::width:
        return "width";
    case NSLayoutAttribute::height:
        return "height";
    case NSLayoutAttribute::centerX:
        return "centerX";
    case NSLayoutAttribute::centerY:
        return "centerY";
    case NSLayoutAttribute::lastBaseline:
        return "lastBaseline";
    case NSLayoutAttribute::firstBaseline:
        return "firstBaseline";
    case NSLayoutAttribute::notAnAttribute:
        break;
    }
    return "notAnAttribute";
}

std::string number(CGFloat value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string itemName(const std::shared_ptr<LayoutItem>& item) { return item ? item->layoutDescription() : "(null)"; }

std::string anchorDescription(const std::shared_ptr<LayoutItem>& item, NSLayoutAttribute attribute) {
    return "<" +
           std::string(kindOf(attribute) == AttributeKind::dimension ? "NSLayoutDimension"
                       : kindOf(attribute) == AttributeKind::yAxis   ? "NSLayoutYAxisAnchor"
                                                                     : "NSLayoutXAxisAnchor") +
           " \"" + itemName(item) + "." + nameOf(attribute) + "\">";
}

// The closest view that both items' views descend from, or none.
std::shared_ptr<UIView> commonAncestor(const std::shared_ptr<UIView>& a, const std::shared_ptr<UIView>& b) {
    std::unordered_set<const UIView*> ancestors;
    for (auto v = a; v; v = v->superview()) {
        ancestors.insert(v.get());
    }
    for (auto v = b; v; v = v->superview()) {
        if (ancestors.count(v.get()) != 0) {
            return v;
        }
    }
    return nullptr;
}

} // namespace

NSLayoutConstraint::Pointer NSLayoutConstraint::make(const std::shared_ptr<LayoutItem>& item,
                                                     NSLayoutAttribute attribute, NSLayoutRelation relatedBy,
                                                     const std::shared_ptr<LayoutItem>& toItem,
                                                     NSLayoutAttribute toAttribute, CGFloat multiplier,
                                                     CGFloat constant) {
    Pointer constraint(new NSLayoutConstraint());
    constraint->firstItem_ = item;
    constraint->firstAttribute_ = attribute;
    constraint->relation_ = relatedBy;
    constraint->secondItem_ = toItem;
    constraint->secondAttribute_ = toItem ? toAttribute : NSLayoutAttribute::notAnAttribute;
    constraint->multiplier_ = multiplier;
    constraint->constant_ = constant;

    std::string problem;
    const AttributeKind first = kindOf(attribute);
    const AttributeKind second = kindOf(constraint->secondAttribute_);
    if (!item || first == AttributeKind::none) {
        problem = "a constraint needs a first item and attribute";
    } else if (toItem && second == AttributeKind::none) {
        problem = "a second item needs an attribute";
    } else if (!toItem && first != AttributeKind::dimension) {
        problem = "A constraint with no second item must be a width or height (a location needs something to be "
                  "relative to)";
    } else if (toItem && first != second) {
        problem =
            std::string("Invalid pairing of layout attributes ") + nameOf(attribute) + " and " + nameOf(toAttribute);
    } else if (!std::isfinite(multiplier) || !std::isfinite(constant)) {
        problem = "a constraint's multiplier and constant must be finite";
    } else if (toItem && multiplier == 0 && first != AttributeKind::dimension) {
        problem = "A multiplier of 0 with a location attribute creates an illegal constraint";
    }
    if (!problem.empty()) {
        std::cerr << "NSLayoutConstraint: " << problem << ": " << constraint->description()
                  << "; the constraint will never be active\n";
        constraint->invalid_ = true;
    }
    return constraint;
}

NSLayoutConstraint::~NSLayoutConstraint() = default;

void NSLayoutConstraint::setConstant(CGFloat constant) {
    if (!std::isfinite(constant)) {
        std::cerr << "NSLayoutConstraint: refusing a non-finite constant for " << description() << "\n";
        return;
    }
    if (constant_ == constant) {
        return;
    }
    constant_ = constant;
    if (const auto view = installedView()) {
        view->markConstantsDirty(*this);
    }
}

void NSLayoutConstraint::setPriority(UILayoutPriority priority) {
    const float value = std::isfinite(priority.rawValue) ? std::clamp(priority.rawValue, 1.0f, 1000.0f) : 1000.0f;
    const bool wasRequired = priority_ == UILayoutPriority::required;
    const bool required = value == UILayoutPriority::required.rawValue;
    if (isActive() && wasRequired != required) {
        std::cerr << "NSLayoutConstraint: Mutating a priority from required to not on an installed constraint (or "
                     "vice-versa) is not supported: "
                  << description() << "\n";
        return;
    }
    priority_ = value;
    if (const auto view = installedView()) {
        view->markConstantsDirty(*this);
    }
}

void NSLayoutConstraint::setActive(bool active) {
    assert(foundation::isMainThread());
    if (active) {
        install();
    } else {
        uninstall();
    }
}

void NSLayoutConstraint::activate(const std::vector<Pointer>& constraints) {
    for (const auto& constraint : constraints) {
        if (constraint) {
            constraint->setActive(true);
        }
    }
}

void NSLayoutConstraint::deactivate(const std::vector<Pointer>& constraints) {
    for (const auto& constraint : constraints) {
        if (constraint) {
            constraint->setActive(false);
        }
    }
}

void NSLayoutConstraint::install() {
    if (isActive() || invalid_) {
        return;
    }
    const auto first = firstItem();
    const auto second = secondItem();
    const auto firstView = first ? first->owningViewForLayout() : nullptr;
    const auto secondView = second ? second->owningViewForLayout() : nullptr;
    std::shared_ptr<UIView> host;
    if (firstView && secondAttribute_ == NSLayoutAttribute::notAnAttribute) {
        host = firstView;
    } else if (firstView && secondView) {
        host = commonAncestor(firstView, secondView);
    }
    if (!host) {
        std::cerr << "NSLayoutConstraint: Unable to activate constraint with anchors "
                  << anchorDescription(first, firstAttribute_) << " and " << anchorDescription(second, secondAttribute_)
                  << " because they have no common ancestor.  Does the constraint or its anchors reference items in "
                     "different view hierarchies?  That's illegal.\n";
        return;
    }
    installedOn_ = host;
    activationSequence_ = ++gActivationSequence;
    reportedUnsatisfiable_ = false;
    host->constraints_.push_back(shared_from_this());
    host->markLayoutDirty();
}

void NSLayoutConstraint::uninstall() {
    const auto host = installedView();
    if (!host) {
        return;
    }
    const auto keep = shared_from_this();
    auto& list = host->constraints_;
    list.erase(std::remove_if(list.begin(), list.end(), [this](const Pointer& c) { return c.get() == this; }),
               list.end());
    installedOn_.reset();
    host->markLayoutDirty();
}

std::string NSLayoutConstraint::description() const {
    char self[32];
    std::snprintf(self, sizeof self, "%p", static_cast<const void*>(this));
    std::string text = "<NSLayoutConstraint:" + std::string(self) + " ";
    if (identifier_) {
        text += "'" + *identifier_ + "' ";
    }
    text += itemName(firstItem()) + "." + nameOf(firstAttribute_);
    text += relation_ == NSLayoutRelation::equal             ? " == "
            : relation_ == NSLayoutRelation::lessThanOrEqual ? " <= "
                                                             : " >= ";
    if (secondAttribute_ != NSLayoutAttribute::notAnAttribute) {
        if (multiplier_ != 1) {
            text += number(multiplier_) + "*";
        }
        text += itemName(secondItem()) + "." + nameOf(secondAttribute_);
        if (constant_ > 0) {
            text += " + " + number(constant_);
        } else if (constant_ < 0) {
            text += " - " + number(-constant_);
        }
    } else {
        text += number(constant_);
    }
    if (priority_ != UILayoutPriority::required) {
        text += " @" + number(priority_.rawValue);
    }
    text += isActive() ? "   (active)>" : "   (inactive)>";
    return text;
}

} // namespace uikit
