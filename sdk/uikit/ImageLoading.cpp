#include "sdk/uikit/ImageLoading.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIGraphicsImageRenderer.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/TimeMeasurement.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/services/FileServiceProtocol.hpp"
#include "sdk/services/ImageCacheProtocol.hpp"
#include "sdk/uikit/ViewShimmer.hpp"

#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vyd {

using uikit::UIImage;

namespace {

using CacheableCompletion = std::function<void(std::shared_ptr<UIImage>)>;

const std::shared_ptr<UIImage>* imageOf(const ImageResult& result) {
    return std::get_if<std::shared_ptr<UIImage>>(&result);
}

// What every load does with the network service: its result is handed on, unchanged, on a
// later turn of the main queue, a failure logged first.
void loadFromNetwork(const std::string& link, std::function<void(ImageResult)> next) {
    DIContainer::networkService()->loadImage(link, [link, next = std::move(next)](ImageResult result) mutable {
        foundation::DispatchQueue::main().async([link, next = std::move(next), result = std::move(result)]() mutable {
            if (!imageOf(result)) {
                Logger::log(L10n::Logs::loadImageError(link));
            }
            next(std::move(result));
        });
    });
}

// The callers waiting on each link's network load, so that loads of one link that overlap make
// one request and store its image once.
class PendingLoads {
public:
    static PendingLoads& shared() {
        static PendingLoads loads;
        return loads;
    }

    // True when the caller must start the load; false when one is running (the completion waits
    // for it) or the image arrived meanwhile (the completion has had it).
    bool join(const std::string& link, CacheableCompletion& completion) {
        std::unique_lock lock(mutex_);
        if (const auto it = waiting_.find(link); it != waiting_.end()) {
            it->second.push_back(std::move(completion));
            return false;
        }
        // A load that ended between the caller's cache lookup and now stored its image first.
        if (auto image = DIContainer::imageCache()->image(link)) {
            lock.unlock();
            completion(std::move(image));
            return false;
        }
        waiting_[link].push_back(std::move(completion));
        return true;
    }

    // Hands the image (or nothing) to everyone waiting on the link.
    void finish(const std::string& link, const std::shared_ptr<UIImage>& image) {
        std::vector<CacheableCompletion> completions;
        {
            std::lock_guard lock(mutex_);
            if (const auto it = waiting_.find(link); it != waiting_.end()) {
                completions = std::move(it->second);
                waiting_.erase(it);
            }
        }
        for (auto& completion : completions) {
            if (completion) {
                completion(image);
            }
        }
    }

private:
    std::mutex mutex_;
    std::unordered_map<std::string, std::vector<CacheableCompletion>> waiting_;
};

} // namespace

void loadImage(const std::optional<std::string>& from, std::function<void(ImageResult)> completion) {
    if (!from) {
        if (completion) {
            completion(NetworkRequestError::invalidRequest());
        }
        return;
    }
    loadFromNetwork(*from, [completion = std::move(completion)](ImageResult result) {
        if (completion) {
            completion(std::move(result));
        }
    });
}

void loadCacheableImage(const std::optional<std::string>& from, CacheableCompletion completion) {
    if (!completion) {
        completion = [](std::shared_ptr<UIImage>) {};
    }
    if (!from) {
        completion(nullptr);
        return;
    }
    const std::string& link = *from;
    const auto imageCache = DIContainer::imageCache();
    if (auto image = imageCache->image(link)) {
        completion(std::move(image));
        return;
    }
    if (auto image = DIContainer::fileService()->loadImage(link)) {
        imageCache->setImage(image, link);
        completion(std::move(image));
        return;
    }
    if (!PendingLoads::shared().join(link, completion)) {
        return;
    }
    TimeMeasurement::measureTime(L10n::Logs::loadImageFromNetwork(), [&] {
        loadFromNetwork(link, [link](ImageResult result) {
            foundation::DispatchQueue::main().async([link, result = std::move(result)] {
                const auto* loaded = imageOf(result);
                const auto image = loaded ? *loaded : nullptr;
                if (image) {
                    DIContainer::imageCache()->setImage(image, link);
                    DIContainer::fileService()->saveImage(image, link);
                }
                PendingLoads::shared().finish(link, image);
            });
        });
    });
}

std::shared_ptr<UIImage> scaleToSize(const std::shared_ptr<UIImage>& image, const coregraphics::CGSize& size) {
    if (!image) {
        return nullptr;
    }
    uikit::UIGraphicsBeginImageContextWithOptions(size, false, 0);
    image->draw({{0, 0}, size});
    auto scaled = uikit::UIGraphicsGetImageFromCurrentImageContext();
    uikit::UIGraphicsEndImageContext();
    return scaled ? scaled : image;
}

std::shared_ptr<UIImage> imageWithSymbolName(std::string_view symbolName) {
    return UIImage::named(std::string(symbolName), sdkBundle());
}

void setImage(const std::shared_ptr<uikit::UIImageView>& imageView, const std::optional<std::string>& link) {
    if (!imageView || !link) {
        return;
    }
    loadFromNetwork(*link, [imageView](ImageResult result) {
        if (const auto* image = imageOf(result)) {
            imageView->setImage(*image);
        }
    });
}

void setImage(const std::shared_ptr<uikit::UIImageView>& imageView, const std::optional<std::string>& link,
              bool hideOnFailure, uikit::UIImageRenderingMode renderingMode) {
    if (!imageView) {
        return;
    }
    imageView->setHidden(false);
    startShimmering(imageView);
    const std::weak_ptr<uikit::UIImageView> weakView = imageView;
    auto settle = [weakView, hideOnFailure, renderingMode](const ImageResult& result) {
        const auto view = weakView.lock();
        if (!view) {
            return;
        }
        stopShimmering(*view);
        if (const auto* image = imageOf(result)) {
            view->setImage(*image ? (*image)->withRenderingMode(renderingMode) : nullptr);
        } else {
            view->setHidden(hideOnFailure);
        }
    };
    if (!link) {
        foundation::DispatchQueue::main().async([settle] { settle(NetworkRequestError::invalidRequest()); });
        return;
    }
    loadFromNetwork(*link, [settle](ImageResult result) {
        foundation::DispatchQueue::main().async([settle, result = std::move(result)] { settle(result); });
    });
}

} // namespace vyd
