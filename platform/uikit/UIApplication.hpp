#pragma once

// The application: its connected scenes, its key window, an optional delegate, and the opening
// of URLs in other apps.
//
// Opening URLs is answered from the registry of installed apps that the simulated device keeps
// here: an app is known by the URL scheme it handles (compared without regard to case, as
// schemes are); "http" and "https" always open (the browser is always there), except with the
// universal-links-only option, which no installed app claims here. Every request to open a URL
// is recorded with its outcome. Main thread only, but for the registry and the records, which
// any thread may read.

#include "platform/foundation/URL.hpp"

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace uikit {

class UIScene;
class UIWindow;

// The application's delegate. Its members are optional on the platform; only the window is read
// here, through the separate interface below.
class UIApplicationDelegate {
public:
    virtual ~UIApplicationDelegate() = default;
};

// The optional `window` property of an application delegate: a delegate that keeps its window
// (rather than leaving windows to scene delegates) derives from this too.
class UIApplicationDelegateWindow {
public:
    virtual ~UIApplicationDelegateWindow() = default;
    virtual std::shared_ptr<UIWindow> window() const = 0;
};

class UIApplication {
public:
    // The platform's OpenExternalURLOptionsKey values and the options dictionary.
    using OpenExternalURLOptions = std::map<std::string, std::any>;
    static constexpr const char* universalLinksOnly = "UIApplicationOpenURLOptionUniversalLinksOnly";

    struct OpenURLRecord {
        foundation::URL url;
        OpenExternalURLOptions options;
        bool opened = false;
    };

    static UIApplication& shared();

    // Held strongly, as the application's main function holds the delegate it makes.
    std::shared_ptr<UIApplicationDelegate> delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<UIApplicationDelegate> delegate) { delegate_ = std::move(delegate); }

    // The connected scenes, in the order they connected.
    const std::vector<std::shared_ptr<UIScene>>& connectedScenes() const { return scenes_; }
    // Connecting makes an unattached scene foreground-inactive.
    void connect(const std::shared_ptr<UIScene>& scene);

    // The window that receives keyboard and other non-touch events, if any.
    std::shared_ptr<UIWindow> keyWindow() const { return keyWindow_.lock(); }
    void setKeyWindow(const std::shared_ptr<UIWindow>& window) { keyWindow_ = window; }
    // Every live window (see UIWindow::allWindows).
    std::vector<std::shared_ptr<UIWindow>> windows() const;

    // Whether an installed app (or the browser) handles the URL.
    bool canOpenURL(const foundation::URL& url) const;
    // Records the request and, on the next turn of the main queue, calls the completion with
    // whether the URL opened.
    void open(const foundation::URL& url, const OpenExternalURLOptions& options = {},
              std::function<void(bool success)> completion = {});

    // The registry of installed apps, by URL scheme.
    void installApp(const std::string& scheme);
    void uninstallApp(const std::string& scheme);
    std::set<std::string> installedURLSchemes() const;
    // Every request to open a URL, in order, and the URLs that did open.
    std::vector<OpenURLRecord> openURLRecords() const;
    std::vector<foundation::URL> openedURLs() const;
    void clearOpenURLRecords();

    // Back to a fresh application: no delegate, scenes, key window, installed apps or records.
    // For tests and the simulated device.
    void reset();

    UIApplication(const UIApplication&) = delete;
    UIApplication& operator=(const UIApplication&) = delete;

private:
    UIApplication() = default;
    bool opens(const foundation::URL& url, const OpenExternalURLOptions& options) const;

    std::shared_ptr<UIApplicationDelegate> delegate_;
    std::vector<std::shared_ptr<UIScene>> scenes_;
    std::weak_ptr<UIWindow> keyWindow_;

    mutable std::mutex mutex_;
    std::set<std::string> installedSchemes_;
    std::vector<OpenURLRecord> records_;
};

} // namespace uikit
