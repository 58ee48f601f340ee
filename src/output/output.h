#pragma once
// The output window: shows the compiler's console output ("output.txt" in the project's folder) in a
// memo below a toolbar for page setup, printing, inserting the date or the project path, the memo's
// font and background colour, help and closing.
#include "controls/ClrBtn.h"
#include "controls/TbCtls.h"
#include "controls/TbDock.h"
#include "controls/TbTlbr.h"
#include "output/LinePrnt.h"
#include "output/OutputProblems.h"
#include "output/PgSetup.h"
#include "prefs/Placemnt.h"
#include "win/Dialogs.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

#include <functional>
#include <memory>
#include <string>

class TOpForm : public TForm {
  public:
    explicit TOpForm(TComponent* owner, TControlsTiming timing = TControlsTiming::Now);
    ~TOpForm() override;
    std::string ClassName() const override { return "TOpForm"; }

    TDock* Dock1 = nullptr;
    TToolbar* Toolbar1 = nullptr;
    TToolbarButton* PsetupBtn = nullptr;
    TToolbarButton* Printbtn = nullptr;
    TToolbarSep* ToolbarSep1 = nullptr;
    TToolbarButton* DateBtn = nullptr;
    TToolbarButton* ToolbarButton6 = nullptr;
    TToolbarSep* ToolbarSep4 = nullptr;
    TColorButton* ClBtn = nullptr;
    TToolbarButton* FontBtn = nullptr;
    TToolbarSep* ToolbarSep2 = nullptr;
    TToolbarButton* HelpBtn = nullptr;
    TToolbarSep* ToolbarSep3 = nullptr;
    TToolbarButton* ExitBtn = nullptr;
    TMemo* Memo1 = nullptr;
    TFontDialog* fd = nullptr;
    TFormStorage* FormStorage1 = nullptr;
    // Made when first needed: both ask the printer, which start-up should not wait for.
    TLinePrinter* LinePrinter1 = nullptr;
    TPageSetupDialog* psetup = nullptr;
    // The problems in the memo: marked, counted in the caption, stepped through, opened at their line.
    std::unique_ptr<TOutputProblems> Problems;

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

    // What FormShow does with the output file: the memo takes the file's lines (its first error line
    // selected). EFOpenError when the file cannot be opened; the memo then keeps its text.
    void LoadOutputFile(const std::string& fileName);

  protected:
    void CreateControls() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    TToolbarButton* MakeToolButton(const char* name, int left, const char* glyph, const char* hint,
                                   void (TOpForm::*handler)(TComponent*));
    TToolbarSep* MakeSeparator(const char* name, int left);
    void ArrangeControls();
    std::string CurrentProjectFileName() const;
    void EnsurePrinting();
};

extern TOpForm* OpForm;
