#pragma once

namespace hostapp {

// Signs in on the production stand through the native choice: the login button, the choice
// sheet, the list of VY Bank apps, a pick that opens the app, the app's answer by the return
// link; then "Log in by phone number", a configuration without the choice sheet, and a device
// without any VY Bank app, each to where it leads.
void showChoiceRoad();

} // namespace hostapp
