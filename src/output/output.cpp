#include "output/output.h"

#include "app/Main.h"
#include "base/SysUtils.h"

TOpForm* OpForm = nullptr;

TOpForm::TOpForm(TComponent* owner) : TForm(owner) {
    OpForm = this;
    SetName("OpForm");
    SetCaption("Compiler output. ");
    SetBounds(203, 131, 544, 375);
    SetPosition(TPosition::poScreenCenter);
    Memo1 = new TMemo(this, this, {0, 29, ClientWidth(), ClientHeight() - 29});
    Memo1->SetName("Memo1");
    Memo1->SetColor(clSilver);
    Memo1->Font().Assign(TFontDesc{0, clWindowText, -13, "Courier", TFontPitch::fpDefault, 0});
    OnShow = [this](TComponent* s) { FormShow(s); };
    FormStorage1 = CreateFormStorage(this, "Output", DefaultWindowOptions, {"ClBtn.Color", "Memo1.Color", "Memo1.Font"});
}

TOpForm::~TOpForm() {
    DestroyForm();
    if (OpForm == this)
        OpForm = nullptr;
}

void TOpForm::FormShow(TComponent*) {
    const std::string fileName = rtl::ExtractFilePath(MainForm->Project->FileName()) + "output.txt";
    TStringList lines;
    lines.LoadFromFile(fileName);
    Memo1->SetLines(lines);
}
