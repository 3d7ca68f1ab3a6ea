#pragma once
#include <optional>
#include <string>

namespace vyd {

// Values of the SDK that outlive the process.
class UserDefaultsServiceProtocol {
public:
    virtual ~UserDefaultsServiceProtocol() = default;

    // The log identifier of the last successful authorization, reported at the next start.
    virtual std::optional<std::string> savedLogUid() const = 0;
    // Absent removes it.
    virtual void setSavedLogUid(const std::optional<std::string>& logUid) = 0;
};

} // namespace vyd
