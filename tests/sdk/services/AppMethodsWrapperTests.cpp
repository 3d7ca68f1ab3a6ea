#include "sdk/services/AppMethodsWrapper.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/uikit/UIApplication.hpp"

#include <gtest/gtest.h>

using uikit::UIApplication;

TEST(AppMethodsWrapperTest, OpensThroughTheApplicationWithTheOptionsAndHandsTheAnswerOn) {
    foundation::RunLoop::main().discardPending();
    UIApplication::shared().reset();
    UIApplication::shared().installApp("vybank");
    vyd::AppMethodsWrapper wrapper;
    const auto url = [](const char* text) { return *foundation::URL::string(text); };
    EXPECT_TRUE(wrapper.canOpenURL(url("vybank://")));
    EXPECT_FALSE(wrapper.canOpenURL(url("vybankbusiness://")));
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
    EXPECT_TRUE(records[2].opened);
    UIApplication::shared().reset();
}
