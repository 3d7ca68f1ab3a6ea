#pragma once
#include "platform/foundation/UUID.hpp"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace uikit {
class UIImage;
}

namespace vyd {

// One VY Bank authenticator app, as the presence checker reports it.
class KWAppInfo {
public:
    // One app, opened by its deep-link address.
    struct Stable {
        std::string deeplink;
        friend bool operator==(const Stable&, const Stable&) = default;
    };
    // The dynamic entry: the remote configuration's URL schemes, tried in order.
    struct Unstable {
        std::vector<std::string> schemes;
        friend bool operator==(const Unstable&, const Unstable&) = default;
    };
    using AppType = std::variant<Stable, Unstable>;

    // A new identifier each time.
    KWAppInfo(std::vector<std::shared_ptr<uikit::UIImage>> icons, std::string name, AppType type,
              std::optional<std::string> description = std::nullopt)
        : icons(std::move(icons)), name(std::move(name)), type(std::move(type)), description(std::move(description)) {}

    foundation::UUID id;
    std::vector<std::shared_ptr<uikit::UIImage>> icons;
    std::string name;
    AppType type;
    std::optional<std::string> description;

    bool isStable() const { return std::holds_alternative<Stable>(type); }

    // Entries are told apart by identity, as in lists.
    friend bool operator==(const KWAppInfo& a, const KWAppInfo& b) { return a.id == b.id; }
};

// A bank app's deep-link address from what a catalogue or configuration gives: an address as it
// is, a bare URL scheme ("vybankbeta") as "vybankbeta://".
inline std::string bankAppAddress(std::string_view deeplinkOrScheme) {
    std::string address(deeplinkOrScheme);
    if (address.find(':') == std::string::npos) {
        address += "://";
    }
    return address;
}

} // namespace vyd
