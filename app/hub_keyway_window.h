// Window 2, the hub-and-keyway window: building, showing and hiding it.
#pragma once

void BuildHubKeywayWindow();
void ShowHubKeywayWindow();
void HideHubKeywayWindow();
