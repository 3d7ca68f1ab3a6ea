// Another app sharing the keychain, a crash or a disk fault may leave any bytes in its file.
// Opening it must not crash; a write reported as done must read back; a store found damaged
// must be left exactly as it was. An input with its first bit set is the whole file; otherwise
// it is edits of a sound store holding two items.
#include "FuzzSupport.hpp"

#include "platform/security/Keychain.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const std::string& soundStore() {
    static const std::string content = [] {
        const auto file = fuzzsupport::scratchFolder() / "sound.sqlite";
        {
            security::Keychain keychain(file);
            keychain.add({"VY ID", "first", "", {1}});
            keychain.add({"VY ID", "second", "VY Bank", {2, 2}});
        }
        return fuzzsupport::readFile(file);
    }();
    return content;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::string content = (data[0] & 1) != 0 ? std::string(fuzzsupport::bytesOf(data + 1, size - 1))
                                                   : fuzzsupport::edited(soundStore(), data + 1, size - 1);
    const auto file = fuzzsupport::scratchFolder() / "keychain.sqlite";
    for (const char* suffix : {"-wal", "-shm", "-journal"}) {
        std::filesystem::remove(file.string() + suffix);
    }
    fuzzsupport::writeFile(file, content);

    const security::KeychainItem written{"VY ID", "token", "", {1, 2, 3}};
    security::OSStatus read = 0;
    {
        security::Keychain keychain(file);
        std::vector<security::KeychainItem> found;
        read = keychain.copyMatching({}, found, security::KeychainMatchLimit::all);
        if (keychain.set(written) == security::errSecSuccess) {
            if (keychain.copyMatching({"VY ID", "token", ""}, found) != security::errSecSuccess || found.size() != 1 ||
                found[0] != written) {
                std::abort(); // reported as written, but not there
            }
        }
    }
    if (read == security::errSecDecode && fuzzsupport::readFile(file) != content) {
        std::abort(); // a damaged store was changed
    }
    return 0;
}
