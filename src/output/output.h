#pragma once
// The output window: shows the compiler's console output ("output.txt" in the project's folder).
#include "prefs/Placemnt.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

class TOpForm : public TForm {
public:
    explicit TOpForm(TComponent* owner);
    ~TOpForm() override;
    std::string ClassName() const override { return "TOpForm"; }

    TMemo* Memo1;
    TFormStorage* FormStorage1;

    void FormShow(TComponent* sender);
};

extern TOpForm* OpForm;
