#pragma once
// The source view: a source file the compiler's output names, shown whole and read-only in a
// fixed-pitch font at the line of a problem, with a command that hands the file to the user's editor.
// Made when first asked for and kept for the next problem; its placement is stored in a section of its
// own.
#include "output/CompilerProblems_core.h"
#include "prefs/Placemnt.h"
#include "win/Forms.h"
#include "win/StdCtrls.h"
#include "win/WindowHook.h"

#include <cstdint>
#include <string>
#include <string_view>

class TSourceForm : public TForm {
  public:
    explicit TSourceForm(TComponent* owner);
    ~TSourceForm() override;
    std::string ClassName() const override { return "TSourceForm"; }

    // Reads the file and shows it at the line (from 1; out of range: the nearest line), marked as the
    // output marks a problem of that severity, and the column (from 1; 0 for none: the whole line is
    // selected). When the file cannot be read the view stays as it was and an Exception says why.
    // `shownName` is the name the caption gives.
    void ShowFile(const std::string& path, std::string_view shownName, std::int64_t line, std::int64_t column,
                  problems::TSeverity severity = problems::TSeverity::Error);
    // Hands the shown file to the shell's "edit" verb, or "open" where no editor is registered.
    void OpenInEditor();
    const std::string& FileName() const { return path_; }

    TButton* EditBtn = nullptr;
    TMemo* Memo1 = nullptr;
    TFormStorage* FormStorage1 = nullptr;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    void ArrangeControls();
    void Refuse(TMessage& message);

    std::string path_;
    int markedLine_ = -1;
    problems::TSeverity severity_ = problems::TSeverity::Error;
    TWindowHook readOnly_;
};
