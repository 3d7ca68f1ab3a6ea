#include "platform/security/Keychain.hpp"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace security {

namespace {

// Long enough for another process to finish any single write, short enough that a wedged
// peer surfaces as an error instead of a hang.
constexpr int busyTimeoutMilliseconds = 10'000;

constexpr const char* schema = "CREATE TABLE IF NOT EXISTS generic_passwords ("
                               " service TEXT NOT NULL,"
                               " account TEXT NOT NULL,"
                               " access_group TEXT NOT NULL,"
                               " data BLOB NOT NULL,"
                               " UNIQUE (service, account, access_group))";

constexpr const char* matchClause = " WHERE (?1 IS NULL OR service = ?1)"
                                    " AND (?2 IS NULL OR account = ?2)"
                                    " AND (?3 IS NULL OR access_group = ?3)";

class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) {
        rc_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return rc_ == SQLITE_OK; }
    int prepareResult() const { return rc_; }
    sqlite3_stmt* get() const { return statement_; }

    void bindText(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void bindOptionalText(int index, const std::optional<std::string>& text) {
        if (text) {
            bindText(index, *text);
        } else {
            sqlite3_bind_null(statement_, index);
        }
    }
    void bindBlob(int index, const Bytes& data) {
        // A null pointer would bind SQL NULL; empty data is a zero-length blob.
        if (data.empty()) {
            sqlite3_bind_zeroblob(statement_, index, 0);
        } else {
            sqlite3_bind_blob(statement_, index, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
        }
    }
    void bindQuery(const KeychainQuery& query) {
        bindOptionalText(1, query.service);
        bindOptionalText(2, query.account);
        bindOptionalText(3, query.accessGroup);
    }
    std::string columnText(int column) const {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
                    : std::string();
    }
    Bytes columnBlob(int column) const {
        auto blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
        return blob ? Bytes(blob, blob + sqlite3_column_bytes(statement_, column)) : Bytes();
    }

private:
    sqlite3_stmt* statement_ = nullptr;
    int rc_ = SQLITE_OK;
};

bool isBusy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

// The busy handler covers ordinary lock waits, but SQLite still answers "locked" at once in a
// few moments that another process causes: while it switches the file to WAL or recovers the
// WAL index. Those are short, so the step is retried until the same deadline.
template <typename Attempt>
int retryWhileBusy(Attempt attempt) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(busyTimeoutMilliseconds);
    for (;;) {
        int rc = attempt();
        if (!isBusy(rc) || std::chrono::steady_clock::now() >= deadline) {
            return rc;
        }
        sqlite3_sleep(2);
    }
}

int execRetrying(sqlite3* db, const char* sql) {
    return retryWhileBusy([&] { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); });
}

// A statement that failed as busy was rolled back whole, so stepping it again is safe.
int stepRetrying(sqlite3_stmt* statement) {
    return retryWhileBusy([&] {
        int rc = sqlite3_step(statement);
        if (isBusy(rc)) {
            sqlite3_reset(statement);
        }
        return rc;
    });
}

OSStatus statusFor(int rc) {
    switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return errSecSuccess;
    case SQLITE_CONSTRAINT:
        return errSecDuplicateItem;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return errSecDecode;
    case SQLITE_READONLY:
        return errSecWrPerm;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return errSecNotAvailable;
    default:
        return errSecIO;
    }
}

// Missing folders are made private to the user, like the file itself.
bool makeParentDirectories(const std::filesystem::path& file) {
    std::filesystem::path prefix;
    for (const auto& part : file.parent_path()) {
        prefix /= part;
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

// The file is made before SQLite opens it so that it never exists with wider permissions;
// SQLite gives its journal and shared-memory files the mode of the database file. An existing
// file is only opened for reading: one the user may only read is still a keychain to read.
bool createPrivateFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) == 0 && (status.st_mode & 0077) != 0) {
        ::fchmod(fd, 0600);
    }
    ::close(fd);
    return true;
}

// Writing needs the file and, for the journal beside it, its folder.
bool isWritable(const std::filesystem::path& path) {
    auto folder = path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    return ::access(path.c_str(), W_OK) == 0 && ::access(folder.c_str(), W_OK) == 0;
}

// SQLite's quick check reads every page and record without comparing indexes to their tables:
// enough to find what a torn write or a stray program leaves behind, in time linear in the file.
int checkIntegrity(sqlite3* db, std::string& problem) {
    sqlite3_stmt* check = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &check, nullptr);
    if (rc == SQLITE_OK) {
        rc = stepRetrying(check);
    }
    if (rc == SQLITE_ROW) {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        problem = text != nullptr ? text : "";
        rc = problem == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
    } else {
        problem = sqlite3_errmsg(db);
    }
    sqlite3_finalize(check);
    return rc;
}

std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    struct passwd entry {};
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr) {
        return found->pw_dir;
    }
    return std::filesystem::temp_directory_path();
}

struct LocationState {
    std::mutex mutex;
    std::optional<std::filesystem::path> configured;
    std::shared_ptr<Keychain> standard;
};

LocationState& locationState() {
    static LocationState state;
    return state;
}

std::filesystem::path locationLocked(const LocationState& state) {
    if (state.configured) {
        return *state.configured;
    }
    if (const char* path = std::getenv("VYD_KEYCHAIN_PATH"); path != nullptr && *path != '\0') {
        return path;
    }
    std::filesystem::path data;
    // The XDG base-directory rules ignore relative values.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
        data = xdg;
    } else {
        data = homeDirectory() / ".local" / "share";
    }
    return data / "vydcore" / "keychain.sqlite";
}

} // namespace

struct Keychain::Impl {
    std::filesystem::path path;
    mutable std::mutex mutex;
    sqlite3* db = nullptr;
    mutable std::string lastError;

    ~Impl() { sqlite3_close_v2(db); }

    OSStatus fail(int rc) const {
        lastError = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        return statusFor(rc);
    }

    // Opens on first use and again after a failed attempt, so that a keychain whose folder
    // appears later still works.
    OSStatus open() {
        if (db != nullptr) {
            return errSecSuccess;
        }
        if (!makeParentDirectories(path) || !createPrivateFile(path)) {
            lastError =
                "cannot create " + path.string() + ": " + std::error_code(errno, std::generic_category()).message();
            return errSecNotAvailable;
        }
        // A store that cannot be written is opened read-only: it reads as usual, every write
        // fails as read-only, and nothing tries to make the journal or the schema.
        const bool writable = isWritable(path);
        int rc =
            sqlite3_open_v2(path.c_str(), &db,
                            (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_FULLMUTEX, nullptr);
        std::string problem;
        if (rc == SQLITE_OK) {
            sqlite3_busy_timeout(db, busyTimeoutMilliseconds);
            // Before anything writes: a damaged store is reported and left as it is.
            rc = checkIntegrity(db, problem);
        }
        if (rc == SQLITE_OK && writable) {
            // WAL lets readers go on while another process writes. Where WAL is not possible
            // the rollback journal stays, which is correct, only slower.
            rc = execRetrying(db, "PRAGMA journal_mode=WAL");
        }
        if (rc == SQLITE_OK && writable) {
            rc = execRetrying(db, schema);
        }
        if (rc != SQLITE_OK) {
            OSStatus status = fail(rc);
            if ((rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB) {
                lastError = "the keychain file " + path.string() + " is damaged: " + problem;
            }
            // Closing would otherwise copy a pending journal into the damaged file.
            if (db != nullptr) {
                sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
            }
            sqlite3_close_v2(db);
            db = nullptr;
            return status;
        }
        return errSecSuccess;
    }

    // Runs one write statement, which SQLite makes its own transaction; `changed` receives
    // the number of rows it changed.
    template <typename Bind>
    OSStatus write(const std::string& sql, Bind bind, int& changed) {
        std::lock_guard lock(mutex);
        if (OSStatus status = open(); status != errSecSuccess) {
            return status;
        }
        Statement statement(db, sql);
        if (!statement.prepared()) {
            return fail(statement.prepareResult());
        }
        bind(statement);
        int rc = stepRetrying(statement.get());
        if (rc != SQLITE_DONE) {
            return fail(rc);
        }
        changed = sqlite3_changes(db);
        return errSecSuccess;
    }

    OSStatus insert(const std::string& sql, const KeychainItem& item) {
        int changed = 0;
        return write(
            sql,
            [&](Statement& statement) {
                statement.bindText(1, item.service);
                statement.bindText(2, item.account);
                statement.bindText(3, item.accessGroup);
                statement.bindBlob(4, item.data);
            },
            changed);
    }

    // Update and delete report a query that matched nothing.
    template <typename Bind>
    OSStatus writeMatching(const std::string& sql, Bind bind) {
        int changed = 0;
        OSStatus status = write(sql, bind, changed);
        return status == errSecSuccess && changed == 0 ? errSecItemNotFound : status;
    }
};

Keychain::Keychain(std::filesystem::path path) : impl_(std::make_unique<Impl>()) { impl_->path = std::move(path); }

Keychain::~Keychain() = default;

void Keychain::setLocation(std::filesystem::path path) {
    auto& state = locationState();
    std::lock_guard lock(state.mutex);
    if (path.empty()) {
        state.configured.reset();
    } else {
        state.configured = std::move(path);
    }
}

std::filesystem::path Keychain::location() {
    auto& state = locationState();
    std::lock_guard lock(state.mutex);
    return locationLocked(state);
}

std::shared_ptr<Keychain> Keychain::standard() {
    auto& state = locationState();
    std::lock_guard lock(state.mutex);
    auto path = locationLocked(state);
    if (!state.standard || state.standard->path() != path) {
        state.standard = std::make_shared<Keychain>(path);
    }
    return state.standard;
}

const std::filesystem::path& Keychain::path() const { return impl_->path; }

OSStatus Keychain::add(const KeychainItem& item) {
    return impl_->insert("INSERT INTO generic_passwords (service, account, access_group, data)"
                         " VALUES (?1, ?2, ?3, ?4)",
                         item);
}

OSStatus Keychain::set(const KeychainItem& item) {
    return impl_->insert("INSERT INTO generic_passwords (service, account, access_group, data)"
                         " VALUES (?1, ?2, ?3, ?4) ON CONFLICT (service, account, access_group)"
                         " DO UPDATE SET data = excluded.data",
                         item);
}

OSStatus Keychain::copyMatching(const KeychainQuery& query, std::vector<KeychainItem>& items,
                                KeychainMatchLimit limit) const {
    items.clear();
    std::lock_guard lock(impl_->mutex);
    if (OSStatus status = impl_->open(); status != errSecSuccess) {
        return status;
    }
    Statement select(impl_->db, std::string("SELECT service, account, access_group, data"
                                            " FROM generic_passwords") +
                                    matchClause + " ORDER BY rowid LIMIT ?4");
    if (!select.prepared()) {
        return impl_->fail(select.prepareResult());
    }
    select.bindQuery(query);
    sqlite3_bind_int(select.get(), 4, limit == KeychainMatchLimit::one ? 1 : -1);
    int rc = stepRetrying(select.get());
    for (; rc == SQLITE_ROW; rc = sqlite3_step(select.get())) {
        items.push_back({select.columnText(0), select.columnText(1), select.columnText(2), select.columnBlob(3)});
    }
    if (rc != SQLITE_DONE) {
        items.clear();
        return impl_->fail(rc);
    }
    return items.empty() ? errSecItemNotFound : errSecSuccess;
}

OSStatus Keychain::update(const KeychainQuery& query, const Bytes& data) {
    return impl_->writeMatching(std::string("UPDATE generic_passwords SET data = ?4") + matchClause,
                                [&](Statement& statement) {
                                    statement.bindQuery(query);
                                    statement.bindBlob(4, data);
                                });
}

OSStatus Keychain::remove(const KeychainQuery& query) {
    return impl_->writeMatching(std::string("DELETE FROM generic_passwords") + matchClause,
                                [&](Statement& statement) { statement.bindQuery(query); });
}

std::string Keychain::lastErrorMessage() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->lastError;
}

} // namespace security
