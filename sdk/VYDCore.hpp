#pragma once
// Everything a host app may use.

// Facade, settings and public models.
#include "sdk/core/AuthType.hpp"
#include "sdk/core/VYD.hpp"
#include "sdk/core/VYDAuthRequest.hpp"
#include "sdk/core/VYDAuthResponse.hpp"
#include "sdk/core/VYDError.hpp"
#include "sdk/core/VYDFonts.hpp"
#include "sdk/core/VYDLogin.hpp"
#include "sdk/core/VYDOpenInType.hpp"
#include "sdk/core/VYDSettings.hpp"
#include "sdk/core/VYDStandType.hpp"
#include "sdk/core/VYDUIPreferences.hpp"
#include "sdk/core/VYDWebViewDelegateProtocol.hpp"

// Container, delegates, logging.
#include "sdk/core/DIContainer.hpp"
#include "sdk/core/DelegateManager.hpp"
#include "sdk/core/DelegateManagerProtocol.hpp"
#include "sdk/core/FatalError.hpp"
#include "sdk/core/Logger.hpp"
#include "sdk/core/TimeMeasurement.hpp"
#include "sdk/core/URLHelpers.hpp"

// Texts, images and the resource bundle.
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

// The session store and the remote configuration it holds.
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

// The login button.
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

// Slide panel.
#include "sdk/panel/SlidePanelController.hpp"
#include "sdk/panel/SlidePanelFactory.hpp"

// UI kit.
#include "sdk/uikit/ActivityIndicator.hpp"
#include "sdk/uikit/CollectionBaseCell.hpp"
#include "sdk/uikit/DeviceModel.hpp"
#include "sdk/uikit/GradientView.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/LoadingView.hpp"
#include "sdk/uikit/NotificationNames.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/SeparatorView.hpp"
#include "sdk/uikit/TableBaseProtocols.hpp"
#include "sdk/uikit/TableBaseViews.hpp"
#include "sdk/uikit/ViewHelpers.hpp"
