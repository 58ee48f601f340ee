#pragma once
// The welcome dialog of the first starts.
#include "controls/GrdCpt.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

class TStartdlg : public TForm {
  public:
    explicit TStartdlg(TComponent* owner);
    ~TStartdlg() override;
    std::string ClassName() const override { return "TStartdlg"; }

    TBevel* Bevel1;
    TImage* Image1;
    TListBox* ListBox1;
    TButton* OKBtn;
    TGradientCaption* GradientCaption1;

    void OKBtnClick(TComponent* sender);
};
