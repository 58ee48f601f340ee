#pragma once
// Message boxes and the platform's common dialogs.
#include "base/Types.h"

#include <string>

// A modal message with one OK button and the application's title as caption.
void ShowMessage(const std::string& text);
