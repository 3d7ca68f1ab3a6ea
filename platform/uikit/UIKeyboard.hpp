#pragma once

// The keyboard's notifications, posted to the default notification centre by the simulated
// keyboard (platform/testing) as the platform posts them, with the platform's names and user
// info keys. The frames are CGRect values in screen coordinates, the duration a double (seconds)
// and the curve an int (UIViewAnimationCurve raw value, 7 for the keyboard's own curve).

#include "platform/foundation/NotificationCenter.hpp"

namespace uikit::UIKeyboard {

inline const foundation::NotificationName willShowNotification = "UIKeyboardWillShowNotification";
inline const foundation::NotificationName didShowNotification = "UIKeyboardDidShowNotification";
inline const foundation::NotificationName willHideNotification = "UIKeyboardWillHideNotification";
inline const foundation::NotificationName didHideNotification = "UIKeyboardDidHideNotification";

inline const std::string frameBeginUserInfoKey = "UIKeyboardFrameBeginUserInfoKey";
inline const std::string frameEndUserInfoKey = "UIKeyboardFrameEndUserInfoKey";
inline const std::string animationDurationUserInfoKey = "UIKeyboardAnimationDurationUserInfoKey";
inline const std::string animationCurveUserInfoKey = "UIKeyboardAnimationCurveUserInfoKey";

} // namespace uikit::UIKeyboard
