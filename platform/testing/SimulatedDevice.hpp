#pragma once

// The simulated device: the screen, the device's orientation and appearance, the safe-area
// insets, one foreground-active window scene with a key window and its root view controller,
// and the apps installed beside the app (the application's registry of URL schemes) with the
// URLs the app opened.
//
// One device is meant to live at a time (one per test): making it sets the process-wide
// platform state up, destroying it puts that state back as a fresh process has it (screen,
// insets, orientation, idiom, appearance, the application and the keyboard). Main thread only.

#include "platform/foundation/URL.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIDevice.hpp"
#include "platform/uikit/UIEdgeInsets.hpp"
#include "platform/uikit/UIScene.hpp"
#include "platform/uikit/UITraitCollection.hpp"

#include <memory>
#include <string>
#include <vector>

namespace uikit {
class UIViewController;
class UIWindow;
class UIWindowScene;
} // namespace uikit

namespace testing {

class SimulatedDevice {
public:
    struct Configuration {
        // A current iPhone in portrait: 390 x 844 points, status bar and home indicator.
        coregraphics::CGSize screenSize{390, 844};
        uikit::UIEdgeInsets safeAreaInsets{47, 0, 34, 0};
        uikit::UIDeviceOrientation orientation = uikit::UIDeviceOrientation::portrait;
        uikit::UIUserInterfaceIdiom idiom = uikit::UIUserInterfaceIdiom::phone;
        uikit::UIUserInterfaceStyle style = uikit::UIUserInterfaceStyle::light;
    };

    SimulatedDevice();
    explicit SimulatedDevice(const Configuration& configuration);
    ~SimulatedDevice();
    SimulatedDevice(const SimulatedDevice&) = delete;
    SimulatedDevice& operator=(const SimulatedDevice&) = delete;

    const std::shared_ptr<uikit::UIWindowScene>& scene() const { return scene_; }
    // Key and visible, with a plain view controller as root until another is set.
    const std::shared_ptr<uikit::UIWindow>& keyWindow() const { return window_; }
    std::shared_ptr<uikit::UIViewController> rootViewController() const;
    void setRootViewController(std::shared_ptr<uikit::UIViewController> rootViewController);
    // The view controller on top: the last one presented over the root, else the root.
    std::shared_ptr<uikit::UIViewController> topViewController() const;

    // Installed apps, by the URL scheme they handle.
    void installApp(const std::string& scheme);
    void uninstallApp(const std::string& scheme);
    // The URLs the app opened (in another app or the browser), in order, and every request with
    // its outcome.
    std::vector<foundation::URL> openedURLs() const;
    std::vector<uikit::UIApplication::OpenURLRecord> openURLRecords() const;
    void clearOpenedURLs();

    // Refused with a message on standard error (and nothing changed): insets that are negative
    // or not finite, or that leave no room on the screen; an orientation or activation state
    // the platform does not define.
    bool setSafeAreaInsets(const uikit::UIEdgeInsets& insets);
    bool setOrientation(uikit::UIDeviceOrientation orientation);
    bool setActivationState(uikit::UISceneActivationState state);
    void setUserInterfaceIdiom(uikit::UIUserInterfaceIdiom idiom);
    // Light or dark: the device's traits change and every window's views hear of it
    // (traitCollectionDidChange, dynamic colours resolved again).
    void setUserInterfaceStyle(uikit::UIUserInterfaceStyle style);
    uikit::UIUserInterfaceStyle userInterfaceStyle() const;

    // An application delegate that keeps `window` (the key window when none is given) as its
    // window, or one without a window property, or none at all.
    void setApplicationDelegateWindow(std::shared_ptr<uikit::UIWindow> window = nullptr);
    void setApplicationDelegateWithoutWindow();
    void removeApplicationDelegate();

    // Runs what is due on the main queue (layout passes, posted completions) until idle.
    static void settle();

private:
    std::shared_ptr<uikit::UIWindowScene> scene_;
    std::shared_ptr<uikit::UIWindow> window_;
};

} // namespace testing
