#include "platform/combine/ObservableObject.hpp"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

namespace {

using combine::AnyCancellable;
using combine::PassthroughSubject;

TEST(PassthroughSubjectTest, DeliversToTheSubscribersPresentWhenSentUntilCancelled) {
    PassthroughSubject<int> subject;
    std::vector<std::string> log;
    subject.send(0); // nobody listens: not kept for later subscribers
    AnyCancellable first = subject.sink([&](int v) { log.push_back("a" + std::to_string(v)); });
    AnyCancellable late;
    AnyCancellable second = subject.sink([&](int v) {
        log.push_back("b" + std::to_string(v));
        // Subscribed during a delivery: receives the next value only.
        if (!late) {
            late = subject.sink([&](int w) { log.push_back("c" + std::to_string(w)); });
        }
    });
    subject.send(1);
    {
        AnyCancellable copy = first; // copies share the subscription
    }
    subject.send(2);
    first.cancel();
    subject.send(3);
    second = AnyCancellable(); // the last copy released cancels
    late.cancel();
    subject.send(4);
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2", "b2", "c2", "b3", "c3"}));
    EXPECT_EQ(subject.subscriberCount(), 0u);
}

TEST(PassthroughSubjectTest, DeliversOnTheSendersThread) {
    PassthroughSubject<combine::Void> subject;
    std::promise<std::thread::id> receivedOn;
    AnyCancellable subscription = subject.sink([&] { receivedOn.set_value(std::this_thread::get_id()); });
    std::thread sender([&] { subject.send(); });
    const auto senderId = sender.get_id();
    sender.join();
    auto future = receivedOn.get_future();
    ASSERT_EQ(future.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(future.get(), senderId);
}

class Model : public combine::ObservableObject {
public:
    combine::Published<int> count{*this, 1};
};

TEST(PublishedTest, AnnouncesTheChangeThenPublishesTheNewValueBeforeStoringIt) {
    Model model;
    std::vector<std::string> log;
    AnyCancellable will = model.objectWillChange().sink([&] { log.push_back("will " + std::to_string(*model.count)); });
    AnyCancellable values = model.count.publisher().sink(
        [&](int v) { log.push_back("value " + std::to_string(v) + " while " + std::to_string(*model.count)); });
    model.count = 2;
    EXPECT_EQ(log, (std::vector<std::string>{"value 1 while 1", "will 1", "value 2 while 1"}));
    EXPECT_EQ(*model.count, 2);
}

} // namespace
