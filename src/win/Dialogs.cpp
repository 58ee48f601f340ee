#include "win/Dialogs.h"

#include "base/SysUtils.h"
#include "win/Forms.h"
#include "win/Library.h"

#include <cstring>

void ShowMessage(const std::string& text) {
    ApplicationMessageBox(text, Application ? Application->Title() : std::string(), MB_OK);
}

namespace {
struct VersionFlags {
    bool minorVersion95;
    bool platformIsNT;
};

const VersionFlags& Flags() {
    static const VersionFlags flags = [] {
        VersionFlags f{};
        const DWORD version = GetVersion();
        f.minorVersion95 = ((version >> 8) & 0xFF) >= 95;
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        f.platformIsNT = GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        return f;
    }();
    return flags;
}

} // namespace

bool MinorVersion95() {
    return Flags().minorVersion95;
}
bool PlatformIsNT() {
    return Flags().platformIsNT;
}

int TaskModalMessageBox(const std::string& caption, const std::string& text, UINT style) {
    // Fixed buffers as the message box has always taken: 100 characters of caption, 200 of text.
    char captionBuffer[101] = {};
    char textBuffer[201] = {};
    std::strncpy(captionBuffer, caption.c_str(), 100);
    std::strncpy(textBuffer, text.c_str(), 200);
    HWND owner = Application ? Application->Handle() : nullptr;
    const ModalScope modal(owner);
    return MessageBoxA(owner, textBuffer, captionBuffer, style);
}

void InformationMessage(const std::string& text) {
    if (MinorVersion95() || PlatformIsNT()) {
        TaskModalMessageBox(rtl::SMsgDlgInformation, text, MB_ICONINFORMATION | MB_OK);
        return;
    }
    MessageBoxA(Application ? Application->Handle() : nullptr, text.c_str(), rtl::SMsgDlgInformation,
                MB_ICONINFORMATION | MB_OK);
}

TFontDesc FontDescFromLogFont(const LOGFONTA& font, COLORREF color) {
    TFontDesc desc;
    desc.name = std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
    desc.height = font.lfHeight;
    desc.charset = font.lfCharSet;
    desc.color = static_cast<TColor>(color & 0xFFFFFF);
    switch (font.lfPitchAndFamily & 0x03) {
    case FIXED_PITCH:
        desc.pitch = TFontPitch::fpFixed;
        break;
    case VARIABLE_PITCH:
        desc.pitch = TFontPitch::fpVariable;
        break;
    default:
        desc.pitch = TFontPitch::fpDefault;
        break;
    }
    desc.style = 0;
    if (font.lfWeight >= FW_BOLD)
        desc.style |= FontStyleBit(TFontStyle::fsBold);
    if (font.lfItalic)
        desc.style |= FontStyleBit(TFontStyle::fsItalic);
    if (font.lfUnderline)
        desc.style |= FontStyleBit(TFontStyle::fsUnderline);
    if (font.lfStrikeOut)
        desc.style |= FontStyleBit(TFontStyle::fsStrikeOut);
    return desc;
}

void TFontDialog::SetFontSizeLimits(int minSize, int maxSize) {
    minFontSize_ = minSize;
    maxFontSize_ = maxSize;
}

bool TFontDialog::Execute() {
    LOGFONTA logFont = font_.LogFont();
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetActiveWindow();
    choose.lpLogFont = &logFont;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = ColorToRGB(font_.Desc().color);
    if (minFontSize_ > 0 || maxFontSize_ > 0) {
        choose.Flags |= CF_LIMITSIZE;
        choose.nSizeMin = minFontSize_;
        choose.nSizeMax = maxFontSize_;
    }
    if (!syslib::ChooseFontA(&choose))
        return false;
    font_.Assign(FontDescFromLogFont(logFont, choose.rgbColors));
    return true;
}

bool TColorDialog::Execute() {
    COLORREF custom[16];
    for (std::size_t i = 0; i < customColors_.size(); ++i)
        custom[i] = ColorToRGB(customColors_[i]);
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = GetActiveWindow();
    choose.rgbResult = ColorToRGB(color_);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | (fullOpen_ ? CC_FULLOPEN : 0);
    if (!syslib::ChooseColorA(&choose))
        return false;
    color_ = static_cast<TColor>(choose.rgbResult & 0xFFFFFF);
    for (std::size_t i = 0; i < customColors_.size(); ++i)
        customColors_[i] = static_cast<TColor>(custom[i] & 0xFFFFFF);
    return true;
}
