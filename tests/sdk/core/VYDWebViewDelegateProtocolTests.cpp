#include "sdk/core/VYDWebViewDelegateProtocol.hpp"

#include "sdk/core/DelegateManager.hpp"

#include <gtest/gtest.h>

namespace {

class PlainDelegate : public vyd::VYDWebViewDelegateProtocol {
public:
    int rejects = 0;
    void webViewReject() override { ++rejects; }
};

// Adopts both optional members as well: still one delegate to the manager.
class FullDelegate : public vyd::VYDWebViewReloginStatusDelegate, public vyd::VYDWebViewReloginContinueDelegate {
public:
    int rejects = 0;
    std::vector<std::string> heard;

    void webViewReject() override { ++rejects; }
    void reloginStatus(const vyd::VYDAuthResponse& result) override { heard.push_back("status " + result.code.value_or("")); }
    void reloginStatusContinueAppToWeb(const vyd::VYDAuthResponse& result,
                                       const ContinueAppToWeb& continueAppToWeb) override {
        heard.push_back("continue " + result.code.value_or(""));
        continueAppToWeb("user-1");
    }
};

} // namespace

TEST(VYDWebViewDelegateProtocolTest, OptionalMembersAreFoundOnlyOnDelegatesThatAdoptThem) {
    vyd::DelegateManager manager;
    auto plain = std::make_shared<PlainDelegate>();
    auto full = std::make_shared<FullDelegate>();
    manager.addDelegate(plain);
    manager.addDelegate(std::static_pointer_cast<vyd::VYDWebViewReloginStatusDelegate>(full));
    manager.addDelegate(std::static_pointer_cast<vyd::VYDWebViewReloginContinueDelegate>(full));
    EXPECT_EQ(manager.registeredDelegates().size(), 2u) << "one object, one entry, whichever face it shows";

    manager.notifyDelegates<vyd::VYDWebViewDelegateProtocol>([](auto& delegate) { delegate.webViewReject(); });
    EXPECT_EQ(plain->rejects, 1);
    EXPECT_EQ(full->rejects, 1);

    vyd::VYDAuthResponse response;
    response.code = "code-1";
    std::vector<std::optional<std::string>> continued;
    manager.notifyDelegates<vyd::VYDWebViewReloginContinueDelegate>([&](auto& delegate) {
        delegate.reloginStatusContinueAppToWeb(response, [&](std::optional<std::string> userId) { continued.push_back(userId); });
    });
    EXPECT_EQ(full->heard, std::vector<std::string>{"continue code-1"});
    EXPECT_EQ(continued, (std::vector<std::optional<std::string>>{"user-1"}));
}
