#pragma once

// Helpers of the targets whose input is a file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace fuzzsupport {

// A private folder made once per process, in memory when the machine offers it (writing is then
// cheap), and removed when the fuzzer exits.
inline const std::filesystem::path& scratchFolder() {
    struct Folder {
        std::filesystem::path path;
        Folder() {
            std::error_code error;
            auto base = std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                                         : std::filesystem::temp_directory_path();
            std::string pattern = (base / "vyd-fuzz-XXXXXX").string();
            if (::mkdtemp(pattern.data()) == nullptr) {
                std::abort();
            }
            path = pattern;
        }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path;
}

inline void writeFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A sound file with edits: each three bytes of `edits` are an offset (two bytes, wrapping
// round the file) and the byte to put there. Random bytes seldom make a file the parser accepts
// at all; edits of a sound one reach the damage that gets past its first checks.
inline std::string edited(std::string sound, const std::uint8_t* edits, std::size_t size) {
    for (std::size_t i = 0; i + 3 <= size && !sound.empty(); i += 3) {
        sound[((std::size_t{edits[i]} << 8) | edits[i + 1]) % sound.size()] = static_cast<char>(edits[i + 2]);
    }
    return sound;
}

} // namespace fuzzsupport
