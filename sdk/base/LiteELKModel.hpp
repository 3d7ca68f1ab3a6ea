#pragma once
#include "platform/uikit/UIColor.hpp"
#include "sdk/base/VYDOpenInType.hpp"

#include <optional>
#include <string>

namespace vyd {

// The partner's parameters for the personal-account relogin. The session store keeps one
// shared instance; access is not synchronised, like every other main-thread model.
class LiteELKModel {
public:
    LiteELKModel() = default;
    LiteELKModel(std::optional<std::string> partnerWebLinkELKLite, std::optional<std::string> partnerClientIdElkLite,
                 std::optional<uikit::UIColor> partnerColorELKLite, std::optional<VYDOpenInType> openInELKLite)
        : partnerWebLinkELKLite(std::move(partnerWebLinkELKLite)),
          partnerClientIdElkLite(std::move(partnerClientIdElkLite)),
          partnerColorELKLite(std::move(partnerColorELKLite)), openInELKLite(openInELKLite) {}
    virtual ~LiteELKModel() = default;

    std::optional<std::string> partnerWebLinkELKLite;
    std::optional<std::string> partnerClientIdElkLite;
    std::optional<uikit::UIColor> partnerColorELKLite;
    std::optional<VYDOpenInType> openInELKLite;
};

} // namespace vyd
