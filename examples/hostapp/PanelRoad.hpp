#pragma once

namespace hostapp {

// Presents the SDK's slide panel over the partner's screen with a small sheet in it, drags it
// between its states, takes it away with a tap beside it, then presents a web-page panel as the
// SDK makes them and flicks it away. Prints each state the panel reaches as it moves.
void showPanelRoad();

} // namespace hostapp
