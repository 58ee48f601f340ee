#include "app/start.h"

#include "prefs/options.h"

TStartdlg::TStartdlg(TComponent* owner) : TForm(owner) {
    SetName("Startdlg");
    SetCaption("Wrenworks   Tarnwick 1.0  First start");
    SetBorderStyle(TBorderStyle::bsDialog);
    SetClientSize(313, 147);
    SetPosition(TPosition::poScreenCenter);

    Bevel1 = new TBevel(this, this, {8, 8, 297, 97}, TBevelShape::bsFrame);
    Bevel1->SetName("Bevel1");
    Image1 = new TImage(this, this, {15, 24, 48, 64});
    Image1->SetName("Image1");
    Image1->SetBitmap("WELCOME_PICTURE");
    ListBox1 = new TListBox(this, this, {88, 17, 209, 78}, false);
    ListBox1->SetName("ListBox1");
    ListBox1->SetColor(clBtnFace);
    ListBox1->SetItemHeight(13);
    for (const char* line :
         {"You have started Tarnwick the first time.", "Now you have to set some preferences ",
          "to get Tarnwick to work.", "Later you can edit your settings by clicking ",
          "on the preferences button.", "Have Fun!"})
        ListBox1->AddItem(line);
    OKBtn = new TButton(this, this, {119, 116, 75, 25}, "OK");
    OKBtn->SetName("OKBtn");
    OKBtn->SetGlyph("GLYPH_OK");
    OKBtn->SetModalResult(mrOk);
    OKBtn->SetDefault(true);
    OKBtn->OnClick = [this](TComponent* s) { OKBtnClick(s); };

    GradientCaption1 = CreateProgramCaption(this, "Tarnwick 1.0  First start");
}

TStartdlg::~TStartdlg() {
    DestroyForm();
}

void TStartdlg::OKBtnClick(TComponent*) {
    Close();
}
