#pragma once
// The line printer on the application's current printer: the drawing surface over the printer's
// device context, and the progress window a job shows.
#include "output/LinePrnt_core.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"

// A small always-on-top tool window that tells which page a running job is on. It cannot be sized.
class TPrntProgDlg : public TForm {
  public:
    explicit TPrntProgDlg(TComponent* owner);
    ~TPrntProgDlg() override;
    std::string ClassName() const override { return "TPrntProgDlg"; }

    TBevel* Bevel = nullptr;
    TLabel* lblStatus = nullptr;
    TLabel* lblTitle = nullptr;
    TLabel* lblPageNumDesc = nullptr;
    TLabel* lblPageNumber = nullptr;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A line printer that prints on the application's current printer and shows TPrntProgDlg.
TLinePrinter* CreateLinePrinter(TComponent* owner);
