#include "sdk/uikit/BackportAsyncImage.hpp"

#include "platform/combine/ObservableObject.hpp"
#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/foundation/URLSession.hpp"
#include "platform/swiftui/State.hpp"
#include "platform/uikit/UIImage.hpp"

namespace vyd {

using swiftui::View;

std::optional<swiftui::Image> AsyncImagePhase::image() const {
    if (const auto* image = std::get_if<swiftui::Image>(&value_)) {
        return *image;
    }
    return std::nullopt;
}

std::optional<foundation::Error> AsyncImagePhase::error() const {
    if (const auto* error = std::get_if<foundation::Error>(&value_)) {
        return *error;
    }
    return std::nullopt;
}

namespace {

// Holds the phase of one view identity. It keeps neither the URL nor the running task: a load
// runs to its end, and its outcome is dropped when the provider is gone by then, or when a later
// load has started meanwhile (a slow answer for a former URL must not replace the image of the
// current one).
class Provider : public combine::ObservableObject, public std::enable_shared_from_this<Provider> {
public:
    combine::Published<AsyncImagePhase> phase{*this, AsyncImagePhase::empty()};

    void task(const std::optional<foundation::URL>& url, coregraphics::CGFloat scale,
              const swiftui::Transaction& transaction, double timeout) {
        if (!url) {
            return;
        }
        foundation::URLRequest request(*url, foundation::URLRequestCachePolicy::useProtocolCachePolicy, 60);
        request.timeoutInterval = timeout;
        const unsigned long load = ++loads_;
        std::weak_ptr<Provider> weak = weak_from_this();
        foundation::URLSession::shared()
            ->dataTask(std::move(request),
                       [weak, load, transaction, scale](std::optional<foundation::Data> data,
                                                        std::optional<foundation::HTTPURLResponse>,
                                                        std::optional<foundation::Error> error) {
                           foundation::DispatchQueue::main().async(
                               [weak, load, transaction, scale, data = std::move(data), error = std::move(error)] {
                                   publish(weak, load, transaction, scale, data, error);
                               });
                       })
            ->resume();
    }

private:
    static void publish(const std::weak_ptr<Provider>& weak, unsigned long load,
                        const swiftui::Transaction& transaction, coregraphics::CGFloat scale,
                        const std::optional<foundation::Data>& data, const std::optional<foundation::Error>& error) {
        if (const auto provider = weak.lock(); provider && provider->loads_ != load) {
            return;
        }
        if (error) {
            if (const auto provider = weak.lock()) {
                provider->phase = AsyncImagePhase::failure(*error);
            }
            return;
        }
        swiftui::withTransaction(transaction, [&] {
            auto timedOut = foundation::makeURLError(foundation::NSURLErrorTimedOut, "Request timed out");
            const auto provider = weak.lock();
            if (!provider) {
                return;
            }
            // The status is not looked at: whatever body came is tried as an image.
            const auto image = data ? uikit::UIImage::fromData(*data, scale) : nullptr;
            provider->phase =
                image ? AsyncImagePhase::success(swiftui::Image(image)) : AsyncImagePhase::failure(std::move(timedOut));
        });
    }

    unsigned long loads_ = 0;
};

struct ContentBody {
    swiftui::StateObject<Provider> provider{[] { return std::make_shared<Provider>(); }};
    std::optional<foundation::URL> url;
    coregraphics::CGFloat scale;
    swiftui::Transaction transaction;
    double timeout;
    BackportAsyncImage::Content content;

    View body() const {
        const auto loader = provider.get();
        const auto phase = *loader->phase;
        return content(phase)
            .onAppear([loader, url = url, scale = scale, transaction = transaction, timeout = timeout] {
                loader->task(url, scale, transaction, timeout);
            })
            .onChange(url, std::function<void(const std::optional<foundation::URL>&)>(
                               [loader, scale = scale, transaction = transaction,
                                timeout = timeout](const std::optional<foundation::URL>& changed) {
                                   loader->task(changed, scale, transaction, timeout);
                               }));
    }
};

} // namespace

BackportAsyncImage::BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout)
    : BackportAsyncImage(std::move(url), scale, timeout, swiftui::Transaction(), [](const AsyncImagePhase& phase) {
          return View(phase.image().value_or(swiftui::Image(std::shared_ptr<uikit::UIImage>())));
      }) {}

BackportAsyncImage::BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout,
                                       std::function<View(const swiftui::Image&)> content,
                                       std::function<View()> placeholder)
    : BackportAsyncImage(
          std::move(url), scale, timeout, swiftui::Transaction(),
          [content = std::move(content), placeholder = std::move(placeholder)](const AsyncImagePhase& phase) {
              const auto image = phase.image();
              return swiftui::If(image.has_value(), image ? content(*image) : View(), image ? View() : placeholder());
          }) {}

BackportAsyncImage::BackportAsyncImage(std::optional<foundation::URL> url, coregraphics::CGFloat scale, double timeout,
                                       swiftui::Transaction transaction, Content content)
    : url(std::move(url)), scale(scale), transaction(std::move(transaction)), timeout(timeout),
      content(std::move(content)) {}

View BackportAsyncImage::body() const {
    return View(
        ContentBody{.url = url, .scale = scale, .transaction = transaction, .timeout = timeout, .content = content});
}

foundation::URL BackportAsyncImage_Previews::url() {
    return *foundation::URL::string("https://vybank.example/images/vy-id.png");
}

View BackportAsyncImage_Previews::previews() {
    using swiftui::Color;
    const auto framed = [](View view) { return view.frame(100, 100, swiftui::Alignment::center()); };
    return swiftui::VStack(
        {framed(BackportAsyncImage(url(), 2, 15)),
         framed(BackportAsyncImage(
             url(), 1, 15, [](const swiftui::Image& image) { return image.resizable().clipShape(swiftui::Circle()); },
             [] { return View(Color::black()); })),
         framed(BackportAsyncImage(
             url(), 1, 15, swiftui::Transaction(swiftui::Animation::linear()), [](const AsyncImagePhase& phase) {
                 if (const auto image = phase.image()) {
                     return image->resizable().aspectRatio(std::nullopt, swiftui::ContentMode::fit);
                 }
                 return View(phase.error() ? Color::red() : Color::blue());
             }))});
}

} // namespace vyd
