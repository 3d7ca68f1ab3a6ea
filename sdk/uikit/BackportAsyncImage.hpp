#pragma once

// A declarative view that loads an image from a URL with the shared URL session and builds its
// content from the loading phase. The load starts when the view appears and again when it is
// re-created with another URL; a new load keeps the previous phase until its own outcome
// arrives, and an outcome of a load that a later one has replaced is dropped. A transport failure gives that failure
// (published without the transaction); data that is not an image (an HTML error page, say) gives NSURLErrorDomain -1001
// "Request timed out". No URL: no request, and the phase stays empty. Nothing here uses the SDK's services.

#include "platform/foundation/Error.hpp"
#include "platform/foundation/URL.hpp"
#include "platform/swiftui/View.hpp"

#include <functional>
#include <optional>
#include <variant>

namespace vyd {

class AsyncImagePhase {
public:
    static AsyncImagePhase success(swiftui::Image image) { return AsyncImagePhase(std::move(image)); }
    static AsyncImagePhase failure(foundation::Error error) { return AsyncImagePhase(std::move(error)); }
    static AsyncImagePhase empty() { return AsyncImagePhase(std::monostate()); }

    // The image of a success.
    std::optional<swiftui::Image> image() const;
    // The error of a failure.
    std::optional<foundation::Error> error() const;
    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }

private:
    using Value = std::variant<swiftui::Image, foundation::Error, std::monostate>;
    explicit AsyncImagePhase(Value value) : value_(std::move(value)) {}

    Value value_;
};

struct BackportAsyncImage {
    using Content = std::function<swiftui::View(const AsyncImagePhase&)>;

    // The image of a success; for the other phases a blank image.
    BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout);
    // `content` of the loaded image, else `placeholder` (two branches of one condition).
    BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout,
                       std::function<swiftui::View(const swiftui::Image&)> content,
                       std::function<swiftui::View()> placeholder);
    // A successful result (or one without usable data) is published in `transaction`.
    BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout,
                       swiftui::Transaction transaction, Content content);

    swiftui::View body() const;

    std::optional<foundation::URL> url;
    coregraphics::CGFloat scale;
    swiftui::Transaction transaction;
    double timeout;
    Content content;
};

// Design-time previews of the three forms.
struct BackportAsyncImage_Previews {
    static foundation::URL url();
    static swiftui::View previews();
};

} // namespace vyd
