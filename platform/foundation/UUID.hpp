#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace foundation {

// A random (version 4) UUID.
class UUID {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    // A fresh random UUID from the system's secure random source.
    UUID();
    explicit UUID(const Bytes& bytes) : bytes_(bytes) {}

    // Upper-case hex with dashes, 36 characters.
    std::string uuidString() const;
    const Bytes& bytes() const { return bytes_; }

    friend bool operator==(const UUID&, const UUID&) = default;
    friend auto operator<=>(const UUID&, const UUID&) = default;

private:
    Bytes bytes_{};
};

} // namespace foundation

template <>
struct std::hash<foundation::UUID> {
    std::size_t operator()(const foundation::UUID& uuid) const noexcept {
        std::size_t h = 0;
        for (auto b : uuid.bytes())
            h = h * 131 + b;
        return h;
    }
};
