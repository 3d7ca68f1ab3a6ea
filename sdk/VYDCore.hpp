#pragma once
// Everything a host app may use.

// Facade, settings and public models.
#include "sdk/base/AuthType.hpp"
#include "sdk/base/VYDAuthRequest.hpp"
#include "sdk/base/VYDAuthResponse.hpp"
#include "sdk/base/VYDError.hpp"
#include "sdk/base/VYDFonts.hpp"
#include "sdk/base/VYDOpenInType.hpp"
#include "sdk/base/VYDStandType.hpp"
#include "sdk/base/VYDUIPreferences.hpp"
#include "sdk/base/VYDWebViewDelegateProtocol.hpp"
#include "sdk/facade/VYD.hpp"
#include "sdk/facade/VYDLogin.hpp"
#include "sdk/facade/VYDSettings.hpp"

// Container, delegates, logging.
#include "sdk/base/DIContainer.hpp"
#include "sdk/base/DelegateManager.hpp"
#include "sdk/base/DelegateManagerProtocol.hpp"
#include "sdk/base/Logger.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "sdk/base/TimeMeasurement.hpp"
#include "sdk/base/URLHelpers.hpp"

// Texts, images and the resource bundle.
#include "sdk/catalogue/ImageAsset.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

// The session store and the remote configuration it holds.
#include "sdk/services/RemoteConfig.hpp"
#include "sdk/services/StaticStorageService.hpp"
#include "sdk/services/StaticStorageServiceProtocol.hpp"

// Server trust: the certificates service, which a host app may give other anchor certificates.
#include "sdk/services/CertificatesService.hpp"
#include "sdk/services/CertificatesServiceProtocol.hpp"

// Analytics: the service and the sink through which a host app plugs in its analytics framework.
#include "sdk/services/AnalyticsService.hpp"
#include "sdk/services/AnalyticsServiceProtocol.hpp"
#include "sdk/services/AnalyticsSink.hpp"
#include "sdk/services/AppTokenServiceProtocol.hpp"
#include "sdk/services/InMemoryAnalyticsSink.hpp"

// The login button.
#include "sdk/screens/loginbutton/VYDInvalidOptionError.hpp"
#include "sdk/screens/loginbutton/VYDLoginButton.hpp"

// Web pages: the opener that shows them, and what a view controller over which the browser view
// opens may adopt to hear from it.
#include "sdk/base/WebSceneOpenerProtocol.hpp"
#include "sdk/screens/web/VYDSafariViewControllerDelegate.hpp"

// Slide panel.
#include "sdk/panel/SlidePanelController.hpp"
#include "sdk/screens/SlidePanelFactory.hpp"
#include "sdk/screens/choice/AuthChooseViewController.hpp"

// UI kit.
#include "sdk/uikit/ActivityIndicator.hpp"
#include "sdk/uikit/AssociatedObjects.hpp"
#include "sdk/uikit/BackportAsyncImage.hpp"
#include "sdk/uikit/CollectionBaseCell.hpp"
#include "sdk/uikit/DeviceModel.hpp"
#include "sdk/uikit/GradientView.hpp"
#include "sdk/uikit/HexColor.hpp"
#include "sdk/uikit/ImageContainerView.hpp"
#include "sdk/uikit/ImageLoading.hpp"
#include "sdk/uikit/LoadingView.hpp"
#include "sdk/uikit/Palette.hpp"
#include "sdk/uikit/SeparatorView.hpp"
#include "sdk/uikit/SheetPresentationViewController.hpp"
#include "sdk/uikit/SheetTransition.hpp"
#include "sdk/uikit/SheetTransitioningDelegate.hpp"
#include "sdk/uikit/ShimmerEffect.hpp"
#include "sdk/uikit/SnackBarView.hpp"
#include "sdk/uikit/SnackBarViewController.hpp"
#include "sdk/uikit/TableBaseProtocols.hpp"
#include "sdk/uikit/TableBaseViews.hpp"
#include "sdk/uikit/UIViewRepresented.hpp"
#include "sdk/uikit/ViewHelpers.hpp"
#include "sdk/uikit/ViewShimmer.hpp"
