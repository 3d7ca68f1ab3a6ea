#pragma once

namespace hostapp {

// Opens pages through the SDK's web scene opener in each of its styles and levels, under a remote
// configuration that allows them and one that refuses them, and prints where each opened. Then
// the partner's login button starts a login on a test stand whose authorization page is a
// setting, and the return link ends it.
void showWebRoad();

} // namespace hostapp
