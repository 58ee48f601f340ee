#include "app/Main.h"

#include "app/about.h"
#include "app/start.h"
#include "app/xProcs.h"
#include "app/xProcs_core.h"
#include "base/ScopeExit.h"
#include "base/SysUtils.h"
#include "output/output.h"
#include "prefs/options.h"
#include "win/Dialogs.h"
#include "win/Files.h"

#include <cstdlib>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
    MainForm = this;
    SetName("MainForm");
    SetCaption("Wrenworks   Tarnwick 1.0");
    SetBorderStyle(TBorderStyle::bsSingle, true, false);
    SetClientSize(292, 119);
    SetPosition(TPosition::poScreenCenter);

    MakeToolbar();

    GroupBox1 = new TGroupBox(this, this, {6, 33, 280, 48}, "Select Project/Unit to compile");
    GroupBox1->SetName("GroupBox1");
    GroupBox1->Font().SetColor(clNavy);
    TFilenameEdit::Settings projectSettings;
    projectSettings.bounds = {8, 16, 265, 21};
    projectSettings.acceptFiles = true;
    projectSettings.filter = "Delphi projects (*.dpr)|*.dpr|Delphi units (*.pas)|*.pas";
    projectSettings.dialogTitle = "Select Project/Unit";
    projectSettings.charCase = TEditCharCase::ecLowerCase;
    projectSettings.buttonWidth = 20;
    Project = new TFilenameEdit(this, GroupBox1, projectSettings);
    Project->SetName("Project");
    Project->Font().Assign(Font().Desc());
    Project->OnChange = [this](TComponent* s) { ProjectChange(s); };
    Project->OnDropFiles = [this](TComponent* s) { ProjectDropFiles(s); };

    RunBtn = new TButton(this, this, {6, 88, 75, 25}, "&Start");
    RunBtn->SetName("RunBtn");
    RunBtn->SetGlyph("GLYPH_START");
    RunBtn->SetEnabled(false);
    RunBtn->OnClick = [this](TComponent* s) { RunBtnClick(s); };
    BitBtn2 = new TButton(this, this, {211, 88, 75, 25}, "&Exit");
    BitBtn2->SetName("BitBtn2");
    BitBtn2->SetGlyph("GLYPH_EXIT");
    BitBtn2->OnClick = [this](TComponent* s) { BitBtn2Click(s); };

    MakeBusyPanel();

    FormStorage1 = CreateFormStorage(this, "Defaults", DefaultWindowOptions, {"Project.InitialDir"});
    FormStorage1->OnRestorePlacement = [this](TComponent* s) { FormStorage1RestorePlacement(s); };
    FormStorage1->OnSavePlacement = [this](TComponent* s) { FormStorage1SavePlacement(s); };

    Run = new TAppExec(this);
    Run->SetName("Run");
    Run->SetLangType(appexec::TLangType::ltEnglish);
    Run->SetWait(true);
    Run->SetWindowState(TWindowState::wsMinimized);

    GradientCaption1 = CreateProgramCaption(this, "Tarnwick 1.0");

    // A relative name counts from the folder the program was started in, whatever changes the
    // current directory before the file is compiled.
    if (__argc > 1)
        commandLineFile_ = AbsoluteFileName(__argv[1]);

    DoCreate([this] { FormCreate(this); });
}

void TMainForm::MakeToolbar() {
    const TDockedToolbar docked = MakeDockedToolbar(this, true);
    Dock1 = docked.dock;
    Toolbar1 = docked.toolbar;
    OptionsBtn =
        MakeToolButton("OptionsBtn", 0, "GLYPH_OPTIONS", "Preferences.", &TMainForm::OptionsBtnClick);
    CwinBtn =
        MakeToolButton("CwinBtn", 25, "GLYPH_CWIN", "Show compiler outputwindow.", &TMainForm::CwinBtnClick);
    CwinBtn->SetEnabled(false);
    ToolbarSep3 = new TToolbarSep(this, Toolbar1, 50);
    ToolbarSep3->SetName("ToolbarSep3");
    AboutBtn = MakeToolButton("AboutBtn", 56, "GLYPH_ABOUT", "About", &TMainForm::AboutBtnClick);
    HlpBtn = MakeToolButton("HlpBtn", 81, "GLYPH_HELP", "Help", &TMainForm::HlpBtnClick);
    ToolbarSep2 = new TToolbarSep(this, Toolbar1, 106, 10);
    ToolbarSep2->SetName("ToolbarSep2");
    CloseBtn = MakeToolButton("CloseBtn", 116, "GLYPH_CLOSE", "Close this tool.", &TMainForm::CloseBtnClick);
}

// The panel shown over the window while the compiler runs.
void TMainForm::MakeBusyPanel() {
    Cpanel = new TPanel(this, this, {53, 20, 185, 78});
    Cpanel->SetName("Cpanel");
    Cpanel->SetBevels(TBevelCut::bvRaised, TBevelCut::bvRaised, 2);
    Cpanel->SetVisible(false);
    Label1 = new TLabel(this, Cpanel, 37, 13, "Compiling... please wait");
    Label1->SetName("Label1");
    WebGauge1 = new TWebGauge(this, Cpanel, {29, 40, 128, 20});
    WebGauge1->SetName("WebGauge1");
    WebGauge1->SetColor(clBtnFace);
    WebGauge1->SetBevelInner(TBevelCut::bvLowered);
    WebGauge1->SetBevelOuter(TBevelCut::bvNone);
    WebGauge1->SetBevelwidth(1);
    WebGauge1->SetForeColor(clNavy);
    WebGauge1->SetBackColor(clBtnFace);
    WebGauge1->SetWaiting(true);
    WebGauge1->SetProgress(0);
}

TMainForm::~TMainForm() {
    DestroyForm();
    if (MainForm == this)
        MainForm = nullptr;
}

TToolbarButton* TMainForm::MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                                          void (TMainForm::*handler)(TComponent*)) {
    return MakeToolbarButton(this, Toolbar1, name, left, glyph, hint,
                             [this, handler](TComponent* sender) { (this->*handler)(sender); });
}

void TMainForm::FormCreate(TComponent*) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    Application->SetHelpFile(rtl::ExtractFilePath(path) + "tnwk.hlp");
}

void TMainForm::FormStorage1RestorePlacement(TComponent*) {
    if (FormStorage1->LoadInteger("FirstTime", 0) == 0) {
        {
            TStartdlg startdlg(Application);
            startdlg.ShowModal();
        }
        PForm->ShowModal();
    }
    if (!commandLineFile_.empty()) {
        Project->SetFileName(commandLineFile_);
        ProjectDropFiles(this);
    }
}

void TMainForm::FormStorage1SavePlacement(TComponent*) {
    FormStorage1->StoreInteger("FirstTime", 1);
}

void TMainForm::ProjectChange(TComponent*) {
    const bool named = !Project->FileName().empty();
    RunBtn->SetEnabled(named);
    CwinBtn->SetEnabled(named);
}

void TMainForm::ProjectDropFiles(TComponent*) {
    const std::string name = Project->FileName();
    if (xprocs::ClassifyProject(name) == xprocs::ProjectKind::Other) {
        Project->SetFileName("");
        return;
    }
    if (RefuseWhileBusy())
        return;
    Project->SetFileName(Project->Text());
    const std::string folder = rtl::ExtractFilePath(Project->FileName());
    if (!folder.empty())
        SetCurrentDirectoryA(folder.c_str());
    RunBtnClick(this);
}

bool TMainForm::RefuseWhileBusy() {
    if (job_ == Job::Idle)
        return false;
    InformationMessage(job_ == Job::Compiling ? xprocs::SCompileRunning : xprocs::SProgramRunning);
    return true;
}

void TMainForm::ShowBusyPanel(bool show) {
    if (show) {
        SetWindowPos(Cpanel->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Cpanel->SetVisible(true);
        Cpanel->Update();
    } else {
        Cpanel->SetVisible(false);
    }
}

void TMainForm::RunBtnClick(TComponent*) {
    // One job at a time: a second Start while the first one waits would write a second
    // "compile.bat" over the running one.
    if (RefuseWhileBusy())
        return;
    job_ = Job::Compiling;
    const TScopeExit idle([this] { job_ = Job::Idle; });
    CompileProject();
}

void TMainForm::CompileProject() {
    PForm->EnsureControls();
    const std::string compiler = ShortPath(PForm->CompPath->FileName());
    if (!FileExists(compiler)) {
        InformationMessage(xprocs::SIncorrectCompilerPath);
        OptionsBtnClick(this);
        return;
    }
    const std::string project = Project->FileName();
    if (xprocs::IsNetworkPath(project)) {
        InformationMessage(xprocs::SNetworkProject);
        return;
    }
    const TScopeExit notBusy([this] { ShowBusyPanel(false); });
    ShowBusyPanel(true);
    PForm->FormStorage1->LoadPlacement();
    const bool buildAll = PForm->Buildall->Checked();
    const bool mapFile = PForm->Mapfile->Checked();

    const std::string batchName = rtl::ExtractFilePath(project) + xprocs::kBatchFileName;
    // The bare name's short form is looked up in the current directory, so the project's folder has
    // to be current first (a typed name changes nothing); a failure shows when the launcher changes.
    SetCurrentDirectoryA(rtl::ExtractFilePath(project).c_str());
    WriteBatchFile(batchName, xprocs::BatchLine(ShortPath(PForm->CompPath->FileName()), buildAll, mapFile,
                                                ShortPath(rtl::ExtractFileName(project))));

    // The batch file runs in the project's folder also when the name was typed by hand and nothing
    // made that folder current.
    Run->SetExePath(rtl::ExtractFilePath(project));
    Run->SetExeName(xprocs::kBatchFileName);
    Run->SetWindowState(TWindowState::wsMinimized);
    try {
        Run->Launch();
    } catch (const EAppExec& e) {
        ShowBusyPanel(false);
        ShowMessage(e.Message());
        return;
    }
    Run->SetWindowState(TWindowState::wsNormal);
    ShowBusyPanel(false);
    WipeFile(batchName);
    // The program was asked to end while the compiler ran: nothing more to show or start.
    if (Application->Terminated())
        return;

    const std::string shortProject = ShortPath(project);
    const xprocs::CompileDecision decision = xprocs::DecideAfterCompile(
        xprocs::ClassifyProject(project), PForm->Coutput->Checked(), PForm->RunP->Checked(),
        FileExists(xprocs::ProductName(shortProject, ".dcu")),
        FileExists(xprocs::ProductName(shortProject, ".exe")),
        FileExists(xprocs::ProductName(shortProject, ".dll")));
    if (decision.showOutput)
        OpForm->Show();
    switch (decision.run) {
    case xprocs::CompileDecision::Run::RefuseDll:
        InformationMessage(xprocs::SCantExecuteDll);
        break;
    case xprocs::CompileDecision::Run::RefuseUnit:
        InformationMessage(xprocs::SCantExecuteUnits);
        break;
    case xprocs::CompileDecision::Run::StartExe: {
        Run->SetExeName(xprocs::ProgramCommand(xprocs::ProductName(shortProject, ".exe")));
        job_ = Job::RunningProgram;
        // Closing the program while the built program runs ends the wait and leaves that program running.
        Run->SetStopWaitingOnTerminate(true);
        const TScopeExit waitAgain([this] { Run->SetStopWaitingOnTerminate(false); });
        Run->Launch();
        break;
    }
    case xprocs::CompileDecision::Run::Nothing:
        break;
    }
}

void TMainForm::CwinBtnClick(TComponent*) {
    if (!Project->FileName().empty())
        OpForm->Show();
    else
        ShowMessage(xprocs::SSelectProjectFirst);
}

void TMainForm::OptionsBtnClick(TComponent*) {
    PForm->ShowModal();
}

void TMainForm::AboutBtnClick(TComponent*) {
    TAboutBox aboutBox(Application);
    aboutBox.ShowModal();
}

void TMainForm::HlpBtnClick(TComponent*) {
    Application->HelpContext(2);
}

void TMainForm::CloseBtnClick(TComponent*) {
    Close();
}

void TMainForm::BitBtn2Click(TComponent*) {
    Close();
}
