#pragma once

namespace hostapp {

// Shows the SDK's UI kit on the partner's screen: a snack bar that slides in and is flicked
// away, a bottom sheet that is presented and dragged down, and an image loaded from the app's
// own local server into an image view that shimmers while it loads. Prints what the user sees.
void showUIKitRoad();

} // namespace hostapp
