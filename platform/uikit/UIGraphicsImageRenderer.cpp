#include "platform/uikit/UIGraphicsImageRenderer.hpp"

#include <vector>

namespace uikit {

using coregraphics::CGContext;

namespace {

struct ContextEntry {
    std::unique_ptr<CGContext> context;
};

// Null entries stand for begins whose context could not be made, so that begin and end stay
// paired.
std::vector<CGContext*>& contextStack() {
    thread_local std::vector<CGContext*> stack;
    return stack;
}

std::vector<std::unique_ptr<CGContext>>& ownedContexts() {
    thread_local std::vector<std::unique_ptr<CGContext>> owned;
    return owned;
}

CGFloat resolvedScale(CGFloat scale) {
    if (scale > 0) {
        return scale;
    }
    const CGFloat display = UITraitCollection::current().displayScale();
    return display > 0 ? display : 1;
}

std::shared_ptr<UIImage> imageOf(const CGContext& context) {
    return UIImage::withCGImage(context.makeImage(), context.scale());
}

} // namespace

std::shared_ptr<UIImage> UIGraphicsImageRendererContext::currentImage() const { return imageOf(context_); }

UIGraphicsImageRenderer::UIGraphicsImageRenderer(CGSize size, UIGraphicsImageRendererFormat format)
    : size_(size), format_(format) {}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::image(
    const std::function<void(UIGraphicsImageRendererContext&)>& actions) const {
    const auto context = CGContext::bitmap(size_, resolvedScale(format_.scale), format_.opaque);
    if (!context) {
        return nullptr;
    }
    auto& stack = contextStack();
    stack.push_back(context.get());
    struct Pop {
        std::vector<CGContext*>& stack;
        ~Pop() { stack.pop_back(); }
    } pop{stack};
    UIGraphicsImageRendererContext rendererContext(*context);
    if (actions) {
        actions(rendererContext);
    }
    return imageOf(*context);
}

CGContext* UIGraphicsGetCurrentContext() {
    const auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back();
}

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    auto context = CGContext::bitmap(size, resolvedScale(scale), opaque);
    contextStack().push_back(context.get());
    ownedContexts().push_back(std::move(context));
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
    const CGContext* context = UIGraphicsGetCurrentContext();
    return context != nullptr ? imageOf(*context) : nullptr;
}

void UIGraphicsEndImageContext() {
    auto& owned = ownedContexts();
    if (owned.empty()) {
        return;
    }
    auto& stack = contextStack();
    // Only contexts pushed by begin are popped here; a renderer's context is popped by its
    // renderer.
    if (!stack.empty() && stack.back() == owned.back().get()) {
        stack.pop_back();
        owned.pop_back();
    }
}

} // namespace uikit
