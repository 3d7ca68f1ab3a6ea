#include "platform/safariservices/SFSafariViewController.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/testing/SimulatedDevice.hpp"
#include "platform/testing/SimulatedUser.hpp"

#include <gtest/gtest.h>

using namespace safariservices;

namespace {

struct FinishRecorder : SFSafariViewControllerDelegate {
    int finished = 0;
    bool presentedWhenFinished = true;
    void safariViewControllerDidFinish(SFSafariViewController& controller) override {
        ++finished;
        presentedWhenFinished = controller.presentingViewController() != nullptr;
    }
};

} // namespace

TEST(SFSafariViewController, DoneDismissesTheBrowserViewThenTellsTheDelegate) {
    foundation::Clock::useManualClock();
    testing::SimulatedDevice device;
    auto browser = SFSafariViewController::make(*foundation::URL::string("https://partner.example/account"));
    browser->setPreferredBarTintColor(uikit::UIColor::red());
    auto recorder = std::make_shared<FinishRecorder>();
    browser->setDelegate(recorder);
    device.rootViewController()->present(browser, true);
    foundation::Clock::advance(1);
    ASSERT_EQ(device.topViewController(), browser);

    EXPECT_TRUE(testing::SimulatedUser::pressDone(*browser));
    foundation::Clock::advance(1);

    EXPECT_TRUE(recorder->finished == 1 && !recorder->presentedWhenFinished) << "told once, after the dismissal";
    EXPECT_EQ(device.topViewController(), device.rootViewController());
    EXPECT_EQ(browser->url().absoluteString(), "https://partner.example/account");
    foundation::Clock::useRealClock();
}
