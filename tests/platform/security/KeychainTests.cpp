#include "platform/security/Keychain.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using security::Bytes;
using security::Keychain;
using security::KeychainItem;
using security::KeychainMatchLimit;
using security::KeychainQuery;

namespace {

class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vyd-keychain-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

Bytes bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

KeychainItem item(std::string service, std::string account, std::string_view data, std::string group = "") {
    return {std::move(service), std::move(account), std::move(group), bytes(data)};
}

std::vector<KeychainItem> everything(Keychain& keychain) {
    std::vector<KeychainItem> found;
    keychain.copyMatching({}, found, KeychainMatchLimit::all);
    return found;
}

unsigned modeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

class KeychainTest : public testing::Test {
protected:
    TemporaryDirectory directory;
    std::filesystem::path file = directory.path() / "nested" / "keychain.sqlite";
    Keychain keychain{file};
};

// Lookups start from a stale result to show that a failed one leaves nothing behind.
TEST_F(KeychainTest, AddCopyUpdateSetAndRemoveOutliveTheConnection) {
    std::vector<KeychainItem> found{item("stale", "stale", "stale")};
    const KeychainQuery token{"VY ID", "token", std::nullopt};
    EXPECT_EQ(keychain.copyMatching(token, found), security::errSecItemNotFound);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(keychain.update(token, bytes("x")), security::errSecItemNotFound);
    EXPECT_EQ(keychain.remove(token), security::errSecItemNotFound);

    ASSERT_EQ(keychain.add(item("VY ID", "token", "first")), security::errSecSuccess);
    EXPECT_EQ(keychain.add(item("VY ID", "token", "second")), security::errSecDuplicateItem);
    // The same service and account in another access group is another item.
    EXPECT_EQ(keychain.add(item("VY ID", "token", "shared", "VY Bank")), security::errSecSuccess);
    keychain.add(item("VY ID", "other", "keep"));
    ASSERT_EQ(keychain.copyMatching({"VY ID", "token", ""}, found), security::errSecSuccess);
    EXPECT_EQ(found, std::vector{item("VY ID", "token", "first")});

    ASSERT_EQ(keychain.update({"VY ID", "token", ""}, bytes("new")), security::errSecSuccess);
    ASSERT_EQ(keychain.set(item("VY ID", "other", "set")), security::errSecSuccess);
    ASSERT_EQ(keychain.set(item("VY ID", "added", "")), security::errSecSuccess);
    Keychain reopened(file);
    EXPECT_THAT(everything(reopened), testing::UnorderedElementsAre(
                                          item("VY ID", "token", "new"), item("VY ID", "token", "shared", "VY Bank"),
                                          item("VY ID", "other", "set"), item("VY ID", "added", "")));
}

TEST_F(KeychainTest, QueriesMatchOnTheGivenAttributesOnly) {
    keychain.add(item("VY ID", "a", "1", "group.one"));
    keychain.add(item("VY ID", "b", "2", "group.two"));
    keychain.add(item("VY Bank", "a", "3", "group.one"));

    const std::pair<KeychainQuery, std::vector<std::string>> cases[] = {
        {{}, {"1", "2", "3"}},
        {{"VY ID", std::nullopt, std::nullopt}, {"1", "2"}},
        {{std::nullopt, "a", std::nullopt}, {"1", "3"}},
        {{std::nullopt, std::nullopt, "group.one"}, {"1", "3"}},
        {{"VY ID", "a", "group.two"}, {}},
        {{"vy id", std::nullopt, std::nullopt}, {}}, // exact, case-sensitive
    };
    for (const auto& [query, expected] : cases) {
        std::vector<KeychainItem> found;
        auto status = keychain.copyMatching(query, found, KeychainMatchLimit::all);
        std::vector<std::string> data;
        for (const auto& entry : found) {
            data.emplace_back(entry.data.begin(), entry.data.end());
        }
        EXPECT_EQ(std::tuple(data, status),
                  std::tuple(expected, expected.empty() ? security::errSecItemNotFound : security::errSecSuccess));
    }

    std::vector<KeychainItem> first;
    keychain.copyMatching({}, first, KeychainMatchLimit::one);
    EXPECT_EQ(first.size(), 1u);

    EXPECT_EQ(keychain.remove({std::nullopt, "a", std::nullopt}), security::errSecSuccess);
    EXPECT_EQ(everything(keychain), std::vector{item("VY ID", "b", "2", "group.two")});
}

TEST_F(KeychainTest, FileIsPrivateToTheUserAndBinaryDataIsKeptExactly) {
    const Bytes binary{0, 1, 0, 255, 128, 0};
    ASSERT_EQ(keychain.add({"VY ID", "binary", "", binary}), security::errSecSuccess);
    std::vector<KeychainItem> found;
    keychain.copyMatching({"VY ID", "binary", std::nullopt}, found);
    EXPECT_EQ(found.at(0).data, binary);

    EXPECT_EQ(std::tuple(modeOf(file), modeOf(file.parent_path())), std::tuple(0600u, 0700u));
    auto wal = file;
    wal += "-wal";
    if (std::filesystem::exists(wal)) {
        EXPECT_EQ(modeOf(wal), 0600u);
    }

    // An existing file with a wide mode is narrowed.
    auto other = directory.path() / "wide.sqlite";
    std::ofstream(other).close();
    ::chmod(other.c_str(), 0666);

    Keychain wide(other);
    ASSERT_EQ(wide.add(item("VY ID", "token", "secret")), security::errSecSuccess);
    EXPECT_EQ(modeOf(other), 0600u);
}

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A damaged record that a write does not touch once let `set` report success although nothing
// could be read back. A file that is no database at all fails the same way.
TEST_F(KeychainTest, DamagedStoreFailsEveryOperationAndIsLeftAsItWas) {
    auto damagedFile = directory.path() / "damaged.sqlite";
    {
        Keychain writer(damagedFile);
        writer.add(item("VY ID", "first", "1"));
        writer.add(item("VY ID", "second", "2"));
    }
    auto content = contentsOf(damagedFile);
    // The first record's header length, five bytes before its first text, now runs past it.
    auto record = content.find("VY IDfirst");
    ASSERT_NE(record, std::string::npos);
    content[record - 5] = 0x7f;
    std::ofstream(damagedFile, std::ios::binary | std::ios::trunc) << content;
    auto bogusFile = directory.path() / "bogus.sqlite";
    std::ofstream(bogusFile) << std::string(4096, 'x');

    for (const auto& path : {damagedFile, bogusFile}) {
        const auto before = contentsOf(path);
        Keychain damaged(path);
        std::vector<KeychainItem> found;
        EXPECT_EQ(damaged.set(item("VY ID", "third", "3")), security::errSecDecode) << path;
        EXPECT_EQ(damaged.copyMatching({}, found, KeychainMatchLimit::all), security::errSecDecode) << path;
        EXPECT_EQ(damaged.remove({}), security::errSecDecode) << path;
        EXPECT_FALSE(damaged.lastErrorMessage().empty()) << path;
        EXPECT_EQ(contentsOf(path), before) << path;
    }
}

// A file the user may only read (or in a folder they may only read) once could not even be read:
// it was always opened for writing. Root may write anyway, so the checks run as "nobody" then.
TEST_F(KeychainTest, ReadOnlyStoreIsReadableAndRefusesWrites) {
    auto folder = directory.path() / "shared";
    auto shared = folder / "keychain.sqlite";
    ASSERT_EQ(Keychain(shared).add(item("VY ID", "token", "kept")), security::errSecSuccess);
    for (const bool readOnlyFolder : {false, true}) {
        EXPECT_EXIT(
            {
                Keychain reader(shared);
                if (::geteuid() == 0) {
                    for (const auto& path : {directory.path(), folder, shared}) {
                        (void)!::chown(path.c_str(), 65534, 65534);
                    }
                    (void)!::setgid(65534);
                    (void)!::setuid(65534);
                }
                ::chmod(readOnlyFolder ? folder.c_str() : shared.c_str(), readOnlyFolder ? 0500 : 0400);
                std::vector<KeychainItem> found;
                bool read = reader.copyMatching({"VY ID", "token", std::nullopt}, found) == security::errSecSuccess &&
                            found.size() == 1 && found[0].data == bytes("kept");
                bool refused = reader.set(item("VY ID", "token", "new")) == security::errSecWrPerm &&
                               reader.add(item("VY ID", "other", "new")) == security::errSecWrPerm;
                std::fprintf(stderr, "read %d refused %d: %s\n", read, refused, reader.lastErrorMessage().c_str());
                std::exit(read && refused ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << (readOnlyFolder ? "read-only folder" : "read-only file");
    }
}

TEST_F(KeychainTest, UnwritableLocationIsNotAvailable) {
    auto blocker = directory.path() / "file";
    std::ofstream(blocker).close();
    Keychain impossible(blocker / "keychain.sqlite");
    EXPECT_EQ(impossible.add(item("VY ID", "token", "secret")), security::errSecNotAvailable);
    EXPECT_FALSE(impossible.lastErrorMessage().empty());
}

constexpr int itemsPerWriter = 200;

// Both writers start together, on their own connections, so their transactions interleave.
TEST_F(KeychainTest, TwoProcessesWritingAtOnceLoseNothing) {
    int startPipe[2];
    ASSERT_EQ(::pipe(startPipe), 0);
    std::vector<pid_t> children;
    for (int writer = 0; writer < 2; ++writer) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(startPipe[1]);
            char go = 0;
            [[maybe_unused]] auto ignored = ::read(startPipe[0], &go, 1);
            int failures = 0;
            {
                Keychain own(file);
                auto check = [&](security::OSStatus status) {
                    if (status != security::errSecSuccess) {
                        ++failures;
                        std::fprintf(stderr, "write failed: %s\n", own.lastErrorMessage().c_str());
                    }
                };
                for (int i = 0; i < itemsPerWriter; ++i) {
                    auto account = "writer" + std::to_string(writer) + "-" + std::to_string(i);
                    check(own.add(item("VY ID", account, account)));
                    check(own.set(item("VY ID", "shared", account)));
                }
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    ::close(startPipe[0]);
    ::close(startPipe[1]); // releases both writers

    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write failed";
    }

    std::set<std::string> accounts;
    for (const auto& entry : everything(keychain)) {
        accounts.insert(entry.account);
    }
    EXPECT_EQ(accounts.size(), 2u * itemsPerWriter + 1) << "every account is distinct: none may be missing";
}

TEST_F(KeychainTest, ThreadsSharingOneKeychainLoseNothing) {
    std::vector<std::thread> writers;
    for (int writer = 0; writer < 4; ++writer) {
        writers.emplace_back([this, writer] {
            for (int i = 0; i < 50; ++i) {
                auto account = std::to_string(writer) + "-" + std::to_string(i);
                keychain.add(item("VY ID", account, account));
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(everything(keychain).size(), 200u);
}

class KeychainLocation : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"VYD_KEYCHAIN_PATH", "XDG_DATA_HOME", "HOME"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        Keychain::setLocation({});
        ::unsetenv("VYD_KEYCHAIN_PATH");
        ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", "/home/vy", 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
        Keychain::setLocation({});
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST_F(KeychainLocation, ChosenInOrderOfPrecedence) {
    EXPECT_EQ(Keychain::location(), "/home/vy/.local/share/vydcore/keychain.sqlite");

    ::setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(Keychain::location(), "/home/vy/.local/share/vydcore/keychain.sqlite");

    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(Keychain::location(), "/data/vydcore/keychain.sqlite");

    ::setenv("VYD_KEYCHAIN_PATH", "/env/keychain.sqlite", 1);
    EXPECT_EQ(Keychain::location(), "/env/keychain.sqlite");

    Keychain::setLocation("/set/keychain.sqlite");
    EXPECT_EQ(Keychain::location(), "/set/keychain.sqlite");
}

TEST_F(KeychainLocation, StandardKeychainFollowsTheLocation) {
    TemporaryDirectory directory;
    Keychain::setLocation(directory.path() / "first.sqlite");
    auto first = Keychain::standard();
    EXPECT_EQ(first, Keychain::standard());
    ASSERT_EQ(first->add(item("VY ID", "token", "first")), security::errSecSuccess);

    Keychain::setLocation(directory.path() / "second.sqlite");
    auto second = Keychain::standard();
    EXPECT_EQ(second->path(), directory.path() / "second.sqlite");
    std::vector<KeychainItem> found;
    EXPECT_EQ(second->copyMatching({}, found), security::errSecItemNotFound);
}

} // namespace
