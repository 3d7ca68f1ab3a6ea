#pragma once

// Recording stand-ins shared by the view controller, presentation and transition tests: each
// writes what it is told into one event log, so that a test can check the order of callbacks
// across view controllers, presentation controllers, animators and delegates.

#include "UIKitTestSupport.hpp"

#include "platform/testing/SimulatedDevice.hpp"
#include "platform/uikit/UIPercentDrivenInteractiveTransition.hpp"
#include "platform/uikit/UIPresentationController.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIViewPropertyAnimator.hpp"
#include "platform/uikit/UIWindow.hpp"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace controllertests {

using namespace uikittests;
using Log = std::vector<std::string>;

inline std::string flag(bool value) { return value ? "true" : "false"; }

// Entries of `log` that start with one of the prefixes, in order.
inline Log only(const Log& log, const std::vector<std::string>& prefixes) {
    Log kept;
    for (const auto& entry : log) {
        for (const auto& prefix : prefixes) {
            if (entry.rfind(prefix, 0) == 0) {
                kept.push_back(entry);
                break;
            }
        }
    }
    return kept;
}

class RecordingController : public UIViewController {
public:
    RecordingController(std::string name, std::shared_ptr<Log> log) : name_(std::move(name)), log_(std::move(log)) {}

    void loadView() override {
        record("loadView");
        UIViewController::loadView();
    }
    void viewDidLoad() override { record("viewDidLoad"); }
    void viewWillAppear(bool animated) override { record("viewWillAppear(" + flag(animated) + ")"); }
    void viewDidAppear(bool animated) override { record("viewDidAppear(" + flag(animated) + ")"); }
    void viewWillDisappear(bool animated) override { record("viewWillDisappear(" + flag(animated) + ")"); }
    void viewDidDisappear(bool animated) override { record("viewDidDisappear(" + flag(animated) + ")"); }
    void willMove(const Pointer& toParent) override {
        record("willMove(" + (toParent ? std::string("parent") : std::string("nil")) + ")");
    }
    void didMove(const Pointer& toParent) override {
        record("didMove(" + (toParent ? std::string("parent") : std::string("nil")) + ")");
        UIViewController::didMove(toParent);
    }

private:
    void record(const std::string& event) { log_->push_back(name_ + "." + event); }

    std::string name_;
    std::shared_ptr<Log> log_;
};

// Rests the presented view in the lower half of the container.
class RecordingPresentationController : public UIPresentationController {
public:
    RecordingPresentationController(const std::shared_ptr<UIViewController>& presented,
                                    const std::shared_ptr<UIViewController>& presenting, std::shared_ptr<Log> log)
        : UIPresentationController(presented, presenting), log_(std::move(log)) {}

    CGRect frameOfPresentedViewInContainerView() const override {
        const auto container = containerView();
        if (!container) {
            return CGRect::zero();
        }
        const CGRect b = container->bounds();
        return {0, b.size.height / 2, b.size.width, b.size.height / 2};
    }

    void presentationTransitionWillBegin() override {
        log_->push_back("pc.presentationTransitionWillBegin");
        if (const auto coordinator = presentedViewController()->transitionCoordinator()) {
            coordinator->animate(
                [this](const UIViewControllerTransitionCoordinatorContext&) { log_->push_back("alongside"); },
                [this](const UIViewControllerTransitionCoordinatorContext& context) {
                    log_->push_back("coordinator.completion(cancelled=" + flag(context.isCancelled()) + ")");
                });
        }
    }
    void presentationTransitionDidEnd(bool completed) override {
        log_->push_back("pc.presentationTransitionDidEnd(" + flag(completed) + ")");
    }
    void dismissalTransitionWillBegin() override { log_->push_back("pc.dismissalTransitionWillBegin"); }
    void dismissalTransitionDidEnd(bool completed) override {
        log_->push_back("pc.dismissalTransitionDidEnd(" + flag(completed) + ")");
    }

private:
    std::shared_ptr<Log> log_;
};

// Slides the presented view over `duration` with a property animator; the transition completes
// when that animator does.
class RecordingAnimator : public UIViewControllerAnimatedTransitioning {
public:
    RecordingAnimator(bool presenting, std::shared_ptr<Log> log) : presenting_(presenting), log_(std::move(log)) {}

    static constexpr double duration = 0.4;

    double transitionDuration(const std::shared_ptr<UIViewControllerContextTransitioning>&) override {
        log_->push_back("animator.transitionDuration");
        return duration;
    }

    // Slides the presented view in from below, or the dismissed one out.
    void animateTransition(const std::shared_ptr<UIViewControllerContextTransitioning>& context) override {
        log_->push_back("animator.animateTransition");
        lastContext = context;
        const auto container = context->containerView();
        const auto view =
            context->view(presenting_ ? UITransitionContextViewKey::to : UITransitionContextViewKey::from);
        const auto presented = context->viewController(UITransitionContextViewControllerKey::to);
        const CGRect rest = presenting_ ? context->finalFrame(presented) : view->frame();
        const CGRect below{rest.origin.x, container->bounds().size.height, rest.size.width, rest.size.height};
        if (presenting_) {
            view->setFrame(below);
            container->addSubview(view);
        }
        const auto animator = UIViewPropertyAnimator::make(duration, UIViewAnimationCurve::easeInOut);
        animator->addAnimations([view, to = presenting_ ? rest : below] { view->setFrame(to); });
        animator->addCompletion([this, context, view](UIViewAnimatingPosition position) {
            log_->push_back(std::string("animator.completion(") +
                            (position == UIViewAnimatingPosition::end ? "end" : "start") + ")");
            if (!presenting_) {
                view->removeFromSuperview();
            }
            context->completeTransition(position == UIViewAnimatingPosition::end);
        });
        animator->startAnimation();
    }

    void animationEnded(bool completed) override {
        log_->push_back("animator.animationEnded(" + flag(completed) + ")");
    }

    std::shared_ptr<UIViewControllerContextTransitioning> lastContext;

private:
    bool presenting_;
    std::shared_ptr<Log> log_;
};

class RecordingDelegate : public UIViewControllerTransitioningDelegate {
public:
    explicit RecordingDelegate(std::shared_ptr<Log> log) : log_(std::move(log)) {}

    std::shared_ptr<UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<UIViewController>&, const std::shared_ptr<UIViewController>&,
                        const std::shared_ptr<UIViewController>&) override {
        log_->push_back("delegate.animationControllerForPresented");
        presentAnimator = std::make_shared<RecordingAnimator>(true, log_);
        return presentAnimator;
    }
    std::shared_ptr<UIViewControllerAnimatedTransitioning>
    animationController(const std::shared_ptr<UIViewController>&) override {
        log_->push_back("delegate.animationControllerForDismissed");
        return std::make_shared<RecordingAnimator>(false, log_);
    }
    std::shared_ptr<UIViewControllerInteractiveTransitioning>
    interactionControllerForPresentation(const std::shared_ptr<UIViewControllerAnimatedTransitioning>&) override {
        log_->push_back("delegate.interactionControllerForPresentation");
        return nullptr;
    }
    std::shared_ptr<UIViewControllerInteractiveTransitioning>
    interactionControllerForDismissal(const std::shared_ptr<UIViewControllerAnimatedTransitioning>&) override {
        log_->push_back("delegate.interactionControllerForDismissal");
        return nullptr;
    }
    std::shared_ptr<UIPresentationController>
    presentationController(const std::shared_ptr<UIViewController>& presented,
                           const std::shared_ptr<UIViewController>& presenting,
                           const std::shared_ptr<UIViewController>&) override {
        log_->push_back("delegate.presentationController");
        presentation = std::make_shared<RecordingPresentationController>(presented, presenting, log_);
        return presentation;
    }

    std::shared_ptr<RecordingPresentationController> presentation;
    std::shared_ptr<RecordingAnimator> presentAnimator;

private:
    std::shared_ptr<Log> log_;
};

// A simulated device on the manual clock, with a recording root view controller.
class ControllerTest : public ClockTest {
protected:
    void SetUp() override {
        ClockTest::SetUp();
        device = std::make_unique<testing::SimulatedDevice>();
        root = controller("root");
        device->setRootViewController(root);
        log->clear();
    }

    void TearDown() override {
        device.reset();
        ClockTest::TearDown();
    }

    std::shared_ptr<RecordingController> controller(const std::string& name) {
        return UIViewController::create<RecordingController>(name, log);
    }

    // Adds `child` with its view to `parent`, as a container view controller does.
    static void embed(const std::shared_ptr<UIViewController>& parent, const std::shared_ptr<UIViewController>& child) {
        parent->addChild(child);
        parent->view()->addSubview(child->view());
        child->didMove(parent);
    }

    std::shared_ptr<RecordingDelegate> customDelegate(const std::shared_ptr<UIViewController>& presented) {
        auto delegate = std::make_shared<RecordingDelegate>(log);
        presented->setModalPresentationStyle(UIModalPresentationStyle::custom);
        presented->setTransitioningDelegate(delegate);
        return delegate;
    }

    std::shared_ptr<Log> log = std::make_shared<Log>();
    std::unique_ptr<testing::SimulatedDevice> device;
    std::shared_ptr<RecordingController> root;
};

} // namespace controllertests
