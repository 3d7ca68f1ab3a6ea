#include "sdk/base/UIUtils.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "platform/uikit/UIWindowScene.hpp"

#include <gtest/gtest.h>

using namespace uikit;
using vyd::UIUtils;

TEST(UIUtilsTest, KeyWindowOfAConnectedSceneButTheActiveOneOnlyInTheForeground) {
    UIApplication::shared().reset();
    EXPECT_EQ(UIUtils::currentKeyWindow(), nullptr) << "no scenes";
    const auto loose = UIWindow::make();
    loose->makeKey();
    EXPECT_EQ(UIUtils::currentKeyWindow(), nullptr) << "a window outside every scene does not count";

    const auto scene = UIWindowScene::make();
    UIApplication::shared().connect(scene);
    scene->setActivationState(UISceneActivationState::foregroundInactive);
    const auto window = UIWindow::make(scene);
    const auto other = UIWindow::make(scene);
    window->makeKey();
    EXPECT_EQ(UIUtils::currentKeyWindow(), window);
    EXPECT_EQ(UIUtils::currentActiveKeyWindow(), nullptr);

    scene->setActivationState(UISceneActivationState::foregroundActive);
    EXPECT_EQ(UIUtils::currentActiveKeyWindow(), window);
    other->makeKey();
    EXPECT_EQ(UIUtils::currentActiveKeyWindow(), other);
    UIApplication::shared().reset();
    foundation::RunLoop::main().runUntilIdle();
}
