#pragma once

#include "platform/security/SecBase.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace security {

// A generic password item. Service, account and access group together identify it; an empty
// access group is the app's default group.
struct KeychainItem {
    std::string service;
    std::string account;
    std::string accessGroup;
    Bytes data;

    friend bool operator==(const KeychainItem&, const KeychainItem&) = default;
};

// Which items an operation touches: an absent attribute matches every value.
struct KeychainQuery {
    std::optional<std::string> service;
    std::optional<std::string> account;
    std::optional<std::string> accessGroup;
};

enum class KeychainMatchLimit { one, all };

// The keychain stand-in: generic password items in an SQLite file that several processes (the
// SDK and the bank's apps sharing an access group) may use at once. The file and its journal
// are readable by the owner only (mode 0600). Every write is a single statement and so its own
// transaction; a writer that finds the file locked waits for the other one instead of failing.
// One object holds one connection, opened on first use; its members may be called from any
// thread. A file that fails SQLite's quick check when opened is damaged: every operation fails
// with errSecDecode and the file is left as it is. A file that may only be read (itself or its
// folder) is opened read-only: reads work and writes fail with errSecWrPerm.
class Keychain {
public:
    explicit Keychain(std::filesystem::path path);
    ~Keychain();
    Keychain(const Keychain&) = delete;
    Keychain& operator=(const Keychain&) = delete;

    // The file that `standard()` uses: the one set here, else $VYD_KEYCHAIN_PATH, else
    // keychain.sqlite in "vydcore" under $XDG_DATA_HOME (default ~/.local/share). An empty path
    // returns to that default.
    static void setLocation(std::filesystem::path path);
    static std::filesystem::path location();
    // The process's keychain at `location()`; a new location takes effect at the next call.
    static std::shared_ptr<Keychain> standard();

    const std::filesystem::path& path() const;

    // errSecDuplicateItem when an item with the same service, account and group exists.
    OSStatus add(const KeychainItem& item);
    // Adds the item or replaces the data of the existing one, atomically.
    OSStatus set(const KeychainItem& item);
    // Matching items, oldest first; errSecItemNotFound when there is none.
    OSStatus copyMatching(const KeychainQuery& query, std::vector<KeychainItem>& items,
                          KeychainMatchLimit limit = KeychainMatchLimit::one) const;
    // Replaces the data of every matching item; errSecItemNotFound when none matches.
    OSStatus update(const KeychainQuery& query, const Bytes& data);
    // Deletes every matching item; errSecItemNotFound when none matches.
    OSStatus remove(const KeychainQuery& query);

    // SQLite's message for the last failure, for logs.
    std::string lastErrorMessage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace security
