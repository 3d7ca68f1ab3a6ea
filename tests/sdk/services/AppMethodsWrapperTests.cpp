#include "sdk/services/AppMethodsWrapper.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIApplication.hpp"

#include <gtest/gtest.h>

using uikit::UIApplication;

namespace {

class AppMethodsWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        foundation::RunLoop::main().discardPending();
        UIApplication::shared().reset();
    }
    void TearDown() override { UIApplication::shared().reset(); }

    static foundation::URL url(const char* text) { return *foundation::URL::string(text); }

    vyd::AppMethodsWrapper wrapper;
};

} // namespace

TEST_F(AppMethodsWrapperTest, OpensThroughTheApplicationWithTheOptionsAndHandsTheAnswerOn) {
    UIApplication::shared().installApp("vybank");
    std::vector<bool> answers;
    wrapper.open(url("vybank://auth?state=s"), {{UIApplication::universalLinksOnly, false}},
                 [&answers](bool opened) { answers.push_back(opened); });
    wrapper.open(url("vybankbusiness://auth"), {}, [&answers](bool opened) { answers.push_back(opened); });
    wrapper.open(url("vybank://again"), {}, nullptr);
    foundation::RunLoop::main().runUntilIdle();

    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    const auto records = UIApplication::shared().openURLRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].url.absoluteString(), "vybank://auth?state=s");
    EXPECT_EQ(records[0].options.count(UIApplication::universalLinksOnly), 1u);
    EXPECT_FALSE(records[1].opened);
    EXPECT_TRUE(records[2].opened);
}

TEST_F(AppMethodsWrapperTest, CanOpenAsksTheRegistryOfInstalledApps) {
    EXPECT_FALSE(wrapper.canOpenURL(url("vybank://")));
    UIApplication::shared().installApp("vybank");
    EXPECT_TRUE(wrapper.canOpenURL(url("vybank://")));
    EXPECT_FALSE(wrapper.canOpenURL(url("vybankbusiness://")));
}
