// The four tab pages of the main window. Each builds its page in the tab
// panel (the current container) and returns its content height.
#pragma once

int BuildPairPage();
int BuildSinglePage();
int BuildRackPage();
int BuildInternalPage();

