#include "platform/foundation/NotificationCenter.hpp"

#include <algorithm>
#include <utility>

namespace foundation {

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter* center = new NotificationCenter; // leaked: observers may post during exit
    return *center;
}

std::uint64_t NotificationCenter::insert(const void* observer, const NotificationName& name, const void* object,
                                         Handler handler, std::function<bool()> alive) {
    auto entry = std::make_shared<Entry>();
    entry->observer = observer;
    entry->name = name;
    entry->object = object;
    entry->handler = std::move(handler);
    entry->alive = std::move(alive);
    std::lock_guard<std::mutex> lock(mutex_);
    entry->id = nextId_++;
    entries_.push_back(std::move(entry));
    return entries_.back()->id;
}

NotificationToken NotificationCenter::addObserver(const NotificationName& name, const void* object, Handler handler) {
    if (!handler)
        return {};
    return NotificationToken(insert(nullptr, name, object, std::move(handler), {}));
}

void NotificationCenter::addObserver(const void* observer, const NotificationName& name, const void* object,
                                     Handler handler) {
    if (observer && handler)
        insert(observer, name, object, std::move(handler), {});
}

template <class Predicate>
void NotificationCenter::removeWhere(Predicate predicate) {
    std::vector<std::shared_ptr<Entry>> removed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto keep = std::stable_partition(entries_.begin(), entries_.end(),
                                          [&](const std::shared_ptr<Entry>& e) { return !predicate(*e); });
        for (auto it = keep; it != entries_.end(); ++it) {
            (*it)->removed.store(true, std::memory_order_release);
            removed.push_back(std::move(*it));
        }
        entries_.erase(keep, entries_.end());
    }
    // Handlers (and what they captured) are released outside the lock: a destructor may
    // remove or add observers itself.
}

void NotificationCenter::removeObserver(const NotificationToken& token) {
    if (token.isValid())
        removeWhere([&](const Entry& e) { return e.id == token.id_; });
}

void NotificationCenter::removeObserver(const void* observer) {
    if (observer)
        removeWhere([&](const Entry& e) { return e.observer == observer; });
}

void NotificationCenter::removeObserver(const void* observer, const NotificationName& name, const void* object) {
    if (!observer)
        return;
    removeWhere([&](const Entry& e) {
        return e.observer == observer && (name.empty() || e.name == name) && (!object || e.object == object);
    });
}

void NotificationCenter::post(const NotificationName& name, const void* object, UserInfo userInfo) {
    post(Notification{name, object, std::move(userInfo)});
}

void NotificationCenter::post(Notification notification) {
    for (auto& [key, value] : notification.userInfo) {
        if (value.type() == typeid(const char*))
            value = std::string(std::any_cast<const char*>(value));
        else if (value.type() == typeid(char*))
            value = std::string(std::any_cast<char*>(value));
    }
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto& e : entries_) {
            if ((e->name.empty() || e->name == notification.name) && (!e->object || e->object == notification.object))
                matching.push_back(e);
        }
    }
    bool sawDeadObserver = false;
    for (const auto& e : matching) {
        if (e->removed.load(std::memory_order_acquire))
            continue;
        if (e->alive && !e->alive()) {
            sawDeadObserver = true;
            continue;
        }
        e->handler(notification);
    }
    if (sawDeadObserver)
        removeWhere([](const Entry& e) { return e.alive && !e.alive(); });
}

std::size_t NotificationCenter::observerCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
}

} // namespace foundation
