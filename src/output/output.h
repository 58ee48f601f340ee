#pragma once
// The output window: shows the compiler's console output ("output.txt" in the project's folder) in a
// memo below a toolbar for page setup, printing, inserting the date or the project path, the memo's
// font and background colour, help and closing.
#include "controls/ColorDialogButton.h"
#include "output/LinePrnt.h"
#include "output/PgSetup.h"
#include "prefs/Placemnt.h"
#include "win/Dialogs.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

#include <functional>
#include <string>

class TOpForm : public TForm {
  public:
    explicit TOpForm(TComponent* owner);
    ~TOpForm() override;
    std::string ClassName() const override { return "TOpForm"; }

    TPanel* Dock1 = nullptr;
    TButton* PsetupBtn = nullptr;
    TButton* Printbtn = nullptr;
    TBevel* ToolbarSep1 = nullptr;
    TButton* DateBtn = nullptr;
    TButton* ToolbarButton6 = nullptr;
    TBevel* ToolbarSep4 = nullptr;
    TColorDialogButton* ClBtn = nullptr;
    TButton* FontBtn = nullptr;
    TBevel* ToolbarSep2 = nullptr;
    TButton* HelpBtn = nullptr;
    TBevel* ToolbarSep3 = nullptr;
    TButton* ExitBtn = nullptr;
    TMemo* Memo1 = nullptr;
    TFontDialog* fd = nullptr;
    TFormStorage* FormStorage1 = nullptr;
    // Made when first needed: both ask the printer, which start-up should not wait for.
    TLinePrinter* LinePrinter1 = nullptr;
    TPageSetupDialog* psetup = nullptr;

    void FormShow(TComponent* sender);
    void PrintbtnClick(TComponent* sender);
    void PsetupBtnClick(TComponent* sender);
    void DateBtnClick(TComponent* sender);
    void ToolbarButton6Click(TComponent* sender);
    void FontBtnClick(TComponent* sender);
    void ClBtnColorChange(TComponent* sender);
    void HelpBtnClick(TComponent* sender);
    void ExitBtnClick(TComponent* sender);

    // The project file whose output this window shows, asked for by whoever made the window. Without it
    // (in tests and benchmarks) the window reads "output.txt" from the current folder.
    std::function<std::string()> ProjectFileName;

    // What FormShow does with the output file: the memo takes the file's lines. EFOpenError when the
    // file cannot be opened; the memo then keeps its text.
    void LoadOutputFile(const std::string& fileName);

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    TButton* MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                            void (TOpForm::*handler)(TComponent*));
    TBevel* MakeSeparator(const char* name, int left);
    void ArrangeControls();
    std::string CurrentProjectFileName() const;
    void EnsurePrinting();
};

extern TOpForm* OpForm;
