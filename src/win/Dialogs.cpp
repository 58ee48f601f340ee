#include "win/Dialogs.h"

#include "win/Forms.h"

void ShowMessage(const std::string& text) {
    HWND owner = GetActiveWindow();
    MessageBoxA(owner, text.c_str(), Application ? Application->Title().c_str() : "", MB_OK);
}
