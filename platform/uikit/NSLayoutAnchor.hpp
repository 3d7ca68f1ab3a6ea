#pragma once

// Anchors: the edges, centres and dimensions of a view or layout guide, from which constraints
// are made (`a.leadingAnchor().constraintEqualTo(b.leadingAnchor(), 16)`). The type of an anchor
// keeps the axes apart: an x-axis anchor relates only to x-axis anchors, a dimension only to
// dimensions (or to a constant).
//
// LayoutItem is what views and layout guides share: the anchors, and the four unknowns that the
// layout engine solves for (left, top, width and height in the coordinates of the hierarchy's
// root, untranslated by scroll offsets).

#include "platform/uikit/NSLayoutConstraint.hpp"
#include "platform/uikit/layout/Variable.hpp"

#include <memory>
#include <string>

namespace uikit {

class NSLayoutXAxisAnchor;
class NSLayoutYAxisAnchor;
class NSLayoutDimension;

class LayoutItem {
public:
    virtual ~LayoutItem() = default;

    // The view whose hierarchy places the item: a view itself, a guide's owning view.
    virtual std::shared_ptr<UIView> owningViewForLayout() const = 0;
    // "UILabel:0x1234" as the platform names items in its messages.
    virtual std::string layoutDescription() const = 0;

    NSLayoutXAxisAnchor leadingAnchor() const;
    NSLayoutXAxisAnchor trailingAnchor() const;
    NSLayoutXAxisAnchor leftAnchor() const;
    NSLayoutXAxisAnchor rightAnchor() const;
    NSLayoutXAxisAnchor centerXAnchor() const;
    NSLayoutYAxisAnchor topAnchor() const;
    NSLayoutYAxisAnchor bottomAnchor() const;
    NSLayoutYAxisAnchor centerYAnchor() const;
    NSLayoutDimension widthAnchor() const;
    NSLayoutDimension heightAnchor() const;

    // The engine's unknowns; their values are those of the last solve.
    struct Variables {
        layout::Variable left{"left"};
        layout::Variable top{"top"};
        layout::Variable width{"width"};
        layout::Variable height{"height"};
    };
    const Variables& layoutVariables() const { return variables_; }

protected:
    virtual std::weak_ptr<LayoutItem> weakLayoutItem() const = 0;

private:
    Variables variables_;
};

class NSLayoutAnchorBase {
public:
    std::shared_ptr<LayoutItem> item() const { return item_.lock(); }
    NSLayoutAttribute attribute() const { return attribute_; }

protected:
    NSLayoutAnchorBase(std::weak_ptr<LayoutItem> item, NSLayoutAttribute attribute)
        : item_(std::move(item)), attribute_(attribute) {}

    NSLayoutConstraint::Pointer make(NSLayoutRelation relation, const NSLayoutAnchorBase* other, CGFloat multiplier,
                                     CGFloat constant) const;

private:
    std::weak_ptr<LayoutItem> item_;
    NSLayoutAttribute attribute_;
};

// The relations every anchor offers, against an anchor of the same type. Constraints are made
// inactive, as on the platform.
template <class AnchorType>
class NSLayoutAnchor : public NSLayoutAnchorBase {
public:
    NSLayoutConstraint::Pointer constraintEqualTo(const AnchorType& anchor, CGFloat constant = 0) const {
        return make(NSLayoutRelation::equal, &anchor, 1, constant);
    }
    NSLayoutConstraint::Pointer constraintGreaterThanOrEqualTo(const AnchorType& anchor, CGFloat constant = 0) const {
        return make(NSLayoutRelation::greaterThanOrEqual, &anchor, 1, constant);
    }
    NSLayoutConstraint::Pointer constraintLessThanOrEqualTo(const AnchorType& anchor, CGFloat constant = 0) const {
        return make(NSLayoutRelation::lessThanOrEqual, &anchor, 1, constant);
    }

protected:
    using NSLayoutAnchorBase::NSLayoutAnchorBase;
};

class NSLayoutXAxisAnchor : public NSLayoutAnchor<NSLayoutXAxisAnchor> {
public:
    NSLayoutXAxisAnchor(std::weak_ptr<LayoutItem> item, NSLayoutAttribute attribute)
        : NSLayoutAnchor(std::move(item), attribute) {}
};

class NSLayoutYAxisAnchor : public NSLayoutAnchor<NSLayoutYAxisAnchor> {
public:
    NSLayoutYAxisAnchor(std::weak_ptr<LayoutItem> item, NSLayoutAttribute attribute)
        : NSLayoutAnchor(std::move(item), attribute) {}
};

class NSLayoutDimension : public NSLayoutAnchor<NSLayoutDimension> {
public:
    NSLayoutDimension(std::weak_ptr<LayoutItem> item, NSLayoutAttribute attribute)
        : NSLayoutAnchor(std::move(item), attribute) {}

    using NSLayoutAnchor::constraintEqualTo;
    using NSLayoutAnchor::constraintGreaterThanOrEqualTo;
    using NSLayoutAnchor::constraintLessThanOrEqualTo;

    NSLayoutConstraint::Pointer constraintEqualToConstant(CGFloat constant) const {
        return make(NSLayoutRelation::equal, nullptr, 1, constant);
    }
    NSLayoutConstraint::Pointer constraintGreaterThanOrEqualToConstant(CGFloat constant) const {
        return make(NSLayoutRelation::greaterThanOrEqual, nullptr, 1, constant);
    }
    NSLayoutConstraint::Pointer constraintLessThanOrEqualToConstant(CGFloat constant) const {
        return make(NSLayoutRelation::lessThanOrEqual, nullptr, 1, constant);
    }
    NSLayoutConstraint::Pointer constraintEqualTo(const NSLayoutDimension& anchor, CGFloat multiplier,
                                                  CGFloat constant) const {
        return make(NSLayoutRelation::equal, &anchor, multiplier, constant);
    }
    NSLayoutConstraint::Pointer constraintGreaterThanOrEqualTo(const NSLayoutDimension& anchor, CGFloat multiplier,
                                                               CGFloat constant) const {
        return make(NSLayoutRelation::greaterThanOrEqual, &anchor, multiplier, constant);
    }
    NSLayoutConstraint::Pointer constraintLessThanOrEqualTo(const NSLayoutDimension& anchor, CGFloat multiplier,
                                                            CGFloat constant) const {
        return make(NSLayoutRelation::lessThanOrEqual, &anchor, multiplier, constant);
    }
};

} // namespace uikit
