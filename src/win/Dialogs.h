#pragma once
// Message boxes and the platform's common dialogs.
#include "base/Component.h"
#include "base/Types.h"
#include "win/Graphics.h"

#include <array>
#include <string>

// A modal message with one OK button and the application's title as caption.
void ShowMessage(const std::string& text);
// A modal message with the information icon and one OK button, captioned "Information".
void InformationMessage(const std::string& text);
// MessageBoxA with every other window of the thread disabled while it shows.
int TaskModalMessageBox(const std::string& caption, const std::string& text, UINT style);
// Set once at start: the system's minor version byte is 95 or more / the platform is NT.
bool MinorVersion95();
bool PlatformIsNT();

// The platform's font dialog for screen fonts, with effects (colour, underline, strike-out).
class TFontDialog : public TComponent {
  public:
    explicit TFontDialog(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "TFontDialog"; }

    TFont& Font() { return font_; }
    // Sizes in points the dialog offers; 0 and 0 mean no limits.
    void SetFontSizeLimits(int minSize, int maxSize);
    // Runs the dialog; true when the user confirmed, and Font() then holds the chosen font.
    bool Execute();

  private:
    TFont font_;
    int minFontSize_ = 0;
    int maxFontSize_ = 0;
};

// The platform's colour dialog with its sixteen custom colours.
class TColorDialog : public TComponent {
  public:
    explicit TColorDialog(TComponent* owner) : TComponent(owner) { customColors_.fill(clWhite); }
    std::string ClassName() const override { return "TColorDialog"; }

    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    std::array<TColor, 16>& CustomColors() { return customColors_; }
    // Opens with the custom colour part shown.
    void SetFullOpen(bool fullOpen) { fullOpen_ = fullOpen; }
    // Runs the dialog; true when the user confirmed, and Color() and the custom colours then hold
    // what the user chose. Cancelling changes neither.
    bool Execute();

  private:
    TColor color_ = clBlack;
    std::array<TColor, 16> customColors_{};
    bool fullOpen_ = false;
};

// The font a LOGFONT and a text colour describe, as the font dialog hands them back.
TFontDesc FontDescFromLogFont(const LOGFONTA& font, COLORREF color);
