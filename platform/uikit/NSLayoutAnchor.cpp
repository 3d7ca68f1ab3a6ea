#include "platform/uikit/NSLayoutAnchor.hpp"

namespace uikit {

NSLayoutXAxisAnchor LayoutItem::leadingAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::leading}; }
NSLayoutXAxisAnchor LayoutItem::trailingAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::trailing}; }
NSLayoutXAxisAnchor LayoutItem::leftAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::left}; }
NSLayoutXAxisAnchor LayoutItem::rightAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::right}; }
NSLayoutXAxisAnchor LayoutItem::centerXAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::centerX}; }
NSLayoutYAxisAnchor LayoutItem::topAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::top}; }
NSLayoutYAxisAnchor LayoutItem::bottomAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::bottom}; }
NSLayoutYAxisAnchor LayoutItem::centerYAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::centerY}; }
NSLayoutDimension LayoutItem::widthAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::width}; }
NSLayoutDimension LayoutItem::heightAnchor() const { return {weakLayoutItem(), NSLayoutAttribute::height}; }

NSLayoutConstraint::Pointer NSLayoutAnchorBase::make(NSLayoutRelation relation, const NSLayoutAnchorBase* other,
                                                     CGFloat multiplier, CGFloat constant) const {
    return NSLayoutConstraint::make(item(), attribute_, relation, other ? other->item() : nullptr,
                                    other ? other->attribute_ : NSLayoutAttribute::notAnAttribute, multiplier,
                                    constant);
}

} // namespace uikit
