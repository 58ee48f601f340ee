#pragma once
// The link label's rules apart from any window: the address a click hands to the shell, and the
// colour and underline the text takes as the mouse comes, goes and presses.
#include "base/Types.h"

#include <string>

namespace urllabel {

enum class TLabelType { hmHTTP, hmMAIL, hmFTP };

// "http:\\", "mailto:" or "ftp:\\".
const char* Prefix(TLabelType type);

// The scheme prefix followed by the caption, both unchanged: nothing is added between them, nothing
// of the caption is removed, and a long address is handed over whole rather than cut short (a cut
// address would open some other page).
std::string ClickTarget(TLabelType type, const std::string& caption);

enum class TLinkEvent { mouseEnter, mouseLeave, leftDown, otherDown, buttonUp };

// The look of the text and the colours it moves between.
class TLinkLook {
  public:
    TColor URLColStd() const { return colStd_; }
    TColor URLColPre() const { return colPre_; }
    bool Effect98() const { return effect98_; }
    TColor FontColor() const { return fontColor_; }
    bool Underlined() const { return underlined_; }

    // The normal colour becomes the text's colour at once.
    void SetURLColStd(TColor color);
    // True when the colour changed (the label repaints).
    bool SetURLColPre(TColor color);
    // True when the setting changed: the text loses its underline (true) or gets it (false).
    bool SetEffect98(bool effect98);
    // True when the label repaints at once.
    bool Apply(TLinkEvent event);

  private:
    TColor colStd_ = clBlue;
    TColor colPre_ = clRed;
    bool effect98_ = false;
    TColor fontColor_ = clBlue;
    bool underlined_ = true;
};

} // namespace urllabel
