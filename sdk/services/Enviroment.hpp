#pragma once
#include "sdk/base/VYDStandType.hpp"

#include <string>

namespace vyd {

// Hosts and addresses of the VY ID backend on each stand.
namespace Enviroment {
// "id.vybank.example" on production, "id-<stand>.vybank.example" on the others.
std::string host(VYDStandType stand);
// The authorization page: "https://<host>/oauth2/authorize".
std::string authorizationPageURL(VYDStandType stand);
} // namespace Enviroment

} // namespace vyd
