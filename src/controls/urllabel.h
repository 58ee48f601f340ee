#pragma once
// The link label: a label whose caption is a web, mail or file-transfer address. A click hands the
// address, with the scheme of LabelType in front, to the shell, which opens the user's browser or mail
// program. It shows a hand pointer and changes colour while the mouse is over it or pressed on it.
#include "controls/urllabel_core.h"
#include "base/TypInfo_core.h"
#include "win/StdCtrls.h"

using urllabel::TLabelType;

class TURLLabel : public TLabel, public IPublished {
  public:
    TURLLabel(TComponent* owner, TWinControl* parent, int left, int top, const std::string& caption);
    std::string ClassName() const override { return "TURLLabel"; }
    const TClassDesc& PublishedClass() const override;

    TLabelType LabelType() const { return labelType_; }
    void SetLabelType(TLabelType type);
    TColor URLColStd() const { return look_.URLColStd(); }
    void SetURLColStd(TColor color);
    TColor URLColPre() const { return look_.URLColPre(); }
    void SetURLColPre(TColor color);
    bool Effect98() const { return look_.Effect98(); }
    void SetEffect98(bool effect98);

    HCURSOR Cursor() const { return cursor_; }
    // OnClick, then the address to the shell.
    void Click();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void Apply(urllabel::TLinkEvent event);
    // Gives the font the look's colour and style.
    void ShowLook();
    bool MouseButton(UINT msg, LPARAM lParam);

    TLabelType labelType_ = TLabelType::hmHTTP;
    urllabel::TLinkLook look_;
    HCURSOR cursor_;
    bool mouseInside_ = false;
    bool leftPressed_ = false;
};
