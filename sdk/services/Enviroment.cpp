#include "sdk/services/Enviroment.hpp"

namespace vyd::Enviroment {

std::string host(VYDStandType stand) {
    if (stand == VYDStandType::prom) {
        return "id.vybank.example";
    }
    return "id-" + std::string(standName(stand)) + ".vybank.example";
}

std::string authorizationPageURL(VYDStandType stand) { return "https://" + host(stand) + "/oauth2/authorize"; }

} // namespace vyd::Enviroment
