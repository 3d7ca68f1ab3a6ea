#include "ControllerTestsSupport.hpp"

#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <gmock/gmock.h>

#include <optional>
#include <utility>

using namespace controllertests;
using ::testing::ElementsAre;

namespace {

using WindowSceneTest = ControllerTest;

class TraitRecordingView : public UIView {
public:
    using UIView::UIView;
    std::vector<UIUserInterfaceStyle> changes;

protected:
    void traitCollectionDidChange(const UITraitCollection& /*previous*/) override {
        changes.push_back(traitCollection().userInterfaceStyle());
    }
};

TEST_F(WindowSceneTest, WindowsStartHiddenOneIsKeyAndScenesKeepThemWeakly) {
    auto window = UIWindow::make(device->scene());
    EXPECT_TRUE(window->isHidden()) << "windows are made hidden";
    EXPECT_EQ(window->frame(), UIScreen::main().bounds());
    window->makeKeyAndVisible();
    EXPECT_FALSE(window->isHidden());
    EXPECT_FALSE(device->keyWindow()->isKeyWindow()) << "the previous key window resigns";
    EXPECT_EQ(UIApplication::shared().keyWindow(), window);
    EXPECT_EQ(device->scene()->keyWindow(), window);
    EXPECT_THAT(device->scene()->windows(), ElementsAre(device->keyWindow(), window));

    window.reset();
    EXPECT_EQ(device->scene()->windows().size(), 1u) << "a window that nobody keeps leaves its scene";
}

TEST_F(WindowSceneTest, DeviceStyleChangesReachTheTraitsAndColoursOfTheWindowsViews) {
    const auto view = UIView::create<TraitRecordingView>(CGRect{0, 0, 10, 10});
    root->view()->addSubview(view);
    view->setBackgroundColor(UIColor([](const UITraitCollection& traits) {
        return traits.userInterfaceStyle() == UIUserInterfaceStyle::dark ? UIColor::white() : UIColor::black();
    }));
    view->updateTraitsIfNeeded();
    view->changes.clear();
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::black().cgColor());

    device->setUserInterfaceStyle(UIUserInterfaceStyle::dark);
    EXPECT_EQ(root->traitCollection().userInterfaceStyle(), UIUserInterfaceStyle::dark);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::white().cgColor()) << "dynamic colours resolve again";
    device->setUserInterfaceStyle(UIUserInterfaceStyle::light);
    EXPECT_EQ(view->layer()->backgroundColor(), UIColor::black().cgColor());
    EXPECT_THAT(view->changes, ElementsAre(UIUserInterfaceStyle::dark, UIUserInterfaceStyle::light));
}

TEST_F(WindowSceneTest, WindowRunsALayoutPassOnTheNextTurnOfTheMainQueue) {
    const auto child = UIView::make();
    child->setTranslatesAutoresizingMaskIntoConstraints(false);
    root->view()->addSubview(child);
    NSLayoutConstraint::activate({
        child->widthAnchor().constraintEqualToConstant(100),
        child->heightAnchor().constraintEqualToConstant(40),
        child->centerXAnchor().constraintEqualTo(root->view()->centerXAnchor()),
        child->topAnchor().constraintEqualTo(root->view()->safeAreaLayoutGuide()->topAnchor()),
    });
    EXPECT_EQ(child->frame(), CGRect::zero()) << "constraints take effect at the next layout pass";
    drain();
    EXPECT_EQ(child->frame(), (CGRect{145, 47, 100, 40}));
}

using ApplicationOpenURLTest = ControllerTest;

foundation::URL url(const std::string& text) { return foundation::URL::string(text).value(); }

TEST_F(ApplicationOpenURLTest, OnlyInstalledSchemesAndTheBrowserOpen) {
    auto& application = UIApplication::shared();
    device->installApp("vybank");
    device->installApp("VYID-Auth");

    const std::pair<const char*, bool> cases[] = {
        {"vybank://auth?state=1", true},      {"VYBANK://auth", true},     {"vyid-auth://login", true},
        {"https://vy.example/path", true},    {"http://vy.example", true}, {"vybank2://auth", false},
        {"mailto:someone@vy.example", false}, {"relative/path", false},
    };
    for (const auto& [link, opens] : cases) {
        EXPECT_EQ(application.canOpenURL(url(link)), opens) << link;
    }

    device->uninstallApp("VYBANK");
    EXPECT_FALSE(application.canOpenURL(url("vybank://auth"))) << "schemes compare without regard to case";
}

TEST_F(ApplicationOpenURLTest, OpeningRecordsEveryRequestAndCompletesOnTheNextTurn) {
    auto& application = UIApplication::shared();
    device->installApp("vybank");
    std::optional<bool> openedInstalled;
    std::optional<bool> openedMissing;

    application.open(url("vybank://auth"), {}, [&](bool success) { openedInstalled = success; });
    application.open(url("otherbank://auth"), {}, [&](bool success) { openedMissing = success; });
    application.open(url("https://vy.example"));
    EXPECT_FALSE(openedInstalled.has_value()) << "the completion waits for the main queue";
    drain();
    EXPECT_EQ(openedInstalled, true);
    EXPECT_EQ(openedMissing, false);
    EXPECT_EQ(device->openURLRecords().size(), 3u);
    EXPECT_EQ(device->openedURLs().size(), 2u) << "the request no app took is not among the opened ones";
}

TEST_F(ApplicationOpenURLTest, UniversalLinksOnlyOpensNothingThatNoAppClaims) {
    device->installApp("vybank");
    for (const bool universalLinksOnly : {true, false}) {
        std::optional<bool> opened;
        const UIApplication::OpenExternalURLOptions options{{UIApplication::universalLinksOnly, universalLinksOnly}};
        UIApplication::shared().open(url("https://vy.example"), options, [&](bool success) { opened = success; });
        drain();
        EXPECT_EQ(opened, !universalLinksOnly) << "the browser takes no universal-links-only request";
    }
}

} // namespace
