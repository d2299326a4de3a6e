// PLACEHOLDER for the hub-and-keyway window: removed when it lands.
#include "app/globals.h"
#include "app/hub_keyway_window.h"

void BuildHubKeywayWindow() {}
void ShowHubKeywayWindow() { gHubWindowShown = 1; }
void HideHubKeywayWindow() { gHubWindowShown = 0; }
