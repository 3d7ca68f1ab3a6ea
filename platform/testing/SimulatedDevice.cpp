#include "platform/testing/SimulatedDevice.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedKeyboard.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <cmath>
#include <iostream>

namespace testing {

using uikit::UIApplication;

namespace {

class WindowKeepingDelegate final : public uikit::UIApplicationDelegate, public uikit::UIApplicationDelegateWindow {
public:
    explicit WindowKeepingDelegate(std::shared_ptr<uikit::UIWindow> window) : window_(std::move(window)) {}
    std::shared_ptr<uikit::UIWindow> window() const override { return window_; }

private:
    std::shared_ptr<uikit::UIWindow> window_;
};

class WindowlessDelegate final : public uikit::UIApplicationDelegate {};

void applyStyle(uikit::UIUserInterfaceStyle style) {
    uikit::UITraitCollection::setCurrent(uikit::UITraitCollection::combining(
        {uikit::UITraitCollection::current(), uikit::UITraitCollection::withUserInterfaceStyle(style)}));
    for (const auto& window : uikit::UIWindow::allWindows()) {
        window->updateTraitsIfNeeded();
    }
}

} // namespace

SimulatedDevice::SimulatedDevice() : SimulatedDevice(Configuration{}) {}

SimulatedDevice::SimulatedDevice(const Configuration& configuration) {
    auto& application = UIApplication::shared();
    application.reset();
    SimulatedKeyboard::reset();
    if (!uikit::UIScreen::main().setBounds({0, 0, configuration.screenSize.width, configuration.screenSize.height})) {
        uikit::UIScreen::main().setBounds({0, 0, 390, 844});
    }
    uikit::UIDevice::current().setOrientation(configuration.orientation);
    uikit::UIDevice::current().setUserInterfaceIdiom(configuration.idiom);
    applyStyle(configuration.style);
    if (!setSafeAreaInsets(configuration.safeAreaInsets)) {
        uikit::UIWindow::setDeviceSafeAreaInsets({});
    }

    scene_ = uikit::UIWindowScene::make();
    application.connect(scene_);
    scene_->setActivationState(uikit::UISceneActivationState::foregroundActive);
    window_ = uikit::UIWindow::make(scene_);
    window_->setRootViewController(uikit::UIViewController::make());
    window_->makeKeyAndVisible();
}

SimulatedDevice::~SimulatedDevice() {
    if (window_) {
        window_->setRootViewController(nullptr);
    }
    window_.reset();
    scene_.reset();
    UIApplication::shared().reset();
    SimulatedKeyboard::reset();
    uikit::UIScreen::main().setBounds({0, 0, 390, 844});
    uikit::UIScreen::main().setScale(3);
    uikit::UIWindow::setDeviceSafeAreaInsets({});
    uikit::UIDevice::current().setOrientation(uikit::UIDeviceOrientation::portrait);
    uikit::UIDevice::current().setUserInterfaceIdiom(uikit::UIUserInterfaceIdiom::phone);
    uikit::UITraitCollection::setCurrent(uikit::UITraitCollection::combining(
        {uikit::UITraitCollection::withUserInterfaceStyle(uikit::UIUserInterfaceStyle::light),
         uikit::UITraitCollection::withDisplayScale(3)}));
}

std::shared_ptr<uikit::UIViewController> SimulatedDevice::rootViewController() const {
    return window_->rootViewController();
}

void SimulatedDevice::setRootViewController(std::shared_ptr<uikit::UIViewController> rootViewController) {
    window_->setRootViewController(std::move(rootViewController));
}

std::shared_ptr<uikit::UIViewController> SimulatedDevice::topViewController() const {
    auto top = window_->rootViewController();
    while (top && top->presentedViewController()) {
        top = top->presentedViewController();
    }
    return top;
}

void SimulatedDevice::installApp(const std::string& scheme) { UIApplication::shared().installApp(scheme); }

void SimulatedDevice::uninstallApp(const std::string& scheme) { UIApplication::shared().uninstallApp(scheme); }

std::vector<foundation::URL> SimulatedDevice::openedURLs() const { return UIApplication::shared().openedURLs(); }

std::vector<UIApplication::OpenURLRecord> SimulatedDevice::openURLRecords() const {
    return UIApplication::shared().openURLRecords();
}

void SimulatedDevice::clearOpenedURLs() { UIApplication::shared().clearOpenURLRecords(); }

bool SimulatedDevice::setSafeAreaInsets(const uikit::UIEdgeInsets& insets) {
    const auto screen = uikit::UIScreen::main().bounds().size;
    const bool finite = std::isfinite(insets.top) && std::isfinite(insets.left) && std::isfinite(insets.bottom) &&
                        std::isfinite(insets.right);
    if (finite && (insets.top + insets.bottom >= screen.height || insets.left + insets.right >= screen.width)) {
        std::cerr << "SimulatedDevice: safe-area insets (" << insets.top << ", " << insets.left << ", " << insets.bottom
                  << ", " << insets.right << ") leave no room on a " << screen.width << " x " << screen.height
                  << " screen; the insets stay as they were.\n";
        return false;
    }
    return uikit::UIWindow::setDeviceSafeAreaInsets(insets);
}

bool SimulatedDevice::setOrientation(uikit::UIDeviceOrientation orientation) {
    return uikit::UIDevice::current().setOrientation(orientation);
}

bool SimulatedDevice::setActivationState(uikit::UISceneActivationState state) {
    return scene_->setActivationState(state);
}

void SimulatedDevice::setUserInterfaceIdiom(uikit::UIUserInterfaceIdiom idiom) {
    uikit::UIDevice::current().setUserInterfaceIdiom(idiom);
}

void SimulatedDevice::setUserInterfaceStyle(uikit::UIUserInterfaceStyle style) { applyStyle(style); }

uikit::UIUserInterfaceStyle SimulatedDevice::userInterfaceStyle() const {
    return uikit::UITraitCollection::current().userInterfaceStyle();
}

void SimulatedDevice::setApplicationDelegateWindow(std::shared_ptr<uikit::UIWindow> window) {
    UIApplication::shared().setDelegate(std::make_shared<WindowKeepingDelegate>(window ? std::move(window) : window_));
}

void SimulatedDevice::setApplicationDelegateWithoutWindow() {
    UIApplication::shared().setDelegate(std::make_shared<WindowlessDelegate>());
}

void SimulatedDevice::removeApplicationDelegate() { UIApplication::shared().setDelegate(nullptr); }

void SimulatedDevice::settle() { foundation::RunLoop::main().runUntilIdle(); }

} // namespace testing
