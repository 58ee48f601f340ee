#include "controls/urllabel_core.h"

namespace urllabel {

const char* Prefix(TLabelType type) {
    switch (type) {
    case TLabelType::hmMAIL:
        return "mailto:";
    case TLabelType::hmFTP:
        return "ftp:\\\\";
    case TLabelType::hmHTTP:
    default:
        return "http:\\\\";
    }
}

std::string ClickTarget(TLabelType type, const std::string& caption) {
    return Prefix(type) + caption;
}

void TLinkLook::SetURLColStd(TColor color) {
    colStd_ = color;
    fontColor_ = color;
}

bool TLinkLook::SetURLColPre(TColor color) {
    const bool changed = colPre_ != color;
    colPre_ = color;
    return changed;
}

bool TLinkLook::SetEffect98(bool effect98) {
    if (effect98_ == effect98)
        return false;
    effect98_ = effect98;
    underlined_ = !effect98;
    return true;
}

bool TLinkLook::Apply(TLinkEvent event) {
    switch (event) {
    case TLinkEvent::mouseEnter:
        if (!effect98_)
            return false;
        fontColor_ = colPre_;
        underlined_ = true;
        return true;
    case TLinkEvent::mouseLeave:
        if (!effect98_)
            return false;
        fontColor_ = colStd_;
        underlined_ = false;
        return true;
    case TLinkEvent::leftDown:
        fontColor_ = colPre_;
        return false;
    case TLinkEvent::buttonUp:
        fontColor_ = colStd_;
        return false;
    case TLinkEvent::otherDown:
    default:
        return false;
    }
}

} // namespace urllabel
