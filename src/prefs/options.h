#pragma once
// The preferences window: the compiler's path and four switches, compiler detection from the
// Delphi 3 installation, and "Dcc32.cfg" written beside the compiler when the window is closed.
#include "controls/BtChkBox.h"
#include "controls/GrdCpt.h"
#include "controls/HeadLbl.h"
#include "controls/ToolEdit.h"
#include "prefs/Placemnt.h"
#include "prefs/RegistryEnhanced.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

class TPForm : public TForm {
  public:
    explicit TPForm(TComponent* owner, TControlsTiming timing = TControlsTiming::Now);
    ~TPForm() override;
    std::string ClassName() const override { return "TPForm"; }

    THeadLabel* HeadLabel1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TFilenameEdit* CompPath = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TBitCheckBox* Coutput = nullptr;
    TBitCheckBox* RunP = nullptr;
    TBitCheckBox* Buildall = nullptr;
    TBitCheckBox* Mapfile = nullptr;
    TBevel* Bevel1 = nullptr;
    TButton* BitBtn1 = nullptr;
    TButton* BitBtn2 = nullptr;
    TRegistryEnhanced* Reg1 = nullptr;
    TFormStorage* FormStorage1 = nullptr;
    TGradientCaption* GradientCaption1 = nullptr;

    void FormCreate(TComponent* sender);
    void BitBtn1Click(TComponent* sender);
    void BitBtn2Click(TComponent* sender);

  protected:
    void CreateControls() override;

  private:
    // The compiler's path as the edit shows it, proposed from the Delphi 3 installation.
    std::string proposedCompiler_;
    // The value as the registry reader gives it; unassigned when the reader fails.
    TVariant ReadRegistryValue(const std::string& name);
};

extern TPForm* PForm;

// The caption bar the program's captioned windows share: from navy, "Wrenworks   " in the caption
// font, then `title` in white Courier New.
TGradientCaption* CreateProgramCaption(TForm* form, const std::string& title);
