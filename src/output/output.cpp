#include "output/output.h"

#include "base/SysUtils.h"
#include "output/OutputFile_core.h"
#include "output/OutputPrint_core.h"

#include <algorithm>
#include <new>

TOpForm* OpForm = nullptr;

namespace {
constexpr int kHelpContext = 27;
} // namespace

TOpForm::TOpForm(TComponent* owner, TControlsTiming timing) : TForm(owner) {
    OpForm = this;
    SetName("OpForm");
    SetCaption("Compiler output. ");
    SetBounds(203, 131, 544, 375);
    SetPosition(TPosition::poScreenCenter);
    if (timing == TControlsTiming::Now)
        EnsureControls();
}

void TOpForm::CreateControls() {
    const TDockedToolbar docked = MakeDockedToolbar(this, false);
    Dock1 = docked.dock;
    Toolbar1 = docked.toolbar;
    PsetupBtn = MakeToolButton("PsetupBtn", 0, "GLYPH_PSETUP", "Page setup.", &TOpForm::PsetupBtnClick);
    Printbtn = MakeToolButton("Printbtn", 25, "GLYPH_PRINT", "Print.", &TOpForm::PrintbtnClick);
    ToolbarSep1 = MakeSeparator("ToolbarSep1", 50);
    DateBtn = MakeToolButton("DateBtn", 56, "GLYPH_DATE", "Insert current date.", &TOpForm::DateBtnClick);
    ToolbarButton6 = MakeToolButton("ToolbarButton6", 81, "GLYPH_PROJECTPATH", "Insert projectpath.",
                                    &TOpForm::ToolbarButton6Click);
    ToolbarSep4 = MakeSeparator("ToolbarSep4", 106);
    ClBtn = new TColorButton(this, Toolbar1, {112, 0, 45, 25});
    Toolbar1->InsertControl(ClBtn);
    ClBtn->SetName("ClBtn");
    ClBtn->SetTabStop(false);
    ClBtn->SetCaption("Background Color");
    ClBtn->SetColor(clSilver);
    ClBtn->SetFlat(true);
    ClBtn->SetHint("Background color");
    ClBtn->SetShowHint(true);
    ClBtn->OnColorChange = [this](TComponent* s) { ClBtnColorChange(s); };
    ClBtn->Loaded();
    FontBtn = MakeToolButton("FontBtn", 157, "GLYPH_FONT", "", &TOpForm::FontBtnClick);
    ToolbarSep2 = MakeSeparator("ToolbarSep2", 182);
    HelpBtn = MakeToolButton("HelpBtn", 188, "GLYPH_HELP", "Help", &TOpForm::HelpBtnClick);
    ToolbarSep3 = MakeSeparator("ToolbarSep3", 213);
    ExitBtn = MakeToolButton("ExitBtn", 219, "GLYPH_EXIT", "Exit", &TOpForm::ExitBtnClick);

    Memo1 = new TMemo(this, this, {0, Dock1->Height(), ClientWidth(), ClientHeight() - Dock1->Height()});
    Memo1->SetName("Memo1");
    Memo1->SetColor(clSilver);
    Memo1->Font().Assign(
        TFontDesc{ANSI_CHARSET_VALUE, clWindowText, -13, "Courier", TFontPitch::fpDefault, 0});

    Problems = std::make_unique<TOutputProblems>(*this, *Memo1, Caption(),
                                                 [this] { return CurrentProjectFileName(); });

    fd = new TFontDialog(this);
    fd->SetName("fd");

    OnShow = [this](TComponent* s) { FormShow(s); };
    FormStorage1 =
        CreateFormStorage(this, "Output", DefaultWindowOptions, {"ClBtn.Color", "Memo1.Color", "Memo1.Font"});
}

TOpForm::~TOpForm() {
    if (ClBtn) {
        try {
            ClBtn->SaveCustomColors();
        } catch (...) {
            ShowCurrentException();
        }
    }
    Problems.reset();
    DestroyForm();
    if (OpForm == this)
        OpForm = nullptr;
}

TToolbarButton* TOpForm::MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                                        void (TOpForm::*handler)(TComponent*)) {
    return MakeToolbarButton(this, Toolbar1, name, left, glyph, hint,
                             [this, handler](TComponent* sender) { (this->*handler)(sender); });
}

TToolbarSep* TOpForm::MakeSeparator(const char* name, int left) {
    auto* separator = new TToolbarSep(this, Toolbar1, left);
    separator->SetName(name);
    return separator;
}

void TOpForm::ArrangeControls() {
    if (!Dock1 || !Memo1)
        return;
    Dock1->AlignToParent();
    const int top = Dock1->Height();
    Memo1->SetBounds(0, top, ClientWidth(), std::max(0, ClientHeight() - top));
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
    std::string text = outputfile::WithoutFinalLineBreak(outputfile::ReadWholeFile(fileName));
    const std::size_t size = text.size();
    try {
        Memo1->SetText(std::move(text));
        Problems->Loaded();
    } catch (const std::bad_alloc&) {
        // The file was read but the memo's copy does not fit: the window goes on with no text.
        Memo1->SetText("");
        throw EOutputTooLarge(outputfile::TooLargeMessage(size));
    }
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
    // The dialog shows what the next print uses, so that OK without an edit changes nothing on paper.
    psetup->SetMargins(outputprint::PrinterMargins(*LinePrinter1));
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
