#pragma once
#include "platform/foundation/Bundle.hpp"

#include <memory>
#include <string>
#include <string_view>

namespace vyd {

// The folder the SDK bundle is read from: the environment variable VYD_BUNDLE_PATH when set and
// not empty, else the path recorded by the build. Read once, with the bundle.
const std::string& sdkBundlePath();

// The SDK's resource bundle, made once per process. Null when the folder does not exist: texts
// then take their compiled-in fallbacks and versions are empty.
const std::shared_ptr<foundation::Bundle>& sdkBundle();

// The short version string of the SDK bundle; empty when the bundle or the value is missing.
std::string curentSdkVersion();

// The SDK table's ("Localizable") value for `key`, or `fallback` when there is none.
std::string localizedSdkString(std::string_view key, std::string_view fallback);

} // namespace vyd
