// The shared keychain's records are written by other apps: any bytes must decode to a record or
// to nothing, and a decoded record must encode back to one with the same content.
#include "sdk/services/AppTokenDataModel.hpp"
#include "sdk/services/PersonalizedButtonData.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const foundation::Data bytes(data, data + size);
    if (const auto record = vyd::PersonalizedButtonData::decode(bytes)) {
        const auto encoded = record->jsonData();
        if (!encoded || vyd::PersonalizedButtonData::decode(*encoded) != record) {
            std::abort();
        }
    }
    if (const auto token = vyd::AppTokenDataModel::decode(bytes)) {
        const auto encoded = token->jsonData();
        if (!encoded || vyd::AppTokenDataModel::decode(*encoded) != token) {
            std::abort();
        }
    }
    return 0;
}
