#include "sdk/core/DIContainer.hpp"
#include "sdk/core/DelegateManager.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

class GreetingDelegate : public virtual vyd::DelegateObject {
public:
    virtual void greet(std::vector<std::string>& log) = 0;
};

class FarewellDelegate : public virtual vyd::DelegateObject {
public:
    virtual void farewell(std::vector<std::string>& log) = 0;
};

class Greeter : public GreetingDelegate {
public:
    explicit Greeter(std::string name) : name_(std::move(name)) {}
    void greet(std::vector<std::string>& log) override { log.push_back("hello " + name_); }

private:
    std::string name_;
};

// Adopts both protocols: one object to the manager whichever base it was registered through.
class Both : public GreetingDelegate, public FarewellDelegate {
public:
    void greet(std::vector<std::string>& log) override { log.push_back("both hello"); }
    void farewell(std::vector<std::string>& log) override { log.push_back("both bye"); }
};

class Bystander : public vyd::DelegateObject {};

std::vector<std::string> greetAll(const vyd::DelegateManagerProtocol& manager) {
    std::vector<std::string> log;
    manager.notifyDelegates<GreetingDelegate>([&log](GreetingDelegate& d) { d.greet(log); });
    std::sort(log.begin(), log.end());
    return log;
}

} // namespace

TEST(DelegateManagerTest, SameObjectTwiceIsOneEntryWhateverThePointerType) {
    vyd::DelegateManager manager;
    auto both = std::make_shared<Both>();
    manager.addDelegate(both);
    manager.addDelegate(std::shared_ptr<GreetingDelegate>(both));
    manager.addDelegate(std::shared_ptr<FarewellDelegate>(both));
    EXPECT_EQ(manager.registeredDelegates().size(), 1u);
    EXPECT_EQ(greetAll(manager), std::vector<std::string>{"both hello"});

    // Removal through another base finds the same identity.
    manager.removeDelegate(std::shared_ptr<FarewellDelegate>(both));
    EXPECT_TRUE(manager.registeredDelegates().empty());
    EXPECT_TRUE(greetAll(manager).empty());
}

TEST(DelegateManagerTest, OnlyObjectsOfTheRequestedTypeAreNotifiedOnce) {
    vyd::DelegateManager manager;
    manager.addDelegate(std::make_shared<Greeter>("a"));
    manager.addDelegate(std::make_shared<Greeter>("b"));
    manager.addDelegate(std::make_shared<Bystander>());
    auto both = std::make_shared<Both>();
    manager.addDelegate(both);

    EXPECT_EQ(greetAll(manager), (std::vector<std::string>{"both hello", "hello a", "hello b"}));

    std::vector<std::string> farewells;
    manager.notifyDelegates<FarewellDelegate>([&](FarewellDelegate& d) { d.farewell(farewells); });
    EXPECT_EQ(farewells, std::vector<std::string>{"both bye"});
}

TEST(DelegateManagerTest, HoldsDelegatesStronglyUntilRemoved) {
    vyd::DelegateManager manager;
    std::weak_ptr<Greeter> watcher;
    {
        auto greeter = std::make_shared<Greeter>("kept");
        watcher = greeter;
        manager.addDelegate(greeter);
    }
    ASSERT_FALSE(watcher.expired());
    EXPECT_EQ(greetAll(manager), std::vector<std::string>{"hello kept"});
    manager.removeDelegate(watcher.lock());
    EXPECT_TRUE(watcher.expired());
}

TEST(DelegateManagerTest, AbsentAndUnknownValuesAreIgnored) {
    vyd::DelegateManager manager;
    auto registered = std::make_shared<Greeter>("x");
    manager.addDelegate(registered);
    manager.addDelegate(nullptr);
    manager.removeDelegate(nullptr);
    manager.removeDelegate(std::make_shared<Greeter>("x")); // equal text, another object
    EXPECT_EQ(manager.registeredDelegates().size(), 1u);

    vyd::DelegateManager empty;
    int calls = 0;
    empty.notifyDelegates<GreetingDelegate>([&](GreetingDelegate&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(DelegateManagerTest, ActionMayRemoveDelegatesWhileBeingNotified) {
    vyd::DelegateManager manager;
    manager.addDelegate(std::make_shared<Greeter>("a"));
    manager.addDelegate(std::make_shared<Greeter>("b"));
    int calls = 0;
    manager.notifyDelegates<GreetingDelegate>([&](GreetingDelegate&) {
        ++calls;
        for (const auto& d : manager.registeredDelegates()) {
            manager.removeDelegate(d); // must neither deadlock nor skip the other delegate
        }
    });
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(manager.registeredDelegates().empty());
}

TEST(DIContainerTest, DelegateManagerIsSharedAndReplaceable) {
    auto first = vyd::DIContainer::delegateManager();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, vyd::DIContainer::delegateManager());

    auto replacement = std::make_shared<vyd::DelegateManager>();
    vyd::DIContainer::setDelegateManager(replacement);
    EXPECT_EQ(vyd::DIContainer::delegateManager(), replacement);

    // Dropping the entry makes a fresh one on the next read.
    vyd::DIContainer::setDelegateManager(nullptr);
    auto fresh = vyd::DIContainer::delegateManager();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, replacement);
    EXPECT_NE(fresh, first);
}

TEST(DelegateManagerTest, ConcurrentRegistrationAndNotification) {
    vyd::DelegateManager manager;
    auto resident = std::make_shared<Greeter>("resident");
    manager.addDelegate(resident);
    std::vector<std::thread> workers;
    for (int t = 0; t < 4; ++t) {
        workers.emplace_back([&manager] {
            for (int i = 0; i < 200; ++i) {
                auto visitor = std::make_shared<Greeter>("visitor");
                manager.addDelegate(visitor);
                manager.removeDelegate(visitor);
            }
        });
    }
    int residentSeen = 0;
    for (int i = 0; i < 200; ++i) {
        manager.notifyDelegates<GreetingDelegate>([&](GreetingDelegate& d) { residentSeen += &d == resident.get(); });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    EXPECT_EQ(residentSeen, 200);
    EXPECT_EQ(manager.registeredDelegates().size(), 1u);
}

TEST(DIContainerTest, FirstUseFromManyThreadsMakesOneInstance) {
    vyd::DIContainer::setDelegateManager(nullptr);
    std::vector<std::shared_ptr<vyd::DelegateManagerProtocol>> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = vyd::DIContainer::delegateManager(); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (const auto& manager : seen) {
        EXPECT_EQ(manager, seen[0]);
    }
    EXPECT_EQ(vyd::DIContainer::delegateManager(), seen[0]);
}
