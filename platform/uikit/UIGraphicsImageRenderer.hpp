#pragma once

// Drawing into bitmaps that become images.
//
// UIGraphicsImageRenderer makes an image of a size by running drawing actions in a fresh
// bitmap context; the older UIGraphicsBeginImageContextWithOptions / ...End... functions do the
// same with a context stack. Contexts are per thread: each thread has its own current context,
// so images can be drawn on worker threads. A scale of 0 means the display scale of the current
// traits (UITraitCollection::current()).

#include "platform/coregraphics/CGContext.hpp"
#include "platform/coregraphics/CGGeometry.hpp"
#include "platform/uikit/UIImage.hpp"

#include <functional>
#include <memory>

namespace uikit {

struct UIGraphicsImageRendererFormat {
    CGFloat scale = 0;
    bool opaque = false;
};

class UIGraphicsImageRendererContext {
public:
    coregraphics::CGContext& cgContext() const { return context_; }
    // The image of what has been drawn so far.
    std::shared_ptr<UIImage> currentImage() const;

private:
    friend class UIGraphicsImageRenderer;
    explicit UIGraphicsImageRendererContext(coregraphics::CGContext& context) : context_(context) {}
    coregraphics::CGContext& context_;
};

class UIGraphicsImageRenderer {
public:
    explicit UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format = {});

    CGSize size() const { return size_; }
    const UIGraphicsImageRendererFormat& format() const { return format_; }

    // The image of `size` points at the format's scale after running the actions with the
    // renderer's context as the current one. No image for an empty or absurdly large size.
    std::shared_ptr<UIImage> image(const std::function<void(UIGraphicsImageRendererContext&)>& actions) const;

private:
    CGSize size_;
    UIGraphicsImageRendererFormat format_;
};

// The context that drawing goes to on this thread, or none.
coregraphics::CGContext* UIGraphicsGetCurrentContext();
// Pushes a new bitmap context (none for an empty or absurdly large size: the other calls then
// see no context, as they would after a failed begin on the platform).
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
// The image of the current context, or none.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Pops the context pushed by the matching begin; an extra end does nothing.
void UIGraphicsEndImageContext();

} // namespace uikit
