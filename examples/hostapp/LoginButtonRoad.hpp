#pragma once

namespace hostapp {

// Places the SDK's login button as a partner app's screens would, in every style and text type
// at a few sizes, personalises one through the record the VY Bank app leaves in the shared
// keychain, and shows the button hiding itself for a blacklisted client and for a critical SDK
// version. Prints what the user (and the partner's developer, in the log) would see. Uses a
// keychain file of its own, removed at the end.
void showLoginButtonRoad();

} // namespace hostapp
