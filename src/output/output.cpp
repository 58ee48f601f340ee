#include "output/output.h"

#include "base/SysUtils.h"
#include "output/OutputFile_core.h"
#include "output/OutputPrint_core.h"

#include <algorithm>

TOpForm* OpForm = nullptr;

namespace {
// The toolbar across the top; its items sit inside a 2-pixel border.
constexpr int kToolbarHeight = 29;
constexpr int kToolbarBorder = 2;
constexpr int kHelpContext = 27;
} // namespace

TOpForm::TOpForm(TComponent* owner) : TForm(owner) {
    OpForm = this;
    SetName("OpForm");
    SetCaption("Compiler output. ");
    SetBounds(203, 131, 544, 375);
    SetPosition(TPosition::poScreenCenter);

    Dock1 = new TPanel(this, this, {0, 0, ClientWidth(), kToolbarHeight});
    Dock1->SetName("Dock1");
    Dock1->SetBevels(TBevelCut::bvRaised, TBevelCut::bvNone, 1);
    PsetupBtn = MakeToolButton("PsetupBtn", 0, "GLYPH_PSETUP", "Page setup.", &TOpForm::PsetupBtnClick);
    Printbtn = MakeToolButton("Printbtn", 25, "GLYPH_PRINT", "Print.", &TOpForm::PrintbtnClick);
    ToolbarSep1 = MakeSeparator("ToolbarSep1", 50);
    DateBtn = MakeToolButton("DateBtn", 56, "GLYPH_DATE", "Insert current date.", &TOpForm::DateBtnClick);
    ToolbarButton6 = MakeToolButton("ToolbarButton6", 81, "GLYPH_PROJECTPATH", "Insert projectpath.",
                                    &TOpForm::ToolbarButton6Click);
    ToolbarSep4 = MakeSeparator("ToolbarSep4", 106);
    ClBtn = new TColorDialogButton(this, Dock1, {112 + kToolbarBorder, kToolbarBorder, 45, 25});
    ClBtn->SetName("ClBtn");
    ClBtn->SetTabStop(false);
    ClBtn->SetColor(clSilver);
    ClBtn->SetHint("Background color");
    ClBtn->SetShowHint(true);
    ClBtn->OnColorChange = [this](TComponent* s) { ClBtnColorChange(s); };
    FontBtn = MakeToolButton("FontBtn", 157, "GLYPH_FONT", "", &TOpForm::FontBtnClick);
    ToolbarSep2 = MakeSeparator("ToolbarSep2", 182);
    HelpBtn = MakeToolButton("HelpBtn", 188, "GLYPH_HELP", "Help", &TOpForm::HelpBtnClick);
    ToolbarSep3 = MakeSeparator("ToolbarSep3", 213);
    ExitBtn = MakeToolButton("ExitBtn", 219, "GLYPH_EXIT", "Exit", &TOpForm::ExitBtnClick);

    Memo1 = new TMemo(this, this, {0, kToolbarHeight, ClientWidth(), ClientHeight() - kToolbarHeight});
    Memo1->SetName("Memo1");
    Memo1->SetColor(clSilver);
    Memo1->Font().Assign(
        TFontDesc{ANSI_CHARSET_VALUE, clWindowText, -13, "Courier", TFontPitch::fpDefault, 0});

    fd = new TFontDialog(this);
    fd->SetName("fd");

    OnShow = [this](TComponent* s) { FormShow(s); };
    FormStorage1 =
        CreateFormStorage(this, "Output", DefaultWindowOptions, {"ClBtn.Color", "Memo1.Color", "Memo1.Font"});
}

TOpForm::~TOpForm() {
    DestroyForm();
    if (OpForm == this)
        OpForm = nullptr;
}

TButton* TOpForm::MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                                 void (TOpForm::*handler)(TComponent*)) {
    auto* button = new TButton(this, Dock1, {left + kToolbarBorder, kToolbarBorder, 25, 25}, "");
    button->SetName(name);
    button->SetGlyph(glyph);
    button->SetTabStop(false);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->OnClick = [this, handler](TComponent* s) { (this->*handler)(s); };
    return button;
}

TBevel* TOpForm::MakeSeparator(const char* name, int left) {
    // A separator is 6 pixels wide with its etched line (shadow, then highlight) in the middle.
    auto* separator =
        new TBevel(this, Dock1, {left + kToolbarBorder + 2, kToolbarBorder, 2, 25}, TBevelShape::bsFrame);
    separator->SetName(name);
    return separator;
}

void TOpForm::ArrangeControls() {
    if (!Dock1 || !Memo1)
        return;
    const int width = ClientWidth();
    Dock1->SetBounds(0, 0, width, kToolbarHeight);
    Memo1->SetBounds(0, kToolbarHeight, width, std::max(0, ClientHeight() - kToolbarHeight));
}

LRESULT TOpForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TForm::WndProc(msg, wParam, lParam);
    if (msg == WM_SIZE)
        ArrangeControls();
    return result;
}

std::string TOpForm::CurrentProjectFileName() const {
    return ProjectFileName ? ProjectFileName() : std::string();
}

void TOpForm::LoadOutputFile(const std::string& fileName) {
    Memo1->SetText(outputfile::WithoutFinalLineBreak(outputfile::ReadWholeFile(fileName)));
}

void TOpForm::FormShow(TComponent*) {
    LoadOutputFile(outputfile::OutputFileName(CurrentProjectFileName()));
}

// The page setup dialog and the line printer with their stored settings, in the order a stored
// description applies them. The printer starts with the dialog's default margins (or 20 mm).
void TOpForm::EnsurePrinting() {
    if (LinePrinter1)
        return;
    psetup = CreatePageSetupDialog(this);
    psetup->SetLoading(true);
    psetup->SetName("psetup");
    psetup->SetMeasurements(TPSMeasurements::pmMillimeters);
    psetup->SetLoading(false);
    LinePrinter1 = CreateLinePrinter(this);
    LinePrinter1->SetName("LinePrinter1");
    outputprint::ConfigureLinePrinter(*LinePrinter1, outputprint::StartMargins(psetup->Margins()));
}

void TOpForm::PrintbtnClick(TComponent*) {
    EnsurePrinting();
    outputprint::PrintPlainLines(*LinePrinter1, Memo1->Lines());
}

void TOpForm::PsetupBtnClick(TComponent*) {
    EnsurePrinting();
    if (psetup->Execute())
        outputprint::ApplyPageSetupMargins(*LinePrinter1, psetup->Margins());
}

void TOpForm::DateBtnClick(TComponent*) {
    char date[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    Memo1->InsertLine(0, "");
    Memo1->InsertLine(0, date);
}

void TOpForm::ToolbarButton6Click(TComponent*) {
    Memo1->InsertLine(0, "");
    Memo1->InsertLine(0, CurrentProjectFileName());
}

void TOpForm::FontBtnClick(TComponent*) {
    fd->Font().Assign(Memo1->Font());
    if (fd->Execute())
        Memo1->Font().Assign(fd->Font());
}

void TOpForm::ClBtnColorChange(TComponent*) {
    Memo1->SetColor(ClBtn->Color());
}

void TOpForm::HelpBtnClick(TComponent*) {
    Application->HelpContext(kHelpContext);
}

void TOpForm::ExitBtnClick(TComponent*) {
    Close();
}
