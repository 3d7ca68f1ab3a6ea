// The remote configuration arrives from the network: any bytes must decode to some
// configuration without crashing or throwing, and the questions the SDK asks of it must answer.
#include "sdk/services/RemoteConfig.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const vyd::RemoteConfig config = vyd::RemoteConfig::decode(input);
    (void)config.featureToggles.isWebViewEnabled();
    // With the switch on every client gets the dialog, whatever the list holds.
    if (config.app2AppDialogEnabled && !config.isApp2AppDialogEnabled("partner-1")) {
        std::abort();
    }
    for (const auto& client : config.app2AppDialogClients) {
        if (!config.isApp2AppDialogEnabled(client)) {
            std::abort();
        }
    }
    // Decoding is a function of the bytes alone.
    if (!(vyd::RemoteConfig::decode(input) == config)) {
        std::abort();
    }
    return 0;
}
