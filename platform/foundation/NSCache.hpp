#pragma once

// A memory cache of shared objects by key that gives way rather than grow without end: it holds
// at most `countLimit` objects, and the one used longest ago goes first. Its members may be
// called from any thread at once. Objects are handed out as they are stored (shared, not
// copied), so keep only objects that nobody changes. Keys must equal themselves (no NaN).

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace foundation {

template <typename Key, typename Object, typename Hash = std::hash<Key>>
class NSCache {
public:
    explicit NSCache(std::size_t countLimit) : countLimit_(countLimit) {}

    // Null when nothing is kept under the key.
    std::shared_ptr<Object> object(const Key& key) const {
        std::lock_guard lock(mutex_);
        const auto it = index_.find(key);
        if (it == index_.end()) {
            return nullptr;
        }
        entries_.splice(entries_.begin(), entries_, it->second);
        return it->second->second;
    }

    // Replaces what the key held; a null object only removes it.
    void setObject(std::shared_ptr<Object> object, const Key& key) {
        // Objects let go of are released after the lock, whatever their destructors do.
        std::shared_ptr<Object> replaced;
        std::shared_ptr<Object> evicted;
        std::lock_guard lock(mutex_);
        if (const auto it = index_.find(key); it != index_.end()) {
            replaced = std::move(it->second->second);
            entries_.erase(it->second);
            index_.erase(it);
        }
        if (!object || countLimit_ == 0) {
            return;
        }
        entries_.emplace_front(key, std::move(object));
        index_.emplace(key, entries_.begin());
        if (entries_.size() > countLimit_) {
            evicted = std::move(entries_.back().second);
            index_.erase(entries_.back().first);
            entries_.pop_back();
        }
    }

    std::size_t count() const {
        std::lock_guard lock(mutex_);
        return entries_.size();
    }

    std::size_t countLimit() const { return countLimit_; }

private:
    using Entry = std::pair<Key, std::shared_ptr<Object>>;

    mutable std::mutex mutex_;
    const std::size_t countLimit_;
    // Most recently used first.
    mutable std::list<Entry> entries_;
    std::unordered_map<Key, typename std::list<Entry>::iterator, Hash> index_;
};

} // namespace foundation
