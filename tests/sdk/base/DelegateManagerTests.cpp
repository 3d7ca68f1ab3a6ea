#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> heard; // what the delegates of a test were told, in order

class Plain : public vyd::VYDWebViewDelegateProtocol {
public:
    explicit Plain(std::string name) : name_(std::move(name)) {}
    void webViewReject() override { heard.push_back(name_); }

private:
    std::string name_;
};

// Adopts both optional members as well: one object to the manager whichever face it shows.
class Full : public vyd::VYDWebViewReloginStatusDelegate, public vyd::VYDWebViewReloginContinueDelegate {
public:
    void webViewReject() override { heard.push_back("full"); }
    void reloginStatus(const vyd::VYDAuthResponse&) override { heard.push_back("full status"); }
    void reloginStatusContinueAppToWeb(const vyd::VYDAuthResponse&, const ContinueAppToWeb&) override {
        heard.push_back("full continue");
    }
};

class Bystander : public vyd::DelegateObject {};

// The delegates that heard of a rejection, in name order.
std::vector<std::string> rejectAll(const vyd::DelegateManagerProtocol& manager) {
    heard.clear();
    manager.notifyDelegates<vyd::VYDWebViewDelegateProtocol>([](auto& d) { d.webViewReject(); });
    std::sort(heard.begin(), heard.end());
    return heard;
}

} // namespace

TEST(DelegateManagerTest, OneEntryPerObjectHeldStronglyUntilRemovedAndOnlyObjectsOfTheTypeNotifiedOnce) {
    vyd::DelegateManager manager;
    auto full = std::make_shared<Full>();
    manager.addDelegate(full);
    manager.addDelegate(std::shared_ptr<vyd::VYDWebViewReloginStatusDelegate>(full));
    manager.addDelegate(nullptr);
    std::weak_ptr<Plain> watcher;
    {
        auto kept = std::make_shared<Plain>("kept");
        watcher = kept;
        manager.addDelegate(kept);
    }
    manager.removeDelegate(nullptr);
    manager.removeDelegate(std::make_shared<Plain>("kept")); // equal text, another object
    EXPECT_EQ(rejectAll(manager), (std::vector<std::string>{"full", "kept"}));

    manager.removeDelegate(std::shared_ptr<vyd::VYDWebViewReloginContinueDelegate>(full));
    manager.removeDelegate(watcher.lock());
    EXPECT_TRUE(watcher.expired());
    EXPECT_TRUE(manager.registeredDelegates().empty());
    EXPECT_TRUE(rejectAll(manager).empty());

    // Only objects of the requested type are notified, once.
    vyd::DelegateManager mixed;
    mixed.addDelegate(std::make_shared<Plain>("a"));
    mixed.addDelegate(std::make_shared<Bystander>());
    mixed.addDelegate(std::make_shared<Full>());
    EXPECT_EQ(rejectAll(mixed), (std::vector<std::string>{"a", "full"}));

    heard.clear();
    mixed.notifyDelegates<vyd::VYDWebViewReloginContinueDelegate>(
        [](auto& d) { d.reloginStatusContinueAppToWeb({}, [](std::optional<std::string>) {}); });
    EXPECT_EQ(heard, std::vector<std::string>{"full continue"});
}

TEST(DelegateManagerTest, ActionMayRemoveDelegatesWhileOthersRegisterConcurrently) {
    vyd::DelegateManager manager;
    manager.addDelegate(std::make_shared<Plain>("a"));
    manager.addDelegate(std::make_shared<Plain>("b"));
    int calls = 0;
    manager.notifyDelegates<vyd::VYDWebViewDelegateProtocol>([&](vyd::VYDWebViewDelegateProtocol&) {
        ++calls;
        for (const auto& d : manager.registeredDelegates()) {
            manager.removeDelegate(d); // must neither deadlock nor skip the other delegate
        }
    });
    EXPECT_EQ(calls, 2);

    auto resident = std::make_shared<Plain>("resident");
    manager.addDelegate(resident);
    std::vector<std::jthread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&manager] {
            for (int i = 0; i < 200; ++i) {
                auto visitor = std::make_shared<Plain>("visitor");
                manager.addDelegate(visitor);
                manager.removeDelegate(visitor);
            }
        });
    }
    int residentSeen = 0;
    for (int i = 0; i < 200; ++i) {
        manager.notifyDelegates<vyd::VYDWebViewDelegateProtocol>(
            [&](vyd::VYDWebViewDelegateProtocol& d) { residentSeen += &d == resident.get(); });
    }
    workers.clear(); // joins them
    EXPECT_EQ(residentSeen, 200);
    EXPECT_EQ(manager.registeredDelegates().size(), 1u);
}
