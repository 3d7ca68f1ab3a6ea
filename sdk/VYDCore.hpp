#pragma once
// Everything a host app may use.
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"
#include "sdk/core/DIContainer.hpp"
#include "sdk/core/DelegateManager.hpp"
#include "sdk/core/DelegateManagerProtocol.hpp"
#include "sdk/core/FatalError.hpp"
#include "sdk/core/Logger.hpp"
#include "sdk/core/TimeMeasurement.hpp"
#include "sdk/core/URLHelpers.hpp"
#include "sdk/uikit/NotificationNames.hpp"
