#pragma once

// A broadcast point: each value sent is delivered at once, on the sender's thread, to the
// subscribers present at that moment, and is not kept. Copies of a subject are the same subject
// (the platform's subject is a class). Safe to send and subscribe from any thread; a handler
// that cancels its own or another subscription while values are delivered stops receiving.

#include "platform/combine/Publisher.hpp"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace combine {

template <class T>
class PassthroughSubject : public Publisher<T> {
    struct Entry {
        explicit Entry(typename Publisher<T>::Receiver receive) : receive(std::move(receive)) {}
        typename Publisher<T>::Receiver receive;
        std::atomic<bool> active{true};
    };

    struct Core {
        std::mutex mutex;
        std::vector<std::shared_ptr<Entry>> entries;

        void remove(const Entry* entry) {
            std::lock_guard lock(mutex);
            std::erase_if(entries, [entry](const auto& e) { return e.get() == entry; });
        }
    };

public:
    PassthroughSubject() : PassthroughSubject(std::make_shared<Core>()) {}

    void send(const T& value) const {
        std::vector<std::shared_ptr<Entry>> present;
        {
            std::lock_guard lock(core_->mutex);
            present = core_->entries;
        }
        for (const auto& entry : present) {
            if (entry->active.load()) {
                entry->receive(value);
            }
        }
    }

    void send() const requires std::same_as<T, Void> { send(Void{}); }

    std::size_t subscriberCount() const {
        std::lock_guard lock(core_->mutex);
        return core_->entries.size();
    }

private:
    explicit PassthroughSubject(std::shared_ptr<Core> core)
        : Publisher<T>([weak = std::weak_ptr<Core>(core)](typename Publisher<T>::Receiver receiver) {
              auto entry = std::make_shared<Entry>(std::move(receiver));
              const auto target = weak.lock();
              if (!target) {
                  return AnyCancellable();
              }
              {
                  std::lock_guard lock(target->mutex);
                  target->entries.push_back(entry);
              }
              return AnyCancellable([weak, raw = entry.get(), flag = std::weak_ptr<Entry>(entry)] {
                  if (auto e = flag.lock()) {
                      e->active.store(false);
                  }
                  if (auto c = weak.lock()) {
                      c->remove(raw);
                  }
              });
          }),
          core_(std::move(core)) {}

    std::shared_ptr<Core> core_;
};

} // namespace combine
