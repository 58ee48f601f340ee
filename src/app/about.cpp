#include "app/about.h"

namespace {
TFontDesc CourierNew(int height, TFontStyles style) {
    return TFontDesc{DEFAULT_CHARSET_VALUE, clWindowText,          height,
                     "Courier New",         TFontPitch::fpDefault, style};
}
// The links' font: blue, not underlined until the mouse comes over them.
TFontDesc LinkFont() {
    return TFontDesc{DEFAULT_CHARSET_VALUE, clBlue, -11, "MS Sans Serif", TFontPitch::fpDefault, 0};
}
constexpr TFontStyles kBold = FontStyleBit(TFontStyle::fsBold);
constexpr TFontStyles kItalic = FontStyleBit(TFontStyle::fsItalic);
} // namespace

TShadowLabel::TShadowLabel(TComponent* owner, TWinControl* parent, int left, int top,
                           const std::string& caption, TColor shadowColor, int shadowSize)
    : TWinControl(owner, parent), shadowColor_(shadowColor), shadowSize_(shadowSize) {
    SetOwnerPainted(true);
    SetBounds(left, top, 10, 10);
    TCreateParams params;
    params.caption = caption;
    CreateHandle(params);
    AdjustSize();
}

void TShadowLabel::AdjustSize() {
    WindowDc dc(Handle());
    SelectionScope font(dc.get(), Font().Handle());
    const std::string text = Caption();
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    SetBounds(Left(), Top(), size.cx + shadowSize_, size.cy + shadowSize_);
}

void TShadowLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
}

void TShadowLabel::Paint(HDC dc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    FillRect(dc, &rc, BackgroundBrush());
    SelectionScope font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    const std::string text = Caption();
    // The shadow lies to the left and below; the text stands right of it.
    SetTextColor(dc, ColorToRGB(shadowColor_));
    TextOutA(dc, 0, shadowSize_, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, ColorToRGB(Font().Desc().color));
    TextOutA(dc, shadowSize_, 0, text.c_str(), static_cast<int>(text.size()));
}

TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
    SetName("AboutBox");
    SetCaption("About Tarnwick...");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(298, 277);
    SetPosition(TPosition::poScreenCenter);

    Panel1 = new TPanel(this, this, {8, 8, 281, 225});
    Panel1->SetName("Panel1");
    Panel1->SetBevels(TBevelCut::bvNone, TBevelCut::bvRaised, 1);
    Panel1->SetColor(clSilver);
    ProgramIcon = new TImage(this, Panel1, {8, 8, 32, 32});
    ProgramIcon->SetName("ProgramIcon");
    ProgramIcon->SetIcon(MAKEINTRESOURCEA(1), true);
    Label1 = new TLabel(this, Panel1, 95, 16, "WRENWORKS");
    Label1->SetName("Label1");
    Label1->Font().Assign(CourierNew(-15, kBold | kItalic));
    ShadowLabel1 = new TShadowLabel(this, Panel1, 71, 37, "Tarnwick", clBtnHighlight, 2);
    ShadowLabel1->SetName("ShadowLabel1");
    ShadowLabel1->Font().Assign(CourierNew(-29, kBold));
    Bevel1 = new TBevel(this, Panel1, {20, 72, 241, 50}, TBevelShape::bsBottomLine);
    Bevel1->SetName("Bevel1");
    Label2 = new TLabel(this, Panel1, 96, 72, "Version 1.0");
    Label2->SetName("Label2");
    Label2->Font().Assign(CourierNew(-13, kBold | kItalic));
    Label3 = new TLabel(this, Panel1, 42, 96, "Freeware: use it, share it, enjoy it.");
    Label3->SetName("Label3");
    Label3->Font().SetColor(clRed);
    Label4 = new TLabel(this, Panel1, 27, 136, "Send your comments to:");
    Label4->SetName("Label4");
    URLLabel1 = new TURLLabel(this, Panel1, 147, 136, "tarnwick@wrenworks.org");
    URLLabel1->SetName("URLLabel1");
    URLLabel1->SetLabelType(TLabelType::hmMAIL);
    URLLabel1->SetEffect98(true);
    URLLabel1->Font().Assign(LinkFont());
    Label5 = new TLabel(this, Panel1, 65, 160, "For more Wrenworks check this :");
    Label5->SetName("Label5");
    URLLabel2 = new TURLLabel(this, Panel1, 83, 176, "www.wrenworks.org");
    URLLabel2->SetName("URLLabel2");
    URLLabel2->SetEffect98(true);
    URLLabel2->Font().Assign(LinkFont());
    URLLabel2->SetTransparent(true);
    Image1 = new TImage(this, Panel1, {240, 184, 32, 32});
    Image1->SetName("Image1");
    Image1->SetBitmap("ABOUT_ICON");
    DogsEar1 = new TDogsEar(this, Panel1, {0, 195, 30, 30});
    DogsEar1->SetName("DogsEar1");
    DogsEar1->SetColorBackground(clBtnFace);
    DogsEar1->SetColorDogsEar(clWindow);
    DogsEar1->SetColorFrame(clWindowFrame);
    DogsEar1->SetFrameStyle(TDogsEarFrameStyle::dfNoFrame);

    BitBtn1 = new TButton(this, this, {97, 244, 105, 25}, "Enough now!");
    BitBtn1->SetName("BitBtn1");
    BitBtn1->SetGlyph("GLYPH_OK");
    BitBtn1->SetHint("Close! What else?");
    BitBtn1->SetShowHint(true);
    BitBtn1->SetModalResult(mrOk);
    BitBtn1->SetDefault(true);
}

TAboutBox::~TAboutBox() {
    DestroyForm();
}
