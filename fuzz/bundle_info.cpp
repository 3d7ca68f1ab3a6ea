// The bundle's Info.json is a file in a folder that anything on the device may have touched:
// any bytes must give a version string or none, and the same answer every time they are read.
#include "FuzzSupport.hpp"

#include "platform/foundation/Bundle.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& folder = fuzzsupport::scratchFolder();
    fuzzsupport::writeFile(folder / "Info.json", fuzzsupport::bytesOf(data, size));
    const auto bundle = foundation::Bundle::make(folder.string());
    if (!bundle) {
        std::abort();
    }
    const auto version = bundle->shortVersion();
    if (version != bundle->infoString("CFBundleShortVersionString") ||
        version != foundation::Bundle::make(folder.string())->shortVersion()) {
        std::abort();
    }
    (void)bundle->infoString("CFBundleIdentifier");
    return 0;
}
