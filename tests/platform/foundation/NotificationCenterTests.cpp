#include "platform/foundation/NotificationCenter.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace foundation;

namespace {

TEST(NotificationCenterTest, BoolIsToldFromStringInUserInfo) {
    NotificationCenter center;
    std::vector<std::string> seen;
    auto token = center.addObserver("AuthNativeResult", nullptr, [&](const Notification& note) {
        if (const bool* flag = note.userInfoValue<bool>("isSuccess"))
            seen.push_back(*flag ? "bool:true" : "bool:false");
        else if (const std::string* text = note.userInfoValue<std::string>("isSuccess"))
            seen.push_back("string:" + *text);
        else
            seen.push_back("absent");
    });
    center.post("AuthNativeResult", nullptr, {{"isSuccess", true}});
    center.post("AuthNativeResult", nullptr, {{"isSuccess", "true"}}); // a C string reads as a String
    center.post("AuthNativeResult", nullptr, {{"isSuccess", 1}});
    center.post("AuthNativeResult");
    EXPECT_EQ(seen, (std::vector<std::string>{"bool:true", "string:true", "absent", "absent"}));
    center.removeObserver(token);
}

TEST(NotificationCenterTest, NameAndObjectFiltersSelectObservers) {
    NotificationCenter center;
    int senderA = 0, senderB = 0;
    std::vector<std::string> seen;
    auto record = [&](std::string who) {
        return [&seen, who](const Notification& n) { seen.push_back(who + "<" + n.name); };
    };
    center.addObserver("ping", nullptr, record("anyPing"));
    center.addObserver("ping", &senderA, record("pingFromA"));
    center.addObserver("", nullptr, record("everything"));
    center.addObserver("", &senderB, record("allFromB"));

    center.post("ping", &senderA);
    EXPECT_EQ(seen, (std::vector<std::string>{"anyPing<ping", "pingFromA<ping", "everything<ping"}));
    seen.clear();
    center.post("ping", &senderB);
    EXPECT_EQ(seen, (std::vector<std::string>{"anyPing<ping", "everything<ping", "allFromB<ping"}));
    seen.clear();
    center.post("pong");
    EXPECT_EQ(seen, (std::vector<std::string>{"everything<pong"}));
}

TEST(NotificationCenterTest, RemovalByTokenAndByObserverObject) {
    NotificationCenter center;
    int observerA = 0, observerB = 0, sender = 0;
    std::vector<std::string> seen;
    auto token = center.addObserver("n", nullptr, [&](const Notification&) { seen.push_back("token"); });
    center.addObserver(&observerA, "n", nullptr, [&](const Notification&) { seen.push_back("A1"); });
    center.addObserver(&observerA, "other", nullptr, [&](const Notification&) { seen.push_back("A2"); });
    center.addObserver(&observerB, "n", &sender, [&](const Notification&) { seen.push_back("B-sender"); });
    center.addObserver(&observerB, "n", nullptr, [&](const Notification&) { seen.push_back("B-any"); });
    EXPECT_EQ(center.observerCount(), 5u);

    center.removeObserver(token);
    center.removeObserver(token);                    // twice is harmless
    center.removeObserver(&observerB, "n", &sender); // only B's registration for that sender
    center.post("n", &sender);
    center.post("other");
    EXPECT_EQ(seen, (std::vector<std::string>{"A1", "B-any", "A2"}));

    seen.clear();
    center.removeObserver(&observerA); // all of A's names
    center.post("n");
    center.post("other");
    EXPECT_EQ(seen, (std::vector<std::string>{"B-any"}));
    EXPECT_EQ(center.observerCount(), 1u);
}

TEST(NotificationCenterTest, RemovingObserversInsideAHandlerIsSafe) {
    NotificationCenter center;
    std::vector<std::string> seen;
    NotificationToken self, later;
    self = center.addObserver("n", nullptr, [&](const Notification&) {
        seen.push_back("self");
        center.removeObserver(self);  // removes itself while running
        center.removeObserver(later); // and one that has not had its turn
        center.addObserver("n", nullptr, [&](const Notification&) { seen.push_back("added"); });
    });
    later = center.addObserver("n", nullptr, [&](const Notification&) { seen.push_back("later"); });
    center.post("n");
    EXPECT_EQ(seen, (std::vector<std::string>{"self"}));
    seen.clear();
    center.post("n");
    EXPECT_EQ(seen, (std::vector<std::string>{"added"}));
}

struct Watcher {
    int calls = 0;
};

TEST(NotificationCenterTest, SharedObserverIsHeldWeaklyAndDroppedWhenGone) {
    NotificationCenter center;
    auto watcher = std::make_shared<Watcher>();
    center.addObserver<Watcher>(watcher, "n", nullptr, [](Watcher& w, const Notification&) { ++w.calls; });
    center.post("n");
    EXPECT_EQ(watcher->calls, 1);
    std::weak_ptr<Watcher> weak = watcher;
    watcher.reset();
    EXPECT_TRUE(weak.expired()); // the centre does not keep it alive
    center.post("n");            // and does not call into it
    EXPECT_EQ(center.observerCount(), 0u);
}

TEST(NotificationCenterTest, ConcurrentRegistrationAndPosting) {
    NotificationCenter center;
    std::atomic<int> delivered{0};
    std::atomic<bool> stop{false};
    std::thread poster([&] {
        while (!stop)
            center.post("n");
    });
    std::vector<std::thread> registrars;
    for (int t = 0; t < 3; ++t)
        registrars.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                auto token = center.addObserver("n", nullptr, [&](const Notification&) { ++delivered; });
                center.removeObserver(token);
            }
        });
    for (auto& r : registrars)
        r.join();
    stop = true;
    poster.join();
    EXPECT_EQ(center.observerCount(), 0u);
    int before = delivered;
    center.post("n");
    EXPECT_EQ(delivered.load(), before);
}

} // namespace
