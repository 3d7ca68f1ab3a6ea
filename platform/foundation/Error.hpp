#pragma once

#include <ostream>
#include <string>

namespace foundation {

// An error as the platform reports it: a domain, a code within it, and a sentence for people.
struct Error {
    std::string domain;
    int code = 0;
    std::string localizedDescription;

    friend bool operator==(const Error&, const Error&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Error& error) {
    return out << error.domain << " " << error.code << ": " << error.localizedDescription;
}

} // namespace foundation
