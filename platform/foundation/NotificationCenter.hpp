#pragma once

// Notifications are delivered synchronously on the posting thread to every observer whose
// name filter and object filter match.
//
// Objects (the poster and the object filters) are raw identity pointers: the centre only
// compares them, never dereferences or owns them. Observers that register with a raw pointer
// must remove themselves before they die; observers registered through a shared_ptr are held
// weakly and dropped once they are gone.

#include <any>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace foundation {

using NotificationName = std::string;

// Typed values: a Bool stays a bool and a String a std::string. A C string literal posted as a
// value is stored as std::string, so that readers need to know only one string type.
using UserInfo = std::map<std::string, std::any>;

struct Notification {
    NotificationName name;
    const void* object = nullptr;
    UserInfo userInfo;

    // The value under `key` when it is present and of type T; null otherwise.
    template <class T>
    const T* userInfoValue(const std::string& key) const {
        auto it = userInfo.find(key);
        return it == userInfo.end() ? nullptr : std::any_cast<T>(&it->second);
    }
};

// What a block observer's registration returns; the only handle that removes it.
class NotificationToken {
public:
    NotificationToken() = default;
    bool isValid() const { return id_ != 0; }
    friend bool operator==(const NotificationToken&, const NotificationToken&) = default;

private:
    friend class NotificationCenter;
    explicit NotificationToken(std::uint64_t id) : id_(id) {}
    std::uint64_t id_ = 0;
};

class NotificationCenter {
public:
    using Handler = std::function<void(const Notification&)>;

    static NotificationCenter& defaultCenter();

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // An empty name observes every name; a null object observes every poster.
    NotificationToken addObserver(const NotificationName& name, const void* object, Handler handler);

    // `observer` is an identity for removal.
    void addObserver(const void* observer, const NotificationName& name, const void* object, Handler handler);

    // Held weakly: the handler is not called, and the entry goes, once the observer is gone.
    template <class T>
    void addObserver(const std::shared_ptr<T>& observer, const NotificationName& name, const void* object,
                     std::function<void(T&, const Notification&)> handler) {
        std::weak_ptr<T> weak = observer;
        insert(
            observer.get(), name, object,
            [weak, handler = std::move(handler)](const Notification& note) {
                if (auto strong = weak.lock())
                    handler(*strong, note);
            },
            [weak] { return !weak.expired(); });
    }

    void removeObserver(const NotificationToken& token);
    // Every registration of `observer`.
    void removeObserver(const void* observer);
    // Registrations of `observer` for this name (empty: any) and object (null: any).
    void removeObserver(const void* observer, const NotificationName& name, const void* object = nullptr);

    // Calls the matching observers on this thread, in the order they were added. Observers
    // added by a handler wait for the next post; observers removed by a handler (or by another
    // thread) before their turn are not called.
    void post(const NotificationName& name, const void* object = nullptr, UserInfo userInfo = {});
    void post(Notification notification);

    std::size_t observerCount() const;

private:
    struct Entry {
        std::uint64_t id = 0;
        const void* observer = nullptr;
        NotificationName name;
        const void* object = nullptr;
        Handler handler;
        std::function<bool()> alive; // empty: always alive
        std::atomic<bool> removed{false};
    };

    std::uint64_t insert(const void* observer, const NotificationName& name, const void* object, Handler handler,
                         std::function<bool()> alive);
    template <class Predicate>
    void removeWhere(Predicate predicate);

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Entry>> entries_;
    std::uint64_t nextId_ = 1;
};

} // namespace foundation
