#pragma once
// The welcome dialog of the first starts.
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

    void OKBtnClick(TComponent* sender);
};
