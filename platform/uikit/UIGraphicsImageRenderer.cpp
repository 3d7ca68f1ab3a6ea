#include "platform/uikit/UIGraphicsImageRenderer.hpp"

#include <vector>

namespace uikit {

using coregraphics::CGContext;

namespace {

struct StackEntry {
    CGContext* context;               // null for a begin whose context could not be made
    std::unique_ptr<CGContext> owned; // contexts made by begin; a renderer owns its own
    bool fromBegin;
};

std::vector<StackEntry>& contextStack() {
    thread_local std::vector<StackEntry> stack;
    return stack;
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

std::shared_ptr<UIImage>
UIGraphicsImageRenderer::image(const std::function<void(UIGraphicsImageRendererContext&)>& actions) const {
    const auto context = CGContext::bitmap(size_, resolvedScale(format_.scale), format_.opaque);
    if (!context) {
        return nullptr;
    }
    // Whatever the actions begin and do not end is dropped with the renderer's context, so
    // that no entry outlives the context it points to.
    auto& stack = contextStack();
    const std::size_t depth = stack.size();
    stack.push_back({context.get(), nullptr, false});
    struct Restore {
        std::vector<StackEntry>& stack;
        std::size_t depth;
        ~Restore() { stack.resize(depth); }
    } restore{stack, depth};
    UIGraphicsImageRendererContext rendererContext(*context);
    if (actions) {
        actions(rendererContext);
    }
    return imageOf(*context);
}

CGContext* UIGraphicsGetCurrentContext() {
    const auto& stack = contextStack();
    return stack.empty() ? nullptr : stack.back().context;
}

void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale) {
    auto context = CGContext::bitmap(size, resolvedScale(scale), opaque);
    CGContext* pointer = context.get();
    contextStack().push_back({pointer, std::move(context), true});
}

std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext() {
    const CGContext* context = UIGraphicsGetCurrentContext();
    return context != nullptr ? imageOf(*context) : nullptr;
}

void UIGraphicsEndImageContext() {
    // Only a context pushed by begin is popped here; a renderer's context belongs to its
    // renderer.
    auto& stack = contextStack();
    if (!stack.empty() && stack.back().fromBegin) {
        stack.pop_back();
    }
}

} // namespace uikit
