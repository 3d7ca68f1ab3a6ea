#pragma once

namespace hostapp {

// A sign-in in the SDK's full-screen web scene against VY Bank's local server, as a user goes
// through it: the phone form, the code form, the terms PDF and its "Done", the bank's redirect to
// the shop's redirect URI handed to the system, and the return link that closes the scene and
// gives the shop its code.
void showOTPRoad();

} // namespace hostapp
