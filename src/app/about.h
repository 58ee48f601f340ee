#pragma once
// The about box, made anew for every click on About.
#include "controls/DogsEar.h"
#include "controls/urllabel.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

// A caption with a drop shadow drawn two pixels to the left and below.
class TShadowLabel : public TWinControl {
  public:
    TShadowLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption,
                 TColor shadowColor, int shadowSize);
    std::string ClassName() const override { return "TShadowLabel"; }

  protected:
    void Paint(HDC dc) override;
    void FontChanged() override;

  private:
    void AdjustSize();
    TColor shadowColor_;
    int shadowSize_;
};

class TAboutBox : public TForm {
  public:
    explicit TAboutBox(TComponent* owner);
    ~TAboutBox() override;
    std::string ClassName() const override { return "TAboutBox"; }

    TPanel* Panel1;
    TImage* ProgramIcon;
    TLabel* Label1;
    TShadowLabel* ShadowLabel1;
    TBevel* Bevel1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TURLLabel* URLLabel1;
    TLabel* Label5;
    TURLLabel* URLLabel2;
    TImage* Image1;
    TDogsEar* DogsEar1;
    TButton* BitBtn1;
};
