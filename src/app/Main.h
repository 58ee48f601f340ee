#pragma once
// The main window: the project to compile, Start and Exit, the toolbar, and the busy panel shown
// while the compiler runs.
#include "app/launch/appexec.h"
#include "controls/BusyCtrl.h"
#include "controls/GrdCpt.h"
#include "controls/ToolEdit.h"
#include "prefs/Placemnt.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

class TMainForm : public TForm {
  public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;
    std::string ClassName() const override { return "TMainForm"; }

    TPanel* Dock1;
    TButton* OptionsBtn;
    TButton* CwinBtn;
    TButton* AboutBtn;
    TButton* HlpBtn;
    TButton* CloseBtn;
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
    bool Compiling() const { return compiling_; }

  private:
    TButton* MakeToolButton(const char* name, int left, const char* glyph, int numGlyphs, const char* hint,
                            void (TMainForm::*handler)(TComponent*));
    void ShowBusyPanel(bool show);
    void CompileProject();

    bool compiling_ = false;
};

extern TMainForm* MainForm;
