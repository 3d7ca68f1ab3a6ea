// Any app can open the host app's redirect URI, so the return link is hostile input: parsing it
// must never crash, and a result must be a success exactly when it carries a code for the
// login's own state.
#include "sdk/facade/VYDLogin.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> state = "state-1";
    const auto response = vyd::VYDLogin::responseFrom(input, state, "nonce-1");
    if (!response) {
        return 0;
    }
    if (response->isSuccess != !response->error.has_value()) {
        std::abort();
    }
    if (response->isSuccess && (response->state != state || !response->code || response->code->empty())) {
        std::abort();
    }
    if (response->state != state && (response->code || response->appToken)) {
        std::abort(); // a foreign login's code or token got through
    }
    // Without a login under way nothing succeeds.
    const auto unexpected = vyd::VYDLogin::responseFrom(input, std::nullopt, std::nullopt);
    if (!unexpected || unexpected->isSuccess) {
        std::abort();
    }
    return 0;
}
