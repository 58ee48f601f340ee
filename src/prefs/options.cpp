#include "prefs/options.h"

#include "controls/ToolEdit_core.h"
#include "prefs/options_core.h"
#include "win/Files.h"

TPForm* PForm = nullptr;

TPForm::TPForm(TComponent* owner, TControlsTiming timing) : TForm(owner) {
    PForm = this;
    SetName("PForm");
    SetCaption("Wrenworks   Tarnwick 1.0 Preferences");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(401, 200);
    SetPosition(TPosition::poScreenCenter);
    Reg1 = new TRegistryEnhanced(this);
    Reg1->SetName("Reg1");
    Reg1->SetLangType(registryenhanced::TLangType::ltEnglish);
    // The compiler is proposed as the window is made, whenever its controls follow: a fault in the
    // proposal shows before the main window.
    DoCreate([this] { FormCreate(this); });
    if (timing == TControlsTiming::Now)
        EnsureControls();
}

void TPForm::CreateControls() {

    HeadLabel1 = new THeadLabel(this, this, {0, 0, 401, 20});
    HeadLabel1->SetName("HeadLabel1");
    HeadLabel1->SetCaption("Default settings.");
    HeadLabel1->Gradient().SetStartColor(clGray);
    HeadLabel1->SetHeadAlign(THeadAlign::haTop);
    HeadLabel1->Font().Assign(TFontDesc{DEFAULT_CHARSET_VALUE, clWindowText, -13, "Arial",
                                        TFontPitch::fpDefault, FontStyleBit(TFontStyle::fsBold)});

    GroupBox1 = new TGroupBox(this, this, {8, 25, 385, 49}, "Path to the commandline compiler.");
    GroupBox1->SetName("GroupBox1");
    TFilenameEdit::Settings pathSettings;
    pathSettings.bounds = {38, 18, 309, 21};
    pathSettings.filter = "Delphi compiler (dcc32.exe)|dcc32.exe";
    CompPath = new TFilenameEdit(this, GroupBox1, pathSettings);
    CompPath->SetName("CompPath");

    GroupBox2 = new TGroupBox(this, this, {8, 80, 385, 65}, "Compiling options");
    GroupBox2->SetName("GroupBox2");
    Coutput = new TBitCheckBox(this, GroupBox2, {8, 16, 169, 17}, "&Always show compiler output.");
    Coutput->SetName("Coutput");
    RunP = new TBitCheckBox(this, GroupBox2, {8, 40, 161, 17}, "&Run project when compiled.");
    RunP->SetName("RunP");
    Buildall = new TBitCheckBox(this, GroupBox2, {240, 16, 97, 17}, "&Build all units.");
    Buildall->SetName("Buildall");
    Mapfile = new TBitCheckBox(this, GroupBox2, {240, 40, 105, 17}, "&Detailed Mapfile.");
    Mapfile->SetName("Mapfile");

    Bevel1 = new TBevel(this, this, {4, 128, 393, 33}, TBevelShape::bsBottomLine);
    Bevel1->SetName("Bevel1");
    BitBtn1 = new TButton(this, this, {232, 168, 75, 25}, "&Close");
    BitBtn1->SetName("BitBtn1");
    BitBtn1->SetGlyph("GLYPH_PREFS_CLOSE");
    BitBtn1->SetHint("save settings and exit.");
    BitBtn1->SetShowHint(true);
    BitBtn1->OnClick = [this](TComponent* s) { BitBtn1Click(s); };
    BitBtn2 = new TButton(this, this, {318, 168, 75, 25}, "&Help");
    BitBtn2->SetName("BitBtn2");
    BitBtn2->SetGlyph("GLYPH_PREFS_HELP");
    BitBtn2->SetHint("Help");
    BitBtn2->SetShowHint(true);
    BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };

    CompPath->SetText(proposedCompiler_);

    FormStorage1 = CreateFormStorage(
        this, "Preferences", 0,
        {"RunP.Checked", "Coutput.Checked", "CompPath.FileName", "Buildall.Checked", "Mapfile.Checked"});

    GradientCaption1 = CreateProgramCaption(this, "Tarnwick 1.0 Preferences");
}

TPForm::~TPForm() {
    DestroyForm();
    if (PForm == this)
        PForm = nullptr;
}

// The stored path, restored when the window first shows, replaces the proposal.
void TPForm::FormCreate(TComponent*) {
    // Delphi 3 is a 32-bit program: on 64-bit Windows its entry lives in the 32-bit view.
    Reg1->SetRootKey(registryenhanced::TRootKey::hkLocalMachine);
    Reg1->SetView32(true);
    Reg1->SetKey("SOFTWARE\\Borland\\Delphi\\3.0");
    proposedCompiler_ =
        tooledit::TextForFileName(options::DetectedCompilerPath(ReadRegistryValue("Delphi 3")), FileExists);
}

void TPForm::BitBtn1Click(TComponent*) {
    Reg1->SetRootKey(registryenhanced::TRootKey::hkCurrentUser);
    Reg1->SetView32(false);
    Reg1->SetKey(options::kDelphiLibraryKey);
    const std::string searchPath = VariantToText(ReadRegistryValue("SearchPath"));
    const std::string unitAliases = VariantToText(ReadRegistryValue("UnitAliases"));
    options::WriteCompilerConfig(CompPath->FileName(), unitAliases, searchPath);
    Close();
}

TVariant TPForm::ReadRegistryValue(const std::string& name) {
    // Another program's entry that the reader cannot read counts as empty, without a message.
    TVariant value;
    try {
        Reg1->ReadValue(name, value);
    } catch (const ERegistryException&) {
        return TVariant();
    }
    return value;
}

void TPForm::BitBtn2Click(TComponent*) {
    Application->HelpContext(17);
}

TGradientCaption* CreateProgramCaption(TForm* form, const std::string& title) {
    auto* caption = new TGradientCaption(form);
    caption->SetName("GradientCaption1");
    caption->SetStartColor(clNavy);
    caption->Captions().Add("Wrenworks   ");
    TCaptionPiece* piece = caption->Captions().Add(title);
    piece->Font().Assign(TFontDesc{ANSI_CHARSET_VALUE, clWhite, -11, "Courier New", TFontPitch::fpDefault,
                                   FontStyleBit(TFontStyle::fsBold)});
    caption->Loaded();
    return caption;
}
