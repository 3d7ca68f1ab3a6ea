#include "sdk/base/UIUtils.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <gtest/gtest.h>

using uikit::UIApplication;
using uikit::UISceneActivationState;

namespace {

class UIUtilsTest : public ::testing::Test {
protected:
    void SetUp() override { UIApplication::shared().reset(); }
    void TearDown() override {
        UIApplication::shared().reset();
        foundation::RunLoop::main().runUntilIdle();
    }

    std::shared_ptr<uikit::UIWindowScene> connectScene(UISceneActivationState state) {
        auto scene = uikit::UIWindowScene::make();
        UIApplication::shared().connect(scene);
        scene->setActivationState(state);
        return scene;
    }
};

} // namespace

TEST_F(UIUtilsTest, KeyWindowOfAnyConnectedSceneButTheActiveOneOnlyInTheForeground) {
    const auto background = connectScene(UISceneActivationState::background);
    const auto window = uikit::UIWindow::make(background);
    const auto other = uikit::UIWindow::make(background);
    window->makeKey();
    EXPECT_EQ(vyd::UIUtils::currentKeyWindow(), window);
    EXPECT_EQ(vyd::UIUtils::currentActiveKeyWindow(), nullptr);

    background->setActivationState(UISceneActivationState::foregroundActive);
    EXPECT_EQ(vyd::UIUtils::currentActiveKeyWindow(), window);

    other->makeKey();
    EXPECT_EQ(vyd::UIUtils::currentKeyWindow(), other);
}

TEST_F(UIUtilsTest, KeyWindowMustBelongToAConnectedScene) {
    EXPECT_EQ(vyd::UIUtils::currentKeyWindow(), nullptr) << "no scenes";
    EXPECT_EQ(vyd::UIUtils::currentActiveKeyWindow(), nullptr);
    const auto loose = uikit::UIWindow::make();
    loose->makeKey();
    EXPECT_EQ(vyd::UIUtils::currentKeyWindow(), nullptr) << "a window outside every scene does not count";

    const auto inactive = connectScene(UISceneActivationState::foregroundInactive);
    const auto window = uikit::UIWindow::make(inactive);
    window->makeKey();
    EXPECT_EQ(vyd::UIUtils::currentKeyWindow(), window);
    EXPECT_EQ(vyd::UIUtils::currentActiveKeyWindow(), nullptr);
}
