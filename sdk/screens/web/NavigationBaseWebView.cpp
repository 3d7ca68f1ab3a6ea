#include "sdk/screens/web/NavigationBaseWebView.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "platform/uikit/UINavigationItem.hpp"
#include "platform/uikit/UIProgressView.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "sdk/base/UIUtils.hpp"
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/ViewHelpers.hpp"

namespace vyd {
namespace {

using uikit::NSLayoutConstraint;

constexpr double barButtonSide = 44;
constexpr double barButtonImageInset = 10;
// Below the page the web view keeps room for the panel's grabber and the home indicator.
constexpr double bottomInsetBeyondSafeArea = 16 + 20;
constexpr double progressHideDelay = 1.0;

std::shared_ptr<uikit::UIViewController>
asViewController(const std::shared_ptr<NavigationBaseWebViewDelegateProtocol>& delegate) {
    return std::dynamic_pointer_cast<uikit::UIViewController>(delegate);
}

} // namespace

NavigationBaseWebView::NavigationBaseWebView(std::optional<uikit::UIColor> navigationColor)
    : uikit::UIView(uikit::CGRect::zero()), navigationColor_(std::move(navigationColor)) {}

std::shared_ptr<webkit::WKWebView> NavigationBaseWebView::webView() {
    if (!webView_) {
        webView_ = webkit::WKWebView::make();
        webView_->setAllowsBackForwardNavigationGestures(true);
        webView_->setOpaque(false);
        webView_->setBackgroundColor(palette::backgroundSecondary());
        webView_->setTranslatesAutoresizingMaskIntoConstraints(false);
        if (const auto window = UIUtils::currentActiveKeyWindow()) {
            // The window's top inset, not its bottom one, as the panel's own layout expects.
            const auto& scrollView = webView_->scrollView();
            scrollView->setContentInsetAdjustmentBehavior(uikit::UIScrollViewContentInsetAdjustmentBehavior::never);
            scrollView->setContentInset({0, 0, window->safeAreaInsets().top + bottomInsetBeyondSafeArea, 0});
        }
    }
    return webView_;
}

std::shared_ptr<uikit::UIBarButtonItem>
NavigationBaseWebView::barButton(const std::shared_ptr<uikit::UIImage>& image,
                                 void (NavigationBaseWebViewDelegateProtocol::*action)()) {
    auto button = uikit::UIButton::make(uikit::CGRect{0, 0, barButtonSide, barButtonSide});
    button->setImage(image, uikit::UIControlState::normal);
    button->setImageEdgeInsets({barButtonImageInset, barButtonImageInset, barButtonImageInset, barButtonImageInset});
    button->addTarget(
        [weak =
             std::weak_ptr<NavigationBaseWebView>(std::static_pointer_cast<NavigationBaseWebView>(shared_from_this())),
         action](uikit::UIControl&, const uikit::UIEvent*) {
            if (auto self = weak.lock()) {
                if (auto delegate = self->delegate()) {
                    ((*delegate).*action)();
                }
            }
        },
        uikit::UIControlEvents::touchUpInside);
    NSLayoutConstraint::activate({button->widthAnchor().constraintEqualToConstant(barButtonSide),
                                  button->heightAnchor().constraintEqualToConstant(barButtonSide)});
    return uikit::UIBarButtonItem::make(button);
}

std::shared_ptr<uikit::UIBarButtonItem> NavigationBaseWebView::closeBarButton() {
    if (!closeBarButton_) {
        closeBarButton_ =
            barButton(Asset::dsIc24CrossSmall.image(), &NavigationBaseWebViewDelegateProtocol::closeButtonPressed);
    }
    return closeBarButton_;
}

std::shared_ptr<uikit::UIBarButtonItem> NavigationBaseWebView::backBarButton() {
    if (!backBarButton_) {
        backBarButton_ =
            barButton(Asset::dsIc24ChevronLeftAlt1.image(), &NavigationBaseWebViewDelegateProtocol::backButtomPressed);
    }
    return backBarButton_;
}

std::shared_ptr<uikit::UIProgressView> NavigationBaseWebView::progressView() {
    if (!progressView_) {
        progressView_ = uikit::UIProgressView::make(uikit::UIProgressViewStyle::bar);
        progressView_->setProgressTintColor(uikit::UIColor::systemBlue());
        progressView_->setTranslatesAutoresizingMaskIntoConstraints(false);
    }
    return progressView_;
}

void NavigationBaseWebView::setupView(const std::shared_ptr<NavigationBaseWebViewDelegateProtocol>& delegate) {
    delegate_ = delegate;
    const auto controller = asViewController(delegate);
    const auto navigationController = controller ? controller->navigationController() : nullptr;

    uikit::UINavigationBarAppearance appearance;
    appearance.titleTextAttributes.foregroundColor = navigationColor_.value_or(palette::backgroundSecondary());
    appearance.configureWithOpaqueBackground();
    appearance.backgroundColor = navigationColor_;
    if (navigationController) {
        navigationController->navigationBar()->setStandardAppearance(appearance);
        navigationController->navigationBar()->setScrollEdgeAppearance(appearance);
    }
    setBackgroundColor(navigationColor_);

    addSubview(webView());
    webView_->setUIDelegate(delegate);
    webView_->setNavigationDelegate(delegate);
    if (controller) {
        controller->navigationItem()->setRightBarButtonItem(closeBarButton());
    }

    std::vector<NSLayoutConstraint::Pointer> constraints{
        webView_->topAnchor().constraintEqualTo(safeAreaLayoutGuide()->topAnchor()),
        webView_->leftAnchor().constraintEqualTo(leftAnchor()),
        webView_->rightAnchor().constraintEqualTo(rightAnchor()),
        webView_->bottomAnchor().constraintEqualTo(bottomAnchor()),
    };
    if (navigationController) {
        const auto& bar = navigationController->navigationBar();
        addCustomBottomLine(*navigationController, palette::borderPrimary(), 1);
        bar->addSubview(progressView());
        observeProgress();
        constraints.push_back(progressView_->leadingAnchor().constraintEqualTo(bar->leadingAnchor()));
        constraints.push_back(progressView_->trailingAnchor().constraintEqualTo(bar->trailingAnchor()));
        constraints.push_back(progressView_->bottomAnchor().constraintEqualTo(bar->bottomAnchor(), -1));
    }
    NSLayoutConstraint::activate(constraints);
}

void NavigationBaseWebView::observeProgress() {
    std::weak_ptr<NavigationBaseWebView> weak = std::static_pointer_cast<NavigationBaseWebView>(shared_from_this());
    observerWebViewEstimatedProgress_ = webView_->observeEstimatedProgress(
        foundation::NSKeyValueObservingOptions::new_,
        [weak](webkit::WKWebView&, const foundation::NSKeyValueObservedChange<double>& change) {
            const auto self = weak.lock();
            if (!self || !change.newValue) {
                return;
            }
            const double progress = *change.newValue;
            self->progressView_->setHidden(false);
            self->progressView_->setProgress(static_cast<float>(progress), true);
            if (progress >= 1.0) {
                foundation::DispatchQueue::main().asyncAfter(progressHideDelay, [weak] {
                    if (auto view = weak.lock()) {
                        view->progressView_->setHidden(true);
                        view->progressView_->setProgress(0, false);
                    }
                });
            }
        });
}

void NavigationBaseWebView::setTitle(const std::optional<std::string>&, const std::optional<std::string>& subtitle) {
    const auto controller = asViewController(delegate());
    if (!controller) {
        return;
    }
    vyd::setTitle(*controller->navigationItem(), subtitle, uikit::UIFont::systemFont(15, uikit::UIFontWeight::semibold),
                  palette::textSecondary(), std::nullopt, uikit::UIFont::systemFont(12), uikit::UIColor::white());
}

void NavigationBaseWebView::hideBackButton() {
    if (const auto controller = asViewController(delegate())) {
        controller->navigationItem()->setLeftBarButtonItem(nullptr);
    }
}

void NavigationBaseWebView::showBackButton() {
    if (const auto controller = asViewController(delegate())) {
        controller->navigationItem()->setLeftBarButtonItem(backBarButton());
    }
}

} // namespace vyd
