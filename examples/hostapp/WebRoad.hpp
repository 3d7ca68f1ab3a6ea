#pragma once

namespace hostapp {

// Opens pages through the SDK's web scene opener in each of its styles and levels, under a remote
// configuration that allows them and one that refuses them, and prints where each opened. Then
// shows what the SDK refuses before it stores or shows anything.
void showWebRoad();

} // namespace hostapp
