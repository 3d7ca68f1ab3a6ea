#include "ControllerTestsSupport.hpp"

#include "platform/uikit/UIApplication.hpp"

#include <gmock/gmock.h>

#include <optional>

using namespace controllertests;
using ::testing::ElementsAre;

namespace {

using ApplicationOpenURLTest = ControllerTest;

foundation::URL url(const std::string& text) {
    auto parsed = foundation::URL::string(text);
    if (!parsed) {
        ADD_FAILURE() << "not a URL: " << text;
        return *foundation::URL::string("invalid:");
    }
    return *parsed;
}

TEST_F(ApplicationOpenURLTest, OnlyInstalledSchemesAndTheBrowserOpen) {
    auto& application = UIApplication::shared();
    device->installApp("vybank");
    device->installApp("VYID-Auth");

    struct Case {
        const char* url;
        bool opens;
    };
    const Case cases[] = {
        {"vybank://auth?state=1", true},      {"VYBANK://auth", true},     {"vyid-auth://login", true},
        {"https://vy.example/path", true},    {"http://vy.example", true}, {"vybank2://auth", false},
        {"mailto:someone@vy.example", false}, {"relative/path", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(application.canOpenURL(url(c.url)), c.opens);
    }

    device->uninstallApp("VYBANK");
    EXPECT_FALSE(application.canOpenURL(url("vybank://auth"))) << "schemes compare without regard to case";
    EXPECT_THAT(application.installedURLSchemes(), ElementsAre("vyid-auth"));
}

TEST_F(ApplicationOpenURLTest, OpeningRecordsEveryRequestAndCompletesOnTheNextTurn) {
    auto& application = UIApplication::shared();
    device->installApp("vybank");
    std::optional<bool> openedInstalled;
    std::optional<bool> openedMissing;
    std::vector<std::string> observed;
    application.setOpenURLObserver([&](const foundation::URL& opened) { observed.push_back(opened.absoluteString()); });

    application.open(url("vybank://auth"), {}, [&](bool success) { openedInstalled = success; });
    application.open(url("otherbank://auth"), {}, [&](bool success) { openedMissing = success; });
    application.open(url("https://vy.example"));
    EXPECT_FALSE(openedInstalled.has_value()) << "the completion waits for the main queue";
    drain();
    EXPECT_EQ(openedInstalled, true);
    EXPECT_EQ(openedMissing, false);

    EXPECT_THAT(observed, ElementsAre("vybank://auth", "https://vy.example"));
    const auto records = device->openURLRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].url.absoluteString(), "otherbank://auth");
    EXPECT_FALSE(records[1].opened);
    EXPECT_EQ(device->openedURLs().size(), 2u) << "the request no app took is not among the opened ones";

    device->clearOpenedURLs();
    EXPECT_TRUE(device->openURLRecords().empty());
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

TEST_F(ApplicationOpenURLTest, DelegateWindowIsAnOptionalMember) {
    auto& application = UIApplication::shared();
    EXPECT_EQ(application.delegate(), nullptr);

    device->setApplicationDelegateWithoutWindow();
    ASSERT_NE(application.delegate(), nullptr);
    EXPECT_EQ(dynamic_cast<UIApplicationDelegateWindow*>(application.delegate().get()), nullptr);

    device->setApplicationDelegateWindow();
    const auto* withWindow = dynamic_cast<UIApplicationDelegateWindow*>(application.delegate().get());
    ASSERT_NE(withWindow, nullptr);
    EXPECT_EQ(withWindow->window(), device->keyWindow());

    device->removeApplicationDelegate();
    EXPECT_EQ(application.delegate(), nullptr);
}

} // namespace
