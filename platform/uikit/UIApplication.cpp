#include "platform/uikit/UIApplication.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>
#include <cassert>
#include <cctype>

namespace uikit {

namespace {

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool isTrue(const std::any& value) {
    if (const bool* flag = std::any_cast<bool>(&value)) {
        return *flag;
    }
    if (const int* number = std::any_cast<int>(&value)) {
        return *number != 0;
    }
    return false;
}

} // namespace

UIApplication& UIApplication::shared() {
    static UIApplication application;
    return application;
}

void UIApplication::connect(const std::shared_ptr<UIScene>& scene) {
    assert(foundation::isMainThread());
    if (!scene || std::find(scenes_.begin(), scenes_.end(), scene) != scenes_.end()) {
        return;
    }
    scenes_.push_back(scene);
    if (scene->activationState() == UISceneActivationState::unattached) {
        scene->setActivationState(UISceneActivationState::foregroundInactive);
    }
}

std::vector<std::shared_ptr<UIWindow>> UIApplication::windows() const { return UIWindow::allWindows(); }

bool UIApplication::opens(const foundation::URL& url, const OpenExternalURLOptions& options) const {
    const auto universal = options.find(universalLinksOnly);
    if (universal != options.end() && isTrue(universal->second)) {
        // Only an app that claims the link would take it, and no installed app claims links.
        return false;
    }
    if (!url.scheme() || url.scheme()->empty()) {
        return false;
    }
    const std::string scheme = lowercased(*url.scheme());
    if (scheme == "http" || scheme == "https") {
        return true;
    }
    std::lock_guard lock(mutex_);
    return installedSchemes_.count(scheme) > 0;
}

bool UIApplication::canOpenURL(const foundation::URL& url) const { return opens(url, {}); }

void UIApplication::open(const foundation::URL& url, const OpenExternalURLOptions& options,
                         std::function<void(bool success)> completion) {
    assert(foundation::isMainThread());
    const bool opened = opens(url, options);
    {
        std::lock_guard lock(mutex_);
        records_.push_back({url, options, opened});
    }
    if (completion) {
        foundation::DispatchQueue::main().async([completion = std::move(completion), opened] { completion(opened); });
    }
}

void UIApplication::installApp(const std::string& scheme) {
    std::lock_guard lock(mutex_);
    installedSchemes_.insert(lowercased(scheme));
}

void UIApplication::uninstallApp(const std::string& scheme) {
    std::lock_guard lock(mutex_);
    installedSchemes_.erase(lowercased(scheme));
}

std::set<std::string> UIApplication::installedURLSchemes() const {
    std::lock_guard lock(mutex_);
    return installedSchemes_;
}

std::vector<UIApplication::OpenURLRecord> UIApplication::openURLRecords() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<foundation::URL> UIApplication::openedURLs() const {
    std::lock_guard lock(mutex_);
    std::vector<foundation::URL> opened;
    for (const auto& record : records_) {
        if (record.opened) {
            opened.push_back(record.url);
        }
    }
    return opened;
}

void UIApplication::clearOpenURLRecords() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

void UIApplication::reset() {
    for (const auto& scene : scenes_) {
        scene->setActivationState(UISceneActivationState::unattached);
    }
    scenes_.clear();
    delegate_.reset();
    keyWindow_.reset();
    std::lock_guard lock(mutex_);
    installedSchemes_.clear();
    records_.clear();
}

} // namespace uikit
