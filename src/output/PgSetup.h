#pragma once
// The page setup dialog on the platform's page setup common dialog: the default printer's geometry is
// asked for when first needed, and a confirmed dialog makes the chosen printer the current one.
#include "output/PgSetup_core.h"

#include <windows.h>

// A page setup dialog that runs the platform's dialog.
TPageSetupDialog* CreatePageSetupDialog(TComponent* owner);

// Moves the window to the middle of the screen across and a third of the free height down, without
// resizing or activating it.
void CenterDialogWindow(HWND wnd);
