#pragma once

// Colours of the UI layer.
//
// UIColor is a value with shared, immutable internals: copying a colour copies a reference to
// the same internals, as passing a colour object around does on the platform. `isIdentical`
// tells whether two values are the same colour object.
//
// A colour is either static (a Core Graphics colour) or dynamic (a provider called with a trait
// collection each time the colour is resolved). Colours made from white numbers live in the
// extended grey space with two components, colours made from RGB numbers in the extended sRGB
// space with four; the two are never equal, even for the same shade. Static colours are equal
// when their spaces and components are equal; dynamic colours are equal only to colours sharing
// their provider (copies of the same colour, or the same named system colour).

#include "platform/coregraphics/CGColor.hpp"
#include "platform/uikit/UITraitCollection.hpp"

#include <functional>
#include <memory>

namespace uikit {

using coregraphics::CGColor;

class UIColor {
public:
    using DynamicProvider = std::function<UIColor(const UITraitCollection&)>;

    // Components are used as given; values outside 0...1 stay (extended range).
    UIColor(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);
    UIColor(CGFloat white, CGFloat alpha);
    explicit UIColor(const CGColor& color);
    explicit UIColor(DynamicProvider dynamicProvider);
    static UIColor fromHSB(CGFloat hue, CGFloat saturation, CGFloat brightness, CGFloat alpha);

    // Fixed colours in grey (white, black, gray, clear) or RGB (red, blue).
    static UIColor white();
    static UIColor black();
    static UIColor gray();
    static UIColor clear();
    static UIColor red();
    static UIColor blue();
    // Dynamic system colours with their light and dark values; each read gives the same object.
    static UIColor systemBlue();
    static UIColor systemGroupedBackground();

    bool isDynamic() const;
    // A static colour resolves to itself; a dynamic one to what its provider gives for `traits`.
    UIColor resolvedColor(const UITraitCollection& traits) const;
    // The colour resolved against UITraitCollection::current().
    CGColor cgColor() const;

    // The getters resolve a dynamic colour against the current traits. Grey colours convert
    // (red = green = blue = white; hue and saturation 0, brightness = white), so every colour
    // of this platform converts and both return true; the arguments are left unchanged only
    // when a colour cannot convert, which then returns false.
    bool getRed(CGFloat& red, CGFloat& green, CGFloat& blue, CGFloat& alpha) const;
    bool getHue(CGFloat& hue, CGFloat& saturation, CGFloat& brightness, CGFloat& alpha) const;
    // RGB colours convert with the luma weights 0.299, 0.587, 0.114.
    bool getWhite(CGFloat& white, CGFloat& alpha) const;

    // Same space and components with the alpha replaced; a dynamic colour stays dynamic and
    // replaces the alpha of whatever it resolves to.
    UIColor withAlphaComponent(CGFloat alpha) const;

    bool isIdentical(const UIColor& other) const { return storage_ == other.storage_; }
    friend bool operator==(const UIColor& a, const UIColor& b);

private:
    struct Storage;
    explicit UIColor(std::shared_ptr<const Storage> storage) : storage_(std::move(storage)) {}

    std::shared_ptr<const Storage> storage_;
};

} // namespace uikit
