#pragma once
// The main window: the project to compile, Start and Exit, the toolbar, and the busy panel shown
// while the compiler runs.
#include "app/launch/appexec.h"
#include "controls/BusyCtrl.h"
#include "controls/GrdCpt.h"
#include "controls/TbCtls.h"
#include "controls/TbDock.h"
#include "controls/TbTlbr.h"
#include "controls/ToolEdit.h"
#include "prefs/Placemnt.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

class TMainForm : public TForm {
  public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;
    std::string ClassName() const override { return "TMainForm"; }

    TDock* Dock1;
    TToolbar* Toolbar1;
    TToolbarButton* OptionsBtn;
    TToolbarButton* CwinBtn;
    TToolbarSep* ToolbarSep3;
    TToolbarButton* AboutBtn;
    TToolbarButton* HlpBtn;
    TToolbarSep* ToolbarSep2;
    TToolbarButton* CloseBtn;
    TGroupBox* GroupBox1;
    TFilenameEdit* Project;
    TButton* RunBtn;
    TButton* BitBtn2;
    TPanel* Cpanel;
    TLabel* Label1;
    TWebGauge* WebGauge1;
    TFormStorage* FormStorage1;
    TAppExec* Run;
    TGradientCaption* GradientCaption1;

    void FormCreate(TComponent* sender);
    void FormStorage1RestorePlacement(TComponent* sender);
    void FormStorage1SavePlacement(TComponent* sender);
    void ProjectChange(TComponent* sender);
    void ProjectDropFiles(TComponent* sender);
    void RunBtnClick(TComponent* sender);
    void CwinBtnClick(TComponent* sender);
    void OptionsBtnClick(TComponent* sender);
    void AboutBtnClick(TComponent* sender);
    void HlpBtnClick(TComponent* sender);
    void CloseBtnClick(TComponent* sender);
    void BitBtn2Click(TComponent* sender);

    // True from the start of a compile job until it has finished (including a started program).
    bool Compiling() const { return job_ != Job::Idle; }

  private:
    void MakeToolbar();
    void MakeBusyPanel();
    TToolbarButton* MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                                   void (TMainForm::*handler)(TComponent*));
    void ShowBusyPanel(bool show);
    void CompileProject();
    // Tells the user why nothing starts while a compile or the built program runs; false when idle.
    bool RefuseWhileBusy();

    enum class Job { Idle, Compiling, RunningProgram };
    Job job_ = Job::Idle;
    std::string commandLineFile_;
};

extern TMainForm* MainForm;
