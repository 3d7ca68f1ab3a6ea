#pragma once

namespace hostapp {

// The personal account's relogin: VY Bank's sign-in page in a web panel; its return link is
// caught by the SDK, the shop continues with a user identifier, and the partner's account page
// opens in the same web view.
void showELKLiteRoad();

} // namespace hostapp
